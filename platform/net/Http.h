// HTTP loading over libcurl. Asynchronous connections report on the main
// thread (through platform::mainQueue()); transfers run on one bounded worker
// thread that drives every transfer with curl's multi interface. A blocking
// fetch serves the few synchronous calls. Replies are never cached, redirects
// are followed and gzip bodies are accepted and inflated.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tovera::platform::net {

using Headers = std::vector<std::pair<std::string, std::string>>;

struct HttpRequest {
    std::string url;
    std::string method = "GET";  // compared without regard to case
    Headers headers;
    std::string body;  // sent for methods other than GET
    std::chrono::milliseconds timeout = std::chrono::seconds(180);
    /// Inflate compressed replies here. A caller that inflates them itself
    /// turns this off and gets the body as the server sent it.
    bool decodeContent = true;
};

struct HttpResponse {
    long statusCode = 0;
    std::string url;  // the address answered, after redirects
    Headers headers;
    /// Value of the first header named `name` (case-insensitive), or "".
    std::string header(std::string_view name) const;
};

/// A failed transfer: curl's error code (domain "curl") and its message.
struct NetError {
    std::string domain = "curl";
    int code = 0;
    std::string message;
    /// True when the failure was the time-out.
    bool timedOut = false;
};

/// Receiver of a connection's events, all on the main thread, in order:
/// didReceiveResponse once, didReceiveData any number of times, then exactly
/// one of didFinishLoading or didFailWithError.
class ConnectionDelegate {
public:
    virtual ~ConnectionDelegate() = default;
    virtual void didReceiveResponse(const HttpResponse&) {}
    virtual void didReceiveData(std::string_view) {}
    virtual void didFinishLoading() {}
    virtual void didFailWithError(const NetError&) {}
};

/// One asynchronous transfer. It holds its delegate (so an object that let
/// go of its connection still hears how it ended) until the transfer ends or
/// is cancelled. Destroying the handle does not cancel the transfer.
class Connection {
public:
    /// Starts the transfer at once. Its events go to the main-thread queue
    /// installed at this call, which must outlive the transfer.
    static std::shared_ptr<Connection> start(HttpRequest request,
                                             std::shared_ptr<ConnectionDelegate> delegate);
    virtual ~Connection() = default;
    /// Stops the transfer; the delegate hears nothing more, not even of
    /// events already queued for the main thread. Call on the main thread.
    virtual void cancel() = 0;
};

struct FetchResult {
    HttpResponse response;
    std::string body;
    std::optional<NetError> error;  // set when the transfer failed
};

/// Blocks the calling thread until the transfer ends.
FetchResult fetch(const HttpRequest& request);

/// With `abandoned` true, every transfer in progress ends with an error
/// within about a second and later ones fail at once; false lets them run
/// again. The process's exit uses it so that no transfer holds it up.
void setTransfersAbandoned(bool abandoned);

/// The network-activity indicator. The toolkit installs a handler that shows
/// it; without one the calls do nothing.
void setNetworkActivityIndicatorVisible(bool visible);
void setNetworkActivityIndicatorHandler(std::function<void(bool)> handler);

}  // namespace tovera::platform::net
