// One service operation over HTTP: the parameters become a GET query or a
// POST body (URL-encoded form or multipart upload) in GB18030, the reply is
// decoded as JSON and checked against the envelope, and the delegate hears the
// outcome on the main thread.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/Error.h"
#include "core/OfflineStore.h"
#include "core/QXRequestDelegate.h"
#include "core/Value.h"
#include "platform/net/Http.h"

namespace tovera {

class QXRequest : public std::enable_shared_from_this<QXRequest>,
                  private platform::net::ConnectionDelegate {
public:
    /// Multipart boundary of upload bodies.
    static constexpr std::string_view kBoundary = "293iosfksdfkiowjksdf31jsiuwq003s02dsaffafass3qw";
    static constexpr std::chrono::seconds kTimeout{180};

    /// A new request with these fields, not yet started. `postDataType` 0 is
    /// a URL-encoded form body, 1 a multipart body. `delegate` is not owned;
    /// it may be null (the reply's "msg" is then shown in an alert).
    static std::shared_ptr<QXRequest> getRequestWithParams(
        Dict params, std::string_view httpMethod, int postDataType, QXRequestDelegate* delegate,
        std::string_view requestURL, platform::net::Headers headerFieldsInfo = {});

    ~QXRequest() override;
    QXRequest(const QXRequest&) = delete;
    QXRequest& operator=(const QXRequest&) = delete;

    /// Starts the request; while it loads, the connection keeps it alive.
    /// The same as announce() followed by send().
    void connect();
    /// Tells the delegate the request is under way (requestLoading) without
    /// sending it yet, for a request that must wait for something first.
    void announce();
    /// Sends an announced request.
    void send();
    /// Reports `error` to a delegate that is still alive.
    void failWithError(const Error& error);
    /// Decodes the reply bytes and reports the outcome.
    void handleResponseData(std::string_view bytes);
    /// Decodes and checks the envelope: a dictionary whose "error_code" is
    /// not 200 sets `error` to code 100 with the reply as user information.
    /// The decoded value is returned in every case where decoding worked.
    std::optional<Value> parseJsonResponse(std::string_view bytes, Error* error);

    /// Decodes GB18030 JSON bytes; an unreadable reply sets code 101 / "200".
    static std::optional<Value> parseJsonData(std::string_view bytes, Error* error);
    /// An error record of the service domain.
    static Error formError(int code, Dict userInfo);
    /// The address with the form text as its query for GET; unchanged otherwise.
    static std::string serializeURL(std::string_view url, const Dict& params,
                                    std::string_view httpMethod);
    /// The form text: key=percent-encoded value pairs joined by "&", text
    /// values only, "api" and "urlencode" left out.
    static std::string stringFromDictionary(const Dict& params);
    /// The POST body in GB18030.
    std::string generatePostBody() const;
    /// Appends UTF-8 `text` to `body` in GB18030.
    static void utfAppendBody(std::string& body, std::string_view text);

    const std::string& url() const { return url_; }
    const std::string& httpMethod() const { return httpMethod_; }
    const Dict& params() const { return params_; }
    /// Sets one parameter; only takes effect before send().
    void setParam(std::string_view key, Value value) { params_.set(key, std::move(value)); }
    int postDataType() const { return postDataType_; }
    const platform::net::Headers& headerFieldsInfo() const { return headerFieldsInfo_; }
    bool loading() const { return !connection_.expired(); }
    /// The reply bytes collected so far (present between headers and the end).
    const std::optional<std::string>& responseText() const { return responseText_; }

    /// Keeps a successful reply under `rule`, and answers with the kept copy
    /// when the service cannot be reached.
    void setKeep(std::optional<KeepRule> rule) { keep_ = std::move(rule); }
    const std::optional<KeepRule>& keep() const { return keep_; }

    /// Time-out of the transfer (180 seconds unless changed before connect()).
    void setTimeoutInterval(std::chrono::milliseconds timeout) { timeout_ = timeout; }

private:
    QXRequest() = default;

    /// The delegate while it lives; null when there was none or it has gone.
    QXRequestDelegate* liveDelegate() const;
    bool isGet() const;

    void didReceiveResponse(const platform::net::HttpResponse& response) override;
    void didReceiveData(std::string_view data) override;
    void didFinishLoading() override;
    void didFailWithError(const platform::net::NetError& error) override;

    std::string url_;
    std::string httpMethod_;
    Dict params_;
    int postDataType_ = 0;
    platform::net::Headers headerFieldsInfo_;
    QXRequestDelegate* delegate_ = nullptr;
    std::weak_ptr<void> delegateToken_;
    // Weak: the transfer keeps its connection, and the connection this
    // request, until it ends; a strong link back would be a cycle.
    std::weak_ptr<platform::net::Connection> connection_;
    std::optional<std::string> responseText_;
    std::chrono::milliseconds timeout_ = kTimeout;
    std::optional<KeepRule> keep_;
};

}  // namespace tovera
