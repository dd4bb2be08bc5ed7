#include "platform/net/Http.h"

#include <curl/curl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>

#include "platform/MainQueue.h"
#include "platform/net/HttpWorker.h"

using namespace std::chrono_literals;
namespace platform = tovera::platform;
namespace net = tovera::platform::net;

namespace {

const std::string kBigBody = [] {
    std::string body;
    for (int i = 0; body.size() < 300000; ++i)
        body += std::to_string(i) + ",";
    return body;
}();

// A gzip stream of `text`, made by the server library's zlib compressor.
std::string gzip(const std::string& text) {
    std::string out;
    httplib::detail::gzip_compressor().compress(text.data(), text.size(), true,
                                                [&](const char* data, std::size_t size) {
                                                    out.append(data, size);
                                                    return true;
                                                });
    return out;
}

// A real HTTP server on an ephemeral loopback port, served by its own threads.
class TestServer {
public:
    struct Seen {
        std::string method, path, body;
        httplib::Headers headers;
        int remotePort = 0;
    };

    TestServer() {
        server_.new_task_queue = [] { return new httplib::ThreadPool(16); };
        server_.set_tcp_nodelay(true);
        server_.set_keep_alive_max_count(1000);
        server_.set_keep_alive_timeout(1);  // bounds how long stop() waits on idle connections
        server_.Get("/hello", [](const auto&, auto& res) {
            res.set_header("X-Tovera", "yes");
            res.set_content("hello, world", "text/plain");
        });
        server_.Get("/big", [](const auto&, auto& res) {
            res.set_content(kBigBody, "application/octet-stream");  // sent as it is
        });
        server_.Get("/empty", [](const auto&, auto& res) { res.set_content("", "text/plain"); });
        server_.Get("/gzip", [](const auto&, auto& res) {
            res.set_header("Content-Encoding", "gzip");
            res.set_content(gzip(kBigBody), "application/octet-stream");
        });
        server_.Get("/redirect", [](const auto&, auto& res) { res.set_redirect("/hello"); });
        server_.Get("/redirect-file",
                    [](const auto&, auto& res) { res.set_redirect("file:///etc/hostname"); });
        const auto record = [this](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard lock(mutex_);
            seen_.push_back({req.method, req.path, req.body, req.headers, req.remote_port});
            res.set_content("recorded", "text/plain");
        };
        server_.Get("/record", record);
        server_.Post("/record", record);
        server_.Put("/record", record);
        server_.Delete("/record", record);
        server_.Get("/gate", [this](const auto&, auto& res) {
            std::unique_lock lock(mutex_);
            ++arrived_;
            changed_.notify_all();
            changed_.wait_for(lock, 30s, [this] { return open_; });
            res.set_content("released", "text/plain");
        });
        // Answers once kTogether requests are in the handler at the same time.
        server_.Get("/together", [this](const auto& req, auto& res) {
            std::unique_lock lock(mutex_);
            ++together_;
            changed_.notify_all();
            const bool met = changed_.wait_for(lock, 5s, [this] { return together_ >= kTogether; });
            res.set_content((met ? "together " : "alone ") + req.get_param_value("n"),
                            "text/plain");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() is ignored until the accept loop runs, and join would then hang.
        while (!server_.is_running())
            std::this_thread::yield();
    }

    ~TestServer() {
        release();
        server_.stop();
        thread_.join();
    }

    static constexpr int kTogether = 4;

    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    std::vector<Seen> seen() {
        std::lock_guard lock(mutex_);
        return seen_;
    }
    bool waitForArrivals(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return arrived_ >= count; });
    }
    void release() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    void closeGate() {
        std::lock_guard lock(mutex_);
        open_ = false;
        arrived_ = 0;
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Seen> seen_;
    int arrived_ = 0;
    int together_ = 0;
    bool open_ = false;
};

// A loopback port bound but not listening: connecting to it is refused.
class RefusingPort {
public:
    RefusingPort() : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~RefusingPort() { close(fd_); }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

private:
    int fd_;
    int port_ = 0;
};

// What a delegate heard, kept apart from it so it can be read after the
// delegate is gone.
struct Heard {
    std::vector<std::string> events;  // runs of data chunks count once
    net::HttpResponse response;
    std::string body;
    std::optional<net::NetError> error;
    bool offMainThread = false;
    bool ended() const {
        return !events.empty() && (events.back() == "finish" || events.back() == "fail");
    }
};

class Recorder : public net::ConnectionDelegate {
public:
    explicit Recorder(Heard& heard) : heard_(heard) {}
    void didReceiveResponse(const net::HttpResponse& response) override {
        note("response");
        heard_.response = response;
    }
    void didReceiveData(std::string_view data) override {
        if (heard_.events.empty() || heard_.events.back() != "data") note("data");
        heard_.body.append(data);
    }
    void didFinishLoading() override { note("finish"); }
    void didFailWithError(const net::NetError& error) override {
        note("fail");
        heard_.error = error;
    }

private:
    void note(const char* event) {
        if (std::this_thread::get_id() != mainThread_) heard_.offMainThread = true;
        heard_.events.push_back(event);
    }
    Heard& heard_;
    std::thread::id mainThread_ = std::this_thread::get_id();
};

std::string joined(const std::vector<std::string>& events) {
    std::string out;
    for (const auto& event : events)
        out += (out.empty() ? "" : " ") + event;
    return out;
}

class Http : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new TestServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        server->closeGate();
        platform::setMainQueue(&queue);
    }
    void TearDown() override {
        server->release();
        EXPECT_TRUE(net::HttpWorker::instance().waitUntilIdle(10s));
        platform::setMainQueue(nullptr);
    }

    net::HttpRequest request(const std::string& path, std::string method = "GET") const {
        net::HttpRequest r;
        r.url = server->url(path);
        r.method = std::move(method);
        return r;
    }

    // Sends `r` asynchronously or through fetch() and returns what came back.
    Heard load(const net::HttpRequest& r, bool async) {
        Heard heard;
        if (async) {
            auto connection = net::Connection::start(r, std::make_shared<Recorder>(heard));
            EXPECT_TRUE(queue.runUntil([&] { return heard.ended(); }));
        } else {
            auto result = net::fetch(r);
            heard.response = result.response;
            heard.body = result.body;
            heard.error = result.error;
        }
        return heard;
    }

    static inline TestServer* server = nullptr;
    platform::ManualMainQueue queue;
};

// The same options hold for asynchronous connections (true) and fetch() (false).
class HttpBothWays : public Http, public ::testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(Loading, HttpBothWays, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? "Async" : "Fetch"; });

TEST_P(HttpBothWays, RepliesArriveWithStatusHeadersFinalAddressAndInflatedBody) {
    struct Case {
        std::string method, path;
        long status;
        std::string body, finalPath, events;
        bool decode = true;
    };
    const Case cases[] = {
        {"GET", "/hello", 200, "hello, world", "/hello", "response data finish"},
        {"GET", "/redirect", 200, "hello, world", "/hello", "response data finish"},
        {"GET", "/gzip", 200, kBigBody, "/gzip", "response data finish"},
        {"GET", "/gzip", 200, gzip(kBigBody), "/gzip", "response data finish", false},
        {"get", "/big", 200, kBigBody, "/big", "response data finish"},
        {"GET", "/empty", 200, "", "/empty", "response finish"},
        {"HEAD", "/hello", 200, "", "/hello", "response finish"},
        {"GET", "/missing", 404, "", "/missing", "response finish"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method + " " + c.path);
        auto r = request(c.path, c.method);
        r.decodeContent = c.decode;
        const Heard heard = load(r, GetParam());
        EXPECT_FALSE(heard.error) << heard.error->message;
        EXPECT_EQ(heard.response.statusCode, c.status);
        EXPECT_EQ(heard.response.url, server->url(c.finalPath));
        EXPECT_TRUE(heard.body == c.body) << heard.body.size() << " bytes";
        if (GetParam()) {
            EXPECT_EQ(joined(heard.events), c.events);
        }
        if (c.finalPath == "/hello") {
            EXPECT_EQ(heard.response.header("x-TOVERA"), "yes");
        }
    }
}

TEST_P(HttpBothWays, RequestsCarryMethodBodyAndHeaders) {
    const std::string binary("\x00\x01\xff binary", 10);
    struct Case {
        std::string method, body;
        net::Headers headers;
        std::string seenMethod, seenBody, contentType;
    };
    const Case cases[] = {
        {"POST", "a=1&b=%D6%D0", {}, "POST", "a=1&b=%D6%D0", "application/x-www-form-urlencoded"},
        {"post",
         std::string(1200000, 'x') + binary,
         {{"Content-Type", "application/octet-stream"}},
         "POST",
         std::string(1200000, 'x') + binary,
         "application/octet-stream"},
        {"POST", "", {}, "POST", "", "application/x-www-form-urlencoded"},
        {"PUT", "k=v", {}, "PUT", "k=v", "application/x-www-form-urlencoded"},
        {"DELETE", "", {}, "DELETE", "", ""},
        {"GET", "ignored", {{"X-Token", "abc"}, {"X-Evil", "a\r\nX-Injected: 1"}}, "GET", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method + " " + c.body.substr(0, 20));
        auto r = request("/record", c.method);
        r.body = c.body;
        r.headers = c.headers;
        const Heard heard = load(r, GetParam());
        ASSERT_FALSE(heard.error) << heard.error->message;
        EXPECT_EQ(heard.body, "recorded");
        const auto seen = server->seen().back();
        EXPECT_EQ(seen.method, c.seenMethod);
        EXPECT_TRUE(seen.body == c.seenBody) << seen.body.size() << " bytes";
        const auto header = [&](const char* name) {
            const auto it = seen.headers.find(name);
            return it == seen.headers.end() ? std::string("<none>") : it->second;
        };
        EXPECT_EQ(header("Content-Type"), c.contentType.empty() ? "<none>" : c.contentType);
        EXPECT_EQ(header("Cache-Control"), "no-cache");
        EXPECT_EQ(header("Pragma"), "no-cache");
        EXPECT_EQ(header("Expect"), "<none>");
        EXPECT_NE(header("Accept-Encoding").find("gzip"), std::string::npos);
        EXPECT_EQ(header("X-Injected"), "<none>");
        EXPECT_EQ(header("X-Evil"), "<none>");
        for (const auto& [name, value] : c.headers) {
            if (name == "X-Token") {
                EXPECT_EQ(header("X-Token"), value);
            }
        }
    }
}

TEST_P(HttpBothWays, FailuresReportCurlCodeAndText) {
    const RefusingPort refusing;
    struct Case {
        std::string url;
        CURLcode code;
    };
    const Case cases[] = {
        {refusing.url(), CURLE_COULDNT_CONNECT},
        {"file:///etc/hostname", CURLE_UNSUPPORTED_PROTOCOL},
        {server->url("/redirect-file"), CURLE_UNSUPPORTED_PROTOCOL},
        {"http://", CURLE_URL_MALFORMAT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        net::HttpRequest r;
        r.url = c.url;
        const Heard heard = load(r, GetParam());
        ASSERT_TRUE(heard.error);
        EXPECT_EQ(heard.error->domain, "curl");
        EXPECT_EQ(heard.error->code, c.code);
        EXPECT_EQ(heard.error->message.rfind(curl_easy_strerror(c.code), 0), 0u)
            << heard.error->message;
        EXPECT_FALSE(heard.error->timedOut);
        if (GetParam()) {
            EXPECT_EQ(joined(heard.events), "fail");
        }
    }
}

TEST_P(HttpBothWays, SlowReplyTimesOut) {
    auto r = request("/gate");
    r.timeout = 200ms;
    const Heard heard = load(r, GetParam());
    ASSERT_TRUE(heard.error);
    EXPECT_TRUE(heard.error->timedOut);
    EXPECT_EQ(heard.error->code, CURLE_OPERATION_TIMEDOUT);
    EXPECT_GT(heard.error->message.size(),
              std::string(curl_easy_strerror(CURLE_OPERATION_TIMEDOUT)).size());
}

TEST_P(HttpBothWays, ConsecutiveRequestsReuseOneConnection) {
    TestServer fresh;  // no idle connections to it exist yet
    std::set<int> ports;
    for (int i = 0; i < 5; ++i) {
        net::HttpRequest r;
        r.url = fresh.url("/record");
        ASSERT_FALSE(load(r, GetParam()).error);
    }
    for (const auto& seen : fresh.seen())
        ports.insert(seen.remotePort);
    EXPECT_EQ(ports.size(), 1u);
}

TEST_F(Http, EventsReachTheDelegateOnlyThroughTheMainQueue) {
    Heard heard;
    auto connection = net::Connection::start(request("/big"), std::make_shared<Recorder>(heard));
    ASSERT_TRUE(net::HttpWorker::instance().waitUntilIdle(10s));
    EXPECT_TRUE(heard.events.empty());  // finished on the worker, nothing delivered yet
    queue.runPending();
    EXPECT_EQ(joined(heard.events), "response data finish");
    EXPECT_EQ(heard.body, kBigBody);
    EXPECT_FALSE(heard.offMainThread);
}

TEST_F(Http, CancelSilencesTheDelegateAndLetsItGo) {
    for (const bool whileAtServer : {true, false}) {
        SCOPED_TRACE(whileAtServer ? "waiting at the server" : "events already queued");
        server->closeGate();
        Heard heard;
        auto delegate = std::make_shared<Recorder>(heard);
        const std::weak_ptr<Recorder> watch = delegate;
        auto connection = net::Connection::start(request(whileAtServer ? "/gate" : "/hello"),
                                                 std::move(delegate));
        if (whileAtServer)
            ASSERT_TRUE(server->waitForArrivals(1));
        else
            ASSERT_TRUE(net::HttpWorker::instance().waitUntilIdle(10s));
        connection->cancel();
        EXPECT_TRUE(watch.expired());
        ASSERT_TRUE(net::HttpWorker::instance().waitUntilIdle(10s));
        server->release();
        queue.runPending();
        EXPECT_TRUE(heard.events.empty()) << joined(heard.events);
    }
}

TEST_F(Http, ConnectionHoldsItsDelegateUntilTheEnd) {
    Heard heard;
    auto delegate = std::make_shared<Recorder>(heard);
    const std::weak_ptr<Recorder> watch = delegate;
    net::Connection::start(request("/hello"), std::move(delegate));  // handle dropped at once
    EXPECT_FALSE(watch.expired());
    ASSERT_TRUE(queue.runUntil([&] { return heard.ended(); }));
    EXPECT_EQ(joined(heard.events), "response data finish");
    EXPECT_TRUE(watch.expired());
}

TEST_F(Http, ManyConcurrentTransfersRunTogetherOnOneWorkerThread) {
    constexpr int kCount = 50;
    std::vector<Heard> heard(kCount);
    std::vector<std::shared_ptr<net::Connection>> connections;
    for (int i = 0; i < kCount; ++i)
        connections.push_back(net::Connection::start(request("/together?n=" + std::to_string(i)),
                                                     std::make_shared<Recorder>(heard[i])));
    ASSERT_TRUE(queue.runUntil(
        [&] { return std::all_of(heard.begin(), heard.end(), [](auto& h) { return h.ended(); }); },
        30s));
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(joined(heard[i].events), "response data finish");
        EXPECT_EQ(heard[i].body, "together " + std::to_string(i));
    }
    EXPECT_EQ(net::HttpWorker::threadsStarted(), 1u);
}

using HttpExitDeathTest = Http;

TEST_F(HttpExitDeathTest, TransfersInFlightAtExitAreDroppedCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Heard heard;
            net::Connection::start(request("/gate"), std::make_shared<Recorder>(heard));
            if (!server->waitForArrivals(1)) std::abort();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(NetworkActivityIndicator, ReachesTheInstalledHandlerOnly) {
    net::setNetworkActivityIndicatorVisible(true);  // no handler: nothing happens
    std::vector<bool> shown;
    net::setNetworkActivityIndicatorHandler([&](bool visible) { shown.push_back(visible); });
    net::setNetworkActivityIndicatorVisible(true);
    net::setNetworkActivityIndicatorVisible(false);
    net::setNetworkActivityIndicatorHandler({});
    net::setNetworkActivityIndicatorVisible(true);
    EXPECT_EQ(shown, (std::vector<bool>{true, false}));
}

}  // namespace
