// The test hooks: faults injected per path for the next N requests, and the
// record of what the service received.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "ServiceHarness.h"
#include "core/Gb18030.h"

namespace tovera::test {
namespace {

using service::Fault;

TEST(ServiceHooks, FaultsHitTheNextRequestsOfTheirPathOnly) {
    RunningService service;
    WireClient wire;
    const std::string path = "news/sort.aspx";
    struct Case {
        Fault fault;
        std::function<void(const HttpReply&)> check;
    };
    const Case cases[] = {
        {{Fault::Kind::kDrop},
         [](const HttpReply& r) {
             EXPECT_NE(r.result, CURLE_OK) << "a dropped connection fails the transfer";
         }},
        {{Fault::Kind::kGarbage},
         [](const HttpReply& r) {
             EXPECT_EQ(r.result, CURLE_OK);
             EXPECT_FALSE(parseReply(r.body));
         }},
        {{Fault::Kind::kErrorCode, 1, {}, 503, "服务暂停"},
         [](const HttpReply& r) {
             Value reply = replyOf(r);
             EXPECT_EQ(reply["error_code"].intValue(), 503);
             EXPECT_EQ(reply["msg"].toText(), "服务暂停");
         }},
        {{Fault::Kind::kRefusal, 1, {}, 0, "系统维护中"},
         [](const HttpReply& r) {
             Value reply = replyOf(r);
             EXPECT_EQ(reply["error_code"].intValue(), 200);
             EXPECT_EQ(reply["code"].intValue(), 1);
             EXPECT_EQ(reply["msg"].toText(), "系统维护中");
         }},
    };
    for (const Case& c : cases) {
        Fault fault = c.fault;
        fault.count = 2;
        service->injectFault(path, fault);
        EXPECT_EQ(replyOf(wire.get(service.api("system/citylist.aspx")))["total"].intValue(), 10)
            << "other paths are untouched";
        c.check(wire.get(service.api(path)));
        c.check(wire.get(service.api(path)));
        Value normal = replyOf(wire.get(service.api(path)));
        EXPECT_EQ(normal["total"].intValue(), 8)
            << "after two faulty answers the path is back to normal";
    }
}

TEST(ServiceHooks, ADelayHoldsTheAnswerBack) {
    RunningService service;
    WireClient wire;
    service->injectFault("*", Fault{Fault::Kind::kDelay, 1, std::chrono::milliseconds(300)});
    auto start = std::chrono::steady_clock::now();
    HttpReply delayed = wire.get(service.api("system/citylist.aspx"));
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(300));
    EXPECT_EQ(replyOf(delayed)["total"].intValue(), 10);
    service->injectFault("/maps/geo", Fault{Fault::Kind::kRefusal});
    service->clearFaults();
    EXPECT_EQ(wire.get(service.base() + "/maps/geo?q=x&output=csv").body, "602");
}

TEST(ServiceHooks, RequestsAreRecordedDecoded) {
    RunningService service;
    ApiClient api(service);
    api.get("news/search.aspx", {{"q", "学区"}, {"cid", "9|7|5"}});
    api.postMultipart(
        "user/messagepost.aspx",
        {{"t", "8"}, {"text", "带图"}, {"api", "postcomment"}, {"pic1", tinyPng(), true}});
    auto searches = service->requestsTo("news/search.aspx");
    ASSERT_EQ(searches.size(), 1u);
    EXPECT_EQ(searches[0].method, "GET");
    EXPECT_EQ(searches[0].params["q"].toText(), "学区");
    EXPECT_EQ(searches[0].params["cid"].toText(), "9|7|5");
    auto posts = service->requestsTo("user/messagepost.aspx");
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].params["text"].toText(), "带图");
    EXPECT_EQ(posts[0].params["api"].toText(), "postcomment");
    EXPECT_EQ(posts[0].pictures.at("pic1"), tinyPng());
    EXPECT_TRUE(service->requestsTo("user/login.aspx").empty());
}

TEST(ServiceHooks, UpdateCodeAndSplashPictureCanBeChanged) {
    RunningService service;
    ApiClient api(service);
    EXPECT_EQ(api.get("system/update.aspx", {{"platform", "ios"}})["result"][0]["code"].toText(),
              "100");
    service->setUpdateCode("101");
    Value rows = api.get("system/update.aspx", {{"platform", "ios"}});
    EXPECT_EQ(rows["result"][0]["platform"].toText(), "ios");
    EXPECT_EQ(rows["result"][0]["code"].toText(), "101");
    std::string splash = "system/splash.aspx?length=480&wide=320&version=iosv0.1.0";
    EXPECT_EQ(api.wire().get(service.api(splash)).body, service.base() + "/pic/splash_v1.png");
    service->setSplashPicture("splash_v2.png");
    EXPECT_EQ(api.wire().get(service.api(splash)).body, service.base() + "/pic/splash_v2.png");
}

}  // namespace
}  // namespace tovera::test
