#include "core/QXRequest.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "LoopbackServer.h"
#include "core/Gb18030.h"
#include "platform/Alert.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"

using namespace tovera;
using tovera::test::LoopbackServer;

namespace {

std::string gb(std::string_view utf8) {
    return *gb18030::fromUtf8(utf8);
}

// Records what a request reports.
struct Recorder : QXRequestDelegate {
    std::vector<std::string> events;
    std::optional<Value> result;
    std::optional<Error> error;
    bool done = false;

    void requestLoading(QXRequest*) override { events.push_back("loading"); }
    void requestDidReceiveResponse(QXRequest*, const platform::net::HttpResponse&) override {
        events.push_back("response");
    }
    void requestDidLoad(QXRequest*, const Value& value) override {
        events.push_back("load");
        result = value;
        done = true;
    }
    void requestDidFailWithError(QXRequest*, const Error& e) override {
        events.push_back("fail");
        error = e;
        done = true;
    }
};

class QXRequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setMainQueue(&queue_);
        platform::takeRecordedAlerts();
    }
    void TearDown() override { platform::setMainQueue(nullptr); }

    // Sends a request and runs the main queue until it has reported.
    Recorder send(Dict params, std::string method = "GET", int postDataType = 0,
                  std::string path = "api/phone/news/sort.aspx") {
        Recorder recorder;
        auto request = QXRequest::getRequestWithParams(std::move(params), method, postDataType,
                                                       &recorder, server_.base() + path);
        request->connect();
        request.reset();  // the connection keeps it alive
        EXPECT_TRUE(queue_.runUntil([&] { return recorder.done; }));
        return recorder;
    }

    platform::ManualMainQueue queue_;
    LoopbackServer server_;
};

}  // namespace

TEST_F(QXRequestTest, GetQueryCarriesGb18030PercentEncodedValuesButNeverApi) {
    send(Dict{{"q", "中文 1"}, {"api", "rent"}, {"urlencode", "1"}, {"cityid", "3401"}});
    auto got = server_.last();
    EXPECT_EQ(got.method, "GET");
    EXPECT_EQ(got.target, "/api/phone/news/sort.aspx?q=%D6%D0%CE%C4%201&cityid=3401");

    send(Dict{}, "GET", 0, "api/phone/a.aspx?x=1");
    EXPECT_EQ(server_.last().target, "/api/phone/a.aspx?x=1");
    send(Dict{{"y", "2"}}, "get", 0, "api/phone/a.aspx?x=1");
    EXPECT_EQ(server_.last().target, "/api/phone/a.aspx?x=1&y=2");
}

TEST_F(QXRequestTest, NonTextParametersAreLoggedAndLeftOut) {
    std::vector<std::string> lines;
    platform::setLogSink([&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(QXRequest::stringFromDictionary(Dict{{"a", 1}, {"b", "x"}, {"c", Data{"d"}}}), "b=x");
    platform::setLogSink({});
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Please Use NSString for this kind of params"),
              2);
}

// Every secret the client sends, in a GET query and a form POST, with values
// holding the characters that end a value in free text: none of their
// characters reaches the log.
TEST_F(QXRequestTest, SecretsNeverReachTheLog) {
    const Dict secrets{{"access_token", "demoTOKEN, 7&x"},
                       {"password", "PASS wXrd,9"},
                       {"newprd", "NEW \"QZ\";1"},
                       {"oldprd", "OLD JK}2"},
                       {"username", "demo"}};
    for (const char* method : {"GET", "POST"}) {
        std::vector<std::string> lines;
        platform::setLogSink([&](std::string_view line) { lines.emplace_back(line); });
        send(secrets, method);
        platform::setLogSink({});
        ASSERT_FALSE(lines.empty());
        for (const std::string& line : lines)
            for (const char* fragment : {"TOKEN", "7&x", "PASS", "wXrd", "NEW", "QZ", "OLD", "JK"})
                EXPECT_EQ(line.find(fragment), std::string::npos) << method << ": " << line;
        EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                               [](const std::string& l) { return l.find("demo") != l.npos; }),
                  lines.end())
            << "the other parameters are still logged";
    }
}

// A name holding a quote, CR or LF cannot end its part header or add one:
// those characters travel escaped, and the server reads the part whole.
TEST_F(QXRequestTest, MultipartNamesCannotBreakThePartHeaders) {
    const std::string hostile = "note\"; filename=\"x.sh\r\nX-Part: 1";
    send(Dict{{hostile, "kept"}, {"content", "正文"}}, "POST", 1);
    const auto got = server_.last();
    ASSERT_EQ(got.files.size(), 2u);
    const auto part = got.files.find("note%22; filename=%22x.sh%0D%0AX-Part: 1");
    ASSERT_NE(part, got.files.end());
    EXPECT_EQ(part->second.content, "kept");
    EXPECT_TRUE(part->second.filename.empty());
}

TEST_F(QXRequestTest, FormPostSendsGb18030BodyWithoutApi) {
    send(Dict{{"username", "张三"}, {"password", "a&b=c"}, {"api", "x"}}, "POST");
    auto got = server_.last();
    EXPECT_EQ(got.method, "POST");
    EXPECT_EQ(got.target, "/api/phone/news/sort.aspx");
    EXPECT_EQ(got.body, "username=%D5%C5%C8%FD&password=a%26b%3Dc");
    EXPECT_EQ(got.contentType, "application/x-www-form-urlencoded");
}

TEST_F(QXRequestTest, MultipartBodyHasTextPartsThenPicturesAndACloseDelimiter) {
    const std::string png("\x89PNG\r\n\x1a\nbytes", 13);
    Dict params{{"pic1", Data{png, true}}, {"content", "你好"}, {"api", "postask"}};
    auto request = QXRequest::getRequestWithParams(params, "POST", 1, nullptr, "http://h/");
    const std::string b(QXRequest::kBoundary);
    const std::string expected =
        "--" + b + "\r\n" + "Content-Disposition: form-data; name=\"content\"\r\n\r\n" +
        gb("你好") + "\r\n--" + b + "\r\n" +
        "Content-Disposition: form-data; name=\"api\"\r\n\r\npostask\r\n--" + b + "\r\n" +
        "Content-Disposition: form-data; name=\"pic1\"; filename=\"pic1.png\"\r\n" +
        "Content-Type: image/*\r\nContent-Transfer-Encoding: binary\r\n\r\n" + png + "\r\n--" + b +
        "--\r\n";
    EXPECT_EQ(request->generatePostBody(), expected);

    // A strict server parses it back.
    send(params, "POST", 1);
    auto got = server_.last();
    EXPECT_EQ(got.contentType, "multipart/form-data; boundary=" + b);
    ASSERT_EQ(got.files.count("pic1"), 1u);
    EXPECT_EQ(got.files.find("pic1")->second.filename, "pic1.png");
    EXPECT_EQ(got.files.find("pic1")->second.content, png);
    ASSERT_EQ(got.files.count("content"), 1u);
    EXPECT_EQ(got.files.find("content")->second.content, gb("你好"));
}

TEST_F(QXRequestTest, BinaryDataPartHasNoFileName) {
    auto request = QXRequest::getRequestWithParams(Dict{{"f", Data{"raw", false}}}, "POST", 1,
                                                   nullptr, "http://h/");
    const std::string b(QXRequest::kBoundary);
    EXPECT_EQ(request->generatePostBody(),
              "--" + b + "\r\nContent-Disposition: form-data; name=\"f\"\r\n" +
                  "Content-Type: content/unknown\r\nContent-Transfer-Encoding: binary\r\n\r\n" +
                  "raw\r\n--" + b + "--\r\n");
}

TEST_F(QXRequestTest, EnvelopeDecidesSuccessOrFailure) {
    struct Case {
        std::string body;
        int code;  // 0: success
        std::string sdkCode;
    };
    const Case cases[] = {
        {"{\"error_code\":200,\"msg\":\"ok\"}", 0, ""},
        {"{\"error_code\":\"200\"}", 0, ""},
        {"{\"result\":[],\"total\":0}", 0, ""},
        {"[1,2]", 0, ""},
        {"{\"error_code\":\"0\",\"msg\":\"x\"}", 100, ""},
        {"{\"error_code\":404,\"msg\":\"" + gb("接口不存在") + "\"}", 100, ""},
        {"<html>oops</html>", 101, "200"},
        {"", 101, "200"},
        {"{\"msg\":\"\x80\"}", 101, "200"},  // not GB18030
    };
    for (const auto& c : cases) {
        server_.reply(c.body);
        Recorder r = send(Dict{});
        if (c.code == 0) {
            ASSERT_TRUE(r.result) << c.body;
            EXPECT_EQ(r.events, (std::vector<std::string>{"loading", "response", "load"}));
            continue;
        }
        ASSERT_TRUE(r.error) << c.body;
        EXPECT_EQ(r.error->domain, "domainToveraError");
        EXPECT_EQ(r.error->code, c.code) << c.body;
        if (c.code == 100) {
            EXPECT_TRUE(r.error->userInfo.contains("error_code"));
            EXPECT_TRUE(r.error->userInfo.contains("msg"));
        } else {
            EXPECT_EQ(r.error->userInfo.getStringValueForKey("tovera_error_code", ""), c.sdkCode);
        }
    }
    server_.reply("{\"error_code\":500,\"msg\":\"" + gb("服务器忙") + "\"}");
    Recorder r = send(Dict{});
    EXPECT_EQ(r.error->userInfo.getStringValueForKey("msg", ""), "服务器忙");
}

TEST_F(QXRequestTest, ConnectionFailuresCarryThePlatformError) {
    Recorder refused;
    QXRequest::getRequestWithParams(Dict{}, "GET", 0, &refused,
                                    "http://127.0.0.1:" + std::to_string(test::unusedPort()) + "/x")
        ->connect();
    ASSERT_TRUE(queue_.runUntil([&] { return refused.done; }));
    ASSERT_TRUE(refused.error);
    EXPECT_EQ(refused.error->domain, "curl");
    EXPECT_NE(refused.error->code, 0);

    // The handler may only get the request after the client gave up (on a
    // loaded machine even after this test ended): the gate outlives the test.
    auto gate = std::make_shared<std::mutex>();
    std::unique_lock held(*gate);
    server_.respond([gate](const httplib::Request&, httplib::Response& res) {
        std::lock_guard wait(*gate);  // answers only once the test has finished
        res.set_content("{}", "application/json");
    });
    Recorder slow;
    auto request = QXRequest::getRequestWithParams(Dict{}, "GET", 0, &slow, server_.base() + "t");
    request->setTimeoutInterval(std::chrono::milliseconds(200));
    request->connect();
    ASSERT_TRUE(queue_.runUntil([&] { return slow.done; }));
    held.unlock();
    ASSERT_TRUE(slow.error);
    EXPECT_TRUE(slow.error->userInfo.getBoolValueForKey("timedOut", false));
    EXPECT_FALSE(request->loading());
}

TEST_F(QXRequestTest, RequestWithoutDelegateShowsTheReplyMessage) {
    for (const auto& [body, message] : std::vector<std::pair<std::string, std::string>>{
             {"{\"error_code\":200,\"code\":0,\"msg\":\"" + gb("操作成功") + "\"}", "操作成功"},
             {"{\"error_code\":200}", ""}}) {
        server_.reply(body);
        auto request =
            QXRequest::getRequestWithParams(Dict{}, "GET", 0, nullptr, server_.base() + "a");
        request->connect();
        std::vector<platform::Alert> alerts;
        ASSERT_TRUE(queue_.runUntil([&] {
            for (auto& a : platform::takeRecordedAlerts())
                alerts.push_back(std::move(a));
            return !alerts.empty();
        }));
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(alerts[0].title, "提示");
        EXPECT_EQ(alerts[0].message, message);
        EXPECT_EQ(alerts[0].buttons, std::vector<std::string>{"确定"});
    }
}

TEST_F(QXRequestTest, ADelegateThatWentAwayHearsNothing) {
    auto recorder = std::make_unique<Recorder>();
    auto request =
        QXRequest::getRequestWithParams(Dict{}, "GET", 0, recorder.get(), server_.base() + "a");
    request->connect();
    recorder.reset();
    ASSERT_TRUE(queue_.runUntil([&] { return !request->loading(); }));
    // Neither a call into freed memory (ASan would see it) nor the no-delegate alert.
    EXPECT_TRUE(platform::takeRecordedAlerts().empty());
}

TEST_F(QXRequestTest, RawResponseConsumerStopsDecoding) {
    struct Raw : Recorder {
        std::string raw;
        bool requestDidLoadRawResponse(QXRequest*, std::string_view bytes) override {
            raw = bytes;
            done = true;
            return true;
        }
    } raw;
    server_.reply("not json");
    auto request = QXRequest::getRequestWithParams(Dict{}, "GET", 0, &raw, server_.base() + "a");
    request->connect();
    ASSERT_TRUE(queue_.runUntil([&] { return raw.done && !request->loading(); }));
    EXPECT_EQ(raw.raw, "not json");
    EXPECT_FALSE(raw.error);
    EXPECT_FALSE(raw.result);
}

TEST_F(QXRequestTest, LoggedLinesNeverShowCredentials) {
    std::vector<std::string> lines;
    platform::setLogSink([&](std::string_view line) { lines.emplace_back(line); });
    send(Dict{{"access_token", "demo0123456789abcdef"}, {"password", "secret"}});
    platform::setLogSink({});
    for (const auto& line : lines) {
        EXPECT_EQ(line.find("demo0123456789abcdef"), std::string::npos) << line;
        EXPECT_EQ(line.find("secret"), std::string::npos) << line;
    }
    EXPECT_FALSE(lines.empty());
}
