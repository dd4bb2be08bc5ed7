// A real HTTP server on 127.0.0.1 for transport tests: it records every
// request it receives and answers with a reply the test chooses.
#pragma once

#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tovera::test {

struct ReceivedRequest {
    std::string method;
    std::string path;
    std::string target;  // raw path and query, as sent
    std::string body;
    std::string contentType;
    httplib::MultipartFormDataMap files;
};

/// A loopback port on which nothing listens: connections to it are refused.
inline int unusedPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length);
    ::close(fd);
    return ntohs(addr.sin_port);
}

/// A loopback port that takes connections (the kernel completes them) and
/// never answers: a service that hangs. close() resets every connection
/// waiting on it; it closes itself after `limit` at the latest, so a client
/// that blocks on it cannot hang a test.
class SilentPort {
public:
    explicit SilentPort(std::chrono::milliseconds limit = std::chrono::seconds(3)) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof addr;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(fd_, 16);
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &length);
        port_ = ntohs(addr.sin_port);
        guard_ = std::thread([this, limit] {
            std::unique_lock lock(mutex_);
            closing_.wait_for(lock, limit, [this] { return fd_ < 0; });
            closeLocked();
        });
    }
    ~SilentPort() {
        close();
        guard_.join();
    }

    int port() const { return port_; }
    /// Whether a client has connected and waits for an answer.
    bool connectionWaiting() {
        std::lock_guard lock(mutex_);
        pollfd ready{fd_, POLLIN, 0};
        return fd_ >= 0 && ::poll(&ready, 1, 0) > 0;
    }
    /// Stops listening; the waiting connections are reset.
    void close() {
        std::lock_guard lock(mutex_);
        closeLocked();
        closing_.notify_all();
    }

private:
    void closeLocked() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    std::mutex mutex_;
    std::condition_variable closing_;
    int fd_ = -1;
    int port_ = 0;
    std::thread guard_;
};

class LoopbackServer {
public:
    using Responder = std::function<void(const httplib::Request&, httplib::Response&)>;

    LoopbackServer() {
        auto handler = [this](const httplib::Request& req, httplib::Response& res) {
            Responder responder;
            {
                std::lock_guard lock(mutex_);
                received_.push_back({req.method, req.path, req.target, req.body,
                                     req.get_header_value("Content-Type"), req.files});
                responder = responder_;
            }
            if (responder)
                responder(req, res);
            else
                res.set_content("{\"error_code\":200,\"msg\":\"ok\"}", "application/json");
        };
        // One request per connection, so that stopping never waits for an idle keep-alive.
        server_.set_keep_alive_max_count(1);
        server_.set_tcp_nodelay(true);
        server_.Get(".*", handler);
        server_.Post(".*", handler);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() before the loop runs would be lost and the join would hang.
        while (!server_.is_running())
            std::this_thread::yield();
    }
    ~LoopbackServer() {
        server_.stop();
        thread_.join();
    }

    int port() const { return port_; }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

    /// Answers every following request with `body` (GB18030 bytes).
    void reply(std::string body) {
        respond([body](const httplib::Request&, httplib::Response& res) {
            res.set_content(body, "application/json; charset=GB18030");
        });
    }
    void respond(Responder responder) {
        std::lock_guard lock(mutex_);
        responder_ = std::move(responder);
    }

    std::vector<ReceivedRequest> received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }
    ReceivedRequest last() const {
        std::lock_guard lock(mutex_);
        return received_.empty() ? ReceivedRequest{} : received_.back();
    }

private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<ReceivedRequest> received_;
    Responder responder_;
};

}  // namespace tovera::test
