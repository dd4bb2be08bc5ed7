#include "core/DSTovera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>

#include "LoopbackServer.h"
#include "core/DBConnection.h"
#include "core/Gb18030.h"
#include "core/ServiceSettings.h"
#include "platform/Alert.h"
#include "platform/AppHome.h"
#include "platform/MainQueue.h"
#include "platform/Preferences.h"
#include "platform/Timers.h"
#include "platform/net/HttpWorker.h"

using namespace tovera;
using namespace std::chrono_literals;
using tovera::test::LoopbackServer;
using tovera::test::SilentPort;

namespace {

struct Recorder : QXRequestDelegate {
    int announced = 0;
    int loads = 0;
    int failures = 0;
    bool nullRequest = false;
    std::optional<Value> result;
    std::optional<Error> error;
    void requestLoading(QXRequest*) override { ++announced; }
    void requestDidLoad(QXRequest* request, const Value& value) override {
        ++loads;
        nullRequest = request == nullptr;
        result = value;
    }
    void requestDidFailWithError(QXRequest* request, const Error& e) override {
        ++failures;
        nullRequest = request == nullptr;
        error = e;
    }
    bool done() const { return loads + failures > 0; }
};

// Holds the service's answers until opened, or for `limit` at most, so that
// a client which blocks on them cannot hang the test.
struct Gate {
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
    void wait(std::chrono::milliseconds limit = 3s) {
        std::unique_lock lock(mutex);
        opened.wait_for(lock, limit, [this] { return open; });
    }
    void release() {
        std::lock_guard lock(mutex);
        open = true;
        opened.notify_all();
    }
};

const std::string kLoginReply =
    "{\"error_code\":200,\"id\":\"7\",\"username\":\"demo\",\"password\":\"KEY\"}";

// The query or form of a received request as a dictionary of raw values.
std::map<std::string, std::string> fields(const test::ReceivedRequest& r) {
    std::string text =
        r.method == "GET" ? r.target.substr(std::min(r.target.find('?'), r.target.size())) : r.body;
    if (!text.empty() && text[0] == '?') text.erase(0, 1);
    std::map<std::string, std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t amp = text.find('&', start);
        std::string pair = text.substr(start, amp - start);
        std::size_t eq = pair.find('=');
        out[pair.substr(0, eq)] = eq == std::string::npos ? "" : pair.substr(eq + 1);
        if (amp == std::string::npos) break;
        start = amp + 1;
    }
    for (const auto& [key, part] : r.files)
        out[key] = part.content;
    return out;
}

class DSToveraTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = std::filesystem::temp_directory_path() /
                ("tovera-facade-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(home_);
        platform::setHomeDirectory(home_.string());
        platform::setMainQueue(&queue_);
        serviceSettings().serviceHost = "127.0.0.1:" + std::to_string(server_.port());
        serviceSettings().geocodingHost.clear();
        platform::takeRecordedAlerts();
    }
    void TearDown() override {
        DBConnection::closeDatabase();
        platform::setMainQueue(nullptr);
        platform::setHomeDirectory("");
        std::filesystem::remove_all(home_);
    }

    // Runs the main queue until `r` heard from its request.
    void wait(const Recorder& r) {
        ASSERT_TRUE(queue_.runUntil([&] { return r.done(); }));
    }

    // Runs the main queue, a heartbeat task among the others (so that `done`
    // is checked even when nothing else arrives), until `done` holds; returns
    // the longest time between two heartbeats.
    std::chrono::milliseconds longestStallUntil(const std::function<bool()>& done) {
        constexpr auto kLimit = 10s;
        auto last = std::chrono::steady_clock::now();
        const auto deadline = last + kLimit;
        std::chrono::steady_clock::duration longest{};
        bool stop = false;
        // The queue waits for its limit only while it is empty: the heartbeat
        // ends at the same limit.
        std::function<void()> beat = [&] {
            const auto now = std::chrono::steady_clock::now();
            longest = std::max(longest, now - last);
            last = now;
            if (!stop && now < deadline) queue_.post(beat);
        };
        queue_.post(beat);
        EXPECT_TRUE(queue_.runUntil(done, kLimit));
        stop = true;
        queue_.runPending();
        return std::chrono::duration_cast<std::chrono::milliseconds>(longest);
    }

    // Automatic sign-in on, with a stored password for the user "demo".
    void enableAutologin() {
        platform::preferences().setBool("autologin", true);
        platform::preferences().setString("username", "demo");
        ASSERT_TRUE(DSTovera::setPassword("secret", "demo"));
    }

    // Calls `operation` and returns what reached the server.
    template <typename Op>
    test::ReceivedRequest call(DSTovera& session, Op operation, Dict params) {
        Recorder r;
        (session.*operation)(params, &r);
        wait(r);
        return server_.last();
    }

    std::filesystem::path home_;
    platform::ManualMainQueue queue_;
    LoopbackServer server_;
};

using Operation = void (DSTovera::*)(Dict&, QXRequestDelegate*);
using ClassOperation = void (*)(Dict&, QXRequestDelegate*);

}  // namespace

TEST_F(DSToveraTest, EveryOperationReachesItsPathWithItsMethod) {
    struct Row {
        Operation op;
        const char* path;
        const char* method;
    };
    const Row rows[] = {
        {&DSTovera::getSystemCitylist, "system/citylist.aspx", "GET"},
        {&DSTovera::systemCityinfo, "system/cityinfo.aspx", "GET"},
        {&DSTovera::systemLocation, "system/location.aspx", "GET"},
        {&DSTovera::systemHome, "system/home.aspx", "GET"},
        {&DSTovera::getSystemCommentList, "system/comment_list.aspx", "GET"},
        {&DSTovera::getSystemReplyList, "system/reply_list.aspx", "GET"},
        {&DSTovera::getNewsSort, "news/sort.aspx", "GET"},
        {&DSTovera::getNewsSearch, "news/search.aspx", "GET"},
        {&DSTovera::getNewsDetail, "news/detail.aspx", "GET"},
        {&DSTovera::getHouseSearch, "house/search.aspx", "GET"},
        {&DSTovera::getHouseDetail, "house/detail.aspx", "GET"},
        {&DSTovera::houseIntroduce, "house/introduce.aspx", "GET"},
        {&DSTovera::houseSaleinfo, "house/saleinfo.aspx", "GET"},
        {&DSTovera::houseSupport, "house/support.aspx", "GET"},
        {&DSTovera::getHouseSellList, "house/sell_list.aspx", "GET"},
        {&DSTovera::getHouseGallery, "house/gallery.aspx", "GET"},
        {&DSTovera::getOldhouseSearch, "oldhouse/search.aspx", "GET"},
        {&DSTovera::getOldhouseDetail, "oldhouse/detail.aspx", "GET"},
        {&DSTovera::getAskList, "ask/list.aspx", "GET"},
        {&DSTovera::getAskDetail, "ask/detail.aspx", "GET"},
        {&DSTovera::getTopicList, "topic/list.aspx", "GET"},
        {&DSTovera::getTopicDetail, "topic/detail.aspx", "GET"},
        {&DSTovera::getActivityList, "activity/list.aspx", "GET"},
        {&DSTovera::getActivityDetail, "activity/detail.aspx", "GET"},
        {&DSTovera::activityApplyacivity, "activity/applyactivity.aspx", "GET"},
        {&DSTovera::getLiveList, "live/list.aspx", "GET"},
        {&DSTovera::getLiveDetail, "live/detail.aspx", "GET"},
        {&DSTovera::getLiveDiscussList, "live/discuss_list.aspx", "GET"},
        {&DSTovera::getUserInfo, "user/info.aspx", "GET"},
        {&DSTovera::userSetpassword, "user/setpassword.aspx", "POST"},
        {&DSTovera::userSetinfo, "user/setinfo.aspx", "POST"},
        {&DSTovera::userHeadphoto, "user/headphoto.aspx", "POST"},
        {&DSTovera::userMessagePost, "user/messagepost.aspx", "POST"},
        {&DSTovera::userFriendgroup, "user/friendgroup.aspx", "GET"},
        {&DSTovera::getUserSetgroup, "user/setgroup.aspx", "GET"},
        {&DSTovera::userUpdategroup, "user/updategroup.aspx", "GET"},
        {&DSTovera::getUserFriendSearch, "user/friend_search.aspx", "GET"},
        {&DSTovera::userApply, "user/apply.aspx", "GET"},
        {&DSTovera::userFoward, "user/foward.aspx", "GET"},
        {&DSTovera::userClose, "user/close.aspx", "GET"},
        {&DSTovera::userBestanswer, "user/bestanswer.aspx", "GET"},
        {&DSTovera::userPass, "user/pass.aspx", "GET"},
        {&DSTovera::userAgree, "user/agree.aspx", "GET"},
        {&DSTovera::userRecommand, "user/recommand.aspx", "GET"},
        {&DSTovera::userRemark, "user/remark.aspx", "GET"},
        {&DSTovera::userFocus, "user/focus.aspx", "GET"},
        {&DSTovera::getUserFocushouseList, "user/focushouse_list.aspx", "GET"},
        {&DSTovera::userSubscribe, "user/subscribe.aspx", "GET"},
        {&DSTovera::userNewmsg, "user/newmsg.aspx", "GET"},
        {&DSTovera::getUserSearchmsg, "user/searchmsg.aspx", "GET"},
        {&DSTovera::getUserSendmsgList, "user/sendmsg_list.aspx", "GET"},
        {&DSTovera::userSendmsg, "user/sendmsg.aspx", "GET"},
        {&DSTovera::userDeletemsg, "user/deletemsg.aspx", "GET"},
        {&DSTovera::userShieldmsg, "user/shieldmsg.aspx", "GET"},
        {&DSTovera::userSetmsg, "user/setmsg.aspx", "GET"},
        {&DSTovera::userBlack, "user/black.aspx", "GET"},
    };
    DSTovera session("1", "demo0123", "3401");
    for (const Row& row : rows) {
        auto got = call(session, row.op, Dict{{"id", "9"}});
        EXPECT_EQ(got.path, std::string("/api/phone/") + row.path);
        EXPECT_EQ(got.method, row.method) << row.path;
        EXPECT_EQ(fields(got)["access_token"], "demo0123") << row.path;
        EXPECT_EQ(fields(got)["cityid"], "3401") << row.path;
    }

    const std::pair<ClassOperation, const char*> classRows[] = {
        {&DSTovera::systemUpdate, "system/update.aspx"},
        {&DSTovera::userLogin, "user/login.aspx"},
        {&DSTovera::userRegister, "user/register.aspx"},
    };
    for (const auto& [op, path] : classRows) {
        Recorder r;
        Dict params{{"username", "demo"}};
        op(params, &r);
        wait(r);
        auto got = server_.last();
        EXPECT_EQ(got.path, std::string("/api/phone/") + path);
        EXPECT_FALSE(fields(got).count("access_token")) << path;
        EXPECT_FALSE(fields(got).count("cityid")) << path;
    }
    EXPECT_EQ(server_.last().method, "POST");
    EXPECT_EQ(fields(server_.received()[server_.received().size() - 3])["platform"], "ios");
}

TEST_F(DSToveraTest, TokenAndCityFollowTheSessionNotTheCaller) {
    DSTovera signedIn("1", "demoTOKEN", "3402");
    auto got = fields(
        call(signedIn, &DSTovera::getAskDetail, Dict{{"access_token", "stale"}, {"cityid", "0"}}));
    EXPECT_EQ(got["access_token"], "demoTOKEN");
    EXPECT_EQ(got["cityid"], "3402");
    EXPECT_EQ(fields(call(signedIn, &DSTovera::getAskDetail, Dict{{"cityid", "5"}}))["cityid"],
              "5");

    DSTovera signedOut(std::nullopt, std::nullopt, std::nullopt);
    got = fields(call(signedOut, &DSTovera::getAskDetail, Dict{{"access_token", "stale"}}));
    EXPECT_FALSE(got.count("access_token"));
    EXPECT_FALSE(got.count("cityid"));
}

TEST_F(DSToveraTest, PageSizeRulesPerOperation) {
    DSTovera session("1", "t", "3401");
    auto got = fields(call(session, &DSTovera::getAskList, Dict{{"size", "20"}}));
    EXPECT_EQ(got["size"], "10");
    got = fields(call(session, &DSTovera::getHouseGallery, Dict{{"size", "20"}}));
    EXPECT_EQ(got["size"], "20");
    got = fields(call(session, &DSTovera::getHouseGallery, Dict{}));
    EXPECT_EQ(got["size"], "10");
    EXPECT_FALSE(got.count("count"));
    got = fields(call(session, &DSTovera::getTopicDetail, Dict{}));
    EXPECT_EQ(got["count"], "10");
    EXPECT_FALSE(got.count("size"));
    got = fields(call(session, &DSTovera::systemHome, Dict{{"size", "abc"}}));
    EXPECT_EQ(got["size"], "10");
    EXPECT_EQ(got["count"], "10");
}

TEST_F(DSToveraTest, CacheDecisionConsumesForceAndCaches) {
    DSTovera session("1", "t", "3401");
    Dict cached{{"q", "x"}, {"caches", "1"}};
    Recorder silent;
    session.getNewsSearch(cached, &silent);
    queue_.runPending();
    EXPECT_FALSE(cached.contains("caches"));
    EXPECT_TRUE(server_.received().empty());
    EXPECT_FALSE(silent.done());

    Dict forced{{"q", "x"}, {"force", "1"}};
    Recorder r;
    session.getNewsSearch(forced, &r);
    wait(r);
    EXPECT_FALSE(forced.contains("force"));
    EXPECT_FALSE(fields(server_.last()).count("force"));

    // The listing search always goes out, "more" removed, "force" consumed.
    auto got = fields(call(session, &DSTovera::getOldhouseSearch,
                           Dict{{"api", "rent"}, {"more", "1"}, {"caches", "1"}}));
    EXPECT_EQ(server_.last().path, "/api/phone/rent/search.aspx");
    EXPECT_FALSE(got.count("more"));
    EXPECT_FALSE(got.count("force"));
    EXPECT_FALSE(got.count("api"));
}

TEST_F(DSToveraTest, KeptArticleAnswersAtOnceWithoutTheNetwork) {
    DSTovera::newsDetailCaches(Dict{{"id", "42"}, {"title", "标题"}, {"text", "正文"}});
    DSTovera session("1", "t", "3401");
    Dict params{{"id", "42"}};
    Recorder r;
    session.getNewsDetail(params, &r);
    EXPECT_EQ(r.loads, 1);
    EXPECT_TRUE(r.nullRequest);
    EXPECT_EQ(r.result->getStringValueForKey("title", ""), "标题");
    EXPECT_EQ(r.result->getStringValueForKey("id", ""), "42");
    EXPECT_EQ(r.result->getStringValueForKey("favorite", ""), "0");
    queue_.runPending();
    EXPECT_TRUE(server_.received().empty());
}

TEST_F(DSToveraTest, UploadRouteRefusesSignedOutCallersExceptComments) {
    DSTovera signedOut(std::nullopt, std::nullopt, "3401");
    Dict ask{{"api", "postask"}, {"content", "问题"}};
    Recorder refused;
    signedOut.userMessagePost(ask, &refused);
    ASSERT_EQ(refused.failures, 1);
    EXPECT_TRUE(refused.nullRequest);
    EXPECT_EQ(refused.error->code, 101);
    EXPECT_EQ(refused.error->userInfo.getStringValueForKey("tovera_error_code", ""), "203");

    Dict comment{{"api", "postcomment"}, {"content", "评论"}, {"access_token", "old"}};
    Recorder sent;
    signedOut.userMessagePost(comment, &sent);
    wait(sent);
    auto got = fields(server_.last());
    EXPECT_FALSE(got.count("access_token"));
    EXPECT_FALSE(comment.contains("access_token"));
    EXPECT_EQ(got["cityid"], "3401");
    EXPECT_EQ(got["content"], *gb18030::fromUtf8("评论"));

    DSTovera signedIn("7", "demoKEY", "3405");
    Dict photo{{"photo", Data{"\x89PNG", true}}, {"cityid", "3401"}};
    Recorder posted;
    signedIn.userHeadphoto(photo, &posted);
    wait(posted);
    got = fields(server_.last());
    EXPECT_EQ(got["access_token"], "demoKEY");
    EXPECT_EQ(got["uid"], "7");
    EXPECT_EQ(got["cityid"], "3401");                       // the caller's own city is kept
    EXPECT_EQ(photo.getStringValueForKey("uid", ""), "7");  // written into the caller's dictionary

    Dict noCity{{"photo", Data{"\x89PNG", true}}, {"cityid", "0"}};
    Recorder filled;
    signedIn.userHeadphoto(noCity, &filled);
    wait(filled);
    EXPECT_EQ(fields(server_.last())["cityid"], "3405");
}

TEST_F(DSToveraTest, SessionIdentityAndLoginPrompt) {
    DSTovera session("15", "u", "3401");
    EXPECT_TRUE(session.isMe("15"));
    EXPECT_FALSE(session.isMe("16"));
    EXPECT_FALSE(session.isMe(std::nullopt));
    EXPECT_TRUE(session.checkLogin());

    session.setUid(std::nullopt, std::nullopt, "3401");
    EXPECT_FALSE(session.isMe("15"));
    EXPECT_EQ(session.cityId(), "3401");
    EXPECT_EQ(session.number(), "0,0,0,0");
    int chosen = -1;
    session.setLoginPromptHandler([&](int index) { chosen = index; });
    EXPECT_FALSE(session.checkLogin());
    auto alerts = platform::takeRecordedAlerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].title, "提示");
    EXPECT_EQ(alerts[0].message, "您还没有登录，请登录!");
    EXPECT_EQ(alerts[0].buttons, (std::vector<std::string>{"登录", "取消"}));
    alerts[0].onButton(0);
    EXPECT_EQ(chosen, 0);
}

TEST_F(DSToveraTest, LastUpdateTimesPersistThroughReset) {
    DSTovera session("1", "t", "3401");
    ASSERT_EQ(session.lastUpdateTime().size(), 4u);
    EXPECT_EQ(session.lastUpdateTime()[2], "0");
    session.lastUpdateTime()[2] = "2026-12-01 10:00:00";
    session.reset();
    DSTovera next("1", "t", "3401");
    EXPECT_EQ(next.lastUpdateTime()[2], "2026-12-01 10:00:00");
}

TEST_F(DSToveraTest, PendingReloginSignsInWithTheStoredPasswordFirst) {
    const std::string key(32, 'a');
    server_.respond([&](const httplib::Request& req, httplib::Response& res) {
        if (req.path == "/api/phone/user/login.aspx")
            res.set_content(
                "{\"error_code\":200,\"id\":\"7\",\"username\":\"demo\",\"password\":\"" + key +
                    "\",\"completion\":\"80\"}",
                "application/json");
        else
            res.set_content("{\"error_code\":200}", "application/json");
    });
    auto& prefs = platform::preferences();
    prefs.setString("username", "demo");
    prefs.setBool("relogin", true);
    ASSERT_TRUE(DSTovera::setPassword("new&pass", "demo"));

    DSTovera session("7", "demoOLD", "3401");
    session.setNeedRelogin(true);
    auto got = call(session, &DSTovera::getUserInfo, Dict{});
    auto requests = server_.received();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].path, "/api/phone/user/login.aspx");
    EXPECT_EQ(requests[0].body, "username=demo&password=new%26pass");
    EXPECT_EQ(fields(got)["access_token"], "demo" + key);
    EXPECT_FALSE(session.needRelogin());
    EXPECT_FALSE(prefs.contains("relogin"));
    EXPECT_EQ(prefs.string("password"), key);
    EXPECT_EQ(prefs.string("completion"), "80");
    EXPECT_EQ(session.userId(), "7");
    EXPECT_EQ(session.cityId(), "3401");
}

TEST_F(DSToveraTest, AutologinWithoutAStoredPasswordSendsWithoutToken) {
    auto& prefs = platform::preferences();
    prefs.setBool("autologin", true);
    prefs.setString("username", "nobody");
    DSTovera session(std::nullopt, std::nullopt, "3401");
    auto got = call(session, &DSTovera::getAskDetail, Dict{});
    ASSERT_EQ(server_.received().size(), 1u);  // no login attempted
    EXPECT_FALSE(fields(got).count("access_token"));

    // A refused login leaves the session signed out.
    ASSERT_TRUE(DSTovera::setPassword("wrong", "nobody"));
    server_.reply("{\"error_code\":200,\"code\":1,\"msg\":\"x\"}");
    got = call(session, &DSTovera::getAskDetail, Dict{});
    ASSERT_EQ(server_.received().size(), 3u);
    EXPECT_EQ(server_.received()[1].path, "/api/phone/user/login.aspx");
    EXPECT_FALSE(session.isUserLoggedin());
    EXPECT_FALSE(fields(got).count("access_token"));
}

TEST_F(DSToveraTest, RequestsWaitForAnAutomaticReloginWithoutBlockingTheMainThread) {
    enableAutologin();
    auto gate = std::make_shared<Gate>();
    server_.respond([gate](const httplib::Request& req, httplib::Response& res) {
        if (req.path == "/api/phone/user/login.aspx") {
            gate->wait();
            res.set_content(kLoginReply, "application/json");
        } else {
            res.set_content("{\"error_code\":200}", "application/json");
        }
    });
    DSTovera session(std::nullopt, std::nullopt, "3401");
    Recorder first, second;
    std::shared_ptr<QXRequest> issued;
    Dict ask{{"id", "1"}}, info{};
    queue_.post([&] {
        session.getAskDetail(ask, &first);
        issued = session.request();
        session.getUserInfo(info, &second);
    });
    const auto stall =
        longestStallUntil([&] { return server_.received().size() == 1 && issued != nullptr; });
    EXPECT_LT(stall, 100ms);

    // Both requests are announced and returned, but wait for the one login.
    ASSERT_TRUE(issued);
    EXPECT_EQ(issued->url(), DSTovera::toveraHttpRequestDomain() + "ask/detail.aspx");
    EXPECT_EQ(first.announced, 1);
    EXPECT_EQ(second.announced, 1);
    EXPECT_FALSE(first.done() || second.done());
    EXPECT_EQ(server_.received()[0].path, "/api/phone/user/login.aspx");

    gate->release();
    ASSERT_TRUE(queue_.runUntil([&] { return first.done() && second.done(); }));
    const auto requests = server_.received();
    ASSERT_EQ(requests.size(), 3u);
    for (const auto& request : {requests[1], requests[2]}) {
        EXPECT_NE(request.path, "/api/phone/user/login.aspx");
        EXPECT_EQ(fields(request)["access_token"], "demoKEY") << request.path;
    }
}

TEST_F(DSToveraTest, FailedReloginSendsWithoutTokenAndPausesTheNextAttempt) {
    // A service that takes the login and hangs until it goes away, and one
    // that refuses connections.
    for (const bool hangs : {true, false}) {
        SCOPED_TRACE(hangs ? "hanging service" : "refusing service");
        enableAutologin();
        SilentPort silent;
        serviceSettings().serviceHost =
            "127.0.0.1:" + std::to_string(hangs ? silent.port() : test::unusedPort());
        DSTovera session(std::nullopt, std::nullopt, "3401");
        Recorder waiting;
        Dict params{};
        queue_.post([&] { session.getAskDetail(params, &waiting); });
        if (hangs) {
            EXPECT_LT(longestStallUntil([&] { return silent.connectionWaiting(); }), 100ms);
            EXPECT_FALSE(waiting.done());
            silent.close();
        }
        EXPECT_LT(longestStallUntil([&] { return waiting.done(); }), 100ms);
        EXPECT_EQ(waiting.failures, 1);  // the request went out and found no service either
        EXPECT_FALSE(session.isUserLoggedin());

        // Within the pause, requests go out at once, without a login.
        const std::size_t before = server_.received().size();
        serviceSettings().serviceHost = "127.0.0.1:" + std::to_string(server_.port());
        auto got = call(session, &DSTovera::getAskDetail, Dict{});
        ASSERT_EQ(server_.received().size(), before + 1);
        EXPECT_EQ(got.path, "/api/phone/ask/detail.aspx");
        EXPECT_FALSE(fields(got).count("access_token"));

        // After it, the next request tries again.
        platform::timers().fastForward(DSTovera::kReloginPause);
        call(session, &DSTovera::getAskDetail, Dict{});
        ASSERT_EQ(server_.received().size(), before + 3);
        EXPECT_EQ(server_.received()[before + 1].path, "/api/phone/user/login.aspx");
    }
}

TEST_F(DSToveraTest, LogoutAbandonsAReloginInFlight) {
    enableAutologin();
    auto gate = std::make_shared<Gate>();
    server_.respond([gate](const httplib::Request& req, httplib::Response& res) {
        if (req.path == "/api/phone/user/login.aspx") gate->wait();
        res.set_content(kLoginReply, "application/json");
    });
    DSTovera session(std::nullopt, std::nullopt, "3401");
    Recorder r;
    Dict params{};
    session.getAskDetail(params, &r);
    longestStallUntil([&] { return server_.received().size() == 1; });
    EXPECT_FALSE(r.done());

    // Logging out sends the waiting request at once, without a token, and the
    // login's late answer changes nothing.
    session.setUid(std::nullopt, std::nullopt, session.cityId());
    wait(r);
    EXPECT_FALSE(fields(server_.last()).count("access_token"));
    gate->release();
    ASSERT_TRUE(platform::net::HttpWorker::instance().waitUntilIdle(10s));
    queue_.runPending();
    EXPECT_FALSE(session.isUserLoggedin());
    EXPECT_FALSE(platform::preferences().contains("password"));
}

TEST_F(DSToveraTest, GeocodingAnswersOnTheMainThreadAndFallsBackToTheDefaultPosition) {
    server_.respond([](const httplib::Request& req, httplib::Response& res) {
        res.set_content(req.get_param_value("q") == "合肥" ? "200,6,31.82,117.22\n" : "602,0",
                        "text/plain");
    });
    // Starts a lookup; the position arrives later, through the main queue.
    using Position = std::optional<std::vector<std::string>>;
    auto lookUp = [](std::string_view address) {
        auto position = std::make_shared<Position>();
        DSTovera::getGEObyAddress(address, [position](auto answer) { *position = answer; });
        EXPECT_FALSE(*position) << "answered before the main queue ran";
        return position;
    };
    auto geocode = [&](std::string_view address) {
        auto position = lookUp(address);
        EXPECT_TRUE(queue_.runUntil([&] { return position->has_value(); }));
        return position->value_or(std::vector<std::string>{});
    };

    EXPECT_EQ(geocode("合肥"), (std::vector<std::string>{"200", "6", "31.82", "117.22"}));
    EXPECT_EQ(server_.last().path, "/maps/geo");
    const std::vector<std::string> fallback{"200", "4", "31.859207", "117.30757"};
    EXPECT_EQ(geocode("nowhere"), fallback);
    serviceSettings().geocodingHost = "127.0.0.1:" + std::to_string(test::unusedPort());
    EXPECT_EQ(geocode("合肥"), fallback);

    // An endpoint that takes the query and hangs holds up nothing.
    SilentPort silent;
    serviceSettings().geocodingHost = "127.0.0.1:" + std::to_string(silent.port());
    std::shared_ptr<Position> hanging;
    queue_.post([&] { hanging = lookUp("合肥"); });
    EXPECT_LT(longestStallUntil([&] { return silent.connectionWaiting(); }), 100ms);
    ASSERT_TRUE(hanging);
    EXPECT_FALSE(*hanging);
    silent.close();
    ASSERT_TRUE(queue_.runUntil([&] { return hanging->has_value(); }));
    EXPECT_EQ(**hanging, fallback);
}
