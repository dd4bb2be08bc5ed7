// A loopback server for replies the demo service never gives: list pages of
// any size, refusals, unreadable bodies, pictures of chosen bytes, and
// requests held until the test lets them go.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <string>

#include "tests/core/LoopbackServer.h"

namespace tovera::testing {

class ScriptedServer {
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    ScriptedServer();
    ~ScriptedServer();

    std::string base() const;
    /// An address of this server ("/pic/a.jpg" gives "http://127.0.0.1:<port>/pic/a.jpg").
    std::string url(const std::string& path) const;

    /// Every request is answered by `handler` (after any hold).
    void respond(Handler handler);
    /// Answers every request with the JSON `body` (UTF-8, sent as GB18030).
    void reply(const std::string& body);
    /// Answers list requests with page "page" of `available` items ("id",
    /// "name", "image"; all `total` when negative), ten to a page, with
    /// "total" = `total`.
    void list(int total, int available = -1);
    /// Answers with raw bytes of the given content type.
    void bytes(const std::string& body, const std::string& contentType);

    /// Requests whose "page" parameter (or path, for pictures) matches are
    /// held until release().
    void holdPage(const std::string& page);
    void holdPath(const std::string& path);
    void release();

    /// Requests received so far, oldest first.
    std::vector<test::ReceivedRequest> received() const { return server_.received(); }
    /// The "page" values of the requests received so far.
    std::vector<std::string> pages() const;

private:
    void waitIfHeld(const httplib::Request& request);

    std::mutex mutex_;
    std::condition_variable released_;
    std::set<std::string> heldPages_;
    std::set<std::string> heldPaths_;
    Handler handler_;
    // Last: it stops (and waits for its handlers) before the rest goes.
    test::LoopbackServer server_;
};

/// The JSON text of a list page: up to ten of `available` items, "total" `total`.
std::string listPage(int page, int total, int available);
/// A small JPEG picture of `width` x `height`.
std::string jpegBytes(int width, int height);

}  // namespace tovera::testing
