// Actions change the portal's state: the next read shows the change, and so
// does a restarted service.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

Value postComment(ApiClient& api, const Params& extra, const std::string& token) {
    std::vector<Part> parts = {
        {"t", "8"}, {"type", "8"}, {"api", "postcomment"}, {"cityid", "3401"}};
    for (const auto& [key, value] : extra)
        parts.push_back({key, value});
    if (!token.empty()) parts.push_back({"access_token", token});
    return api.postMultipart("user/messagepost.aspx", parts);
}

Value firstComment(ApiClient& api, const std::string& type, const std::string& id) {
    return api.get("system/comment_list.aspx",
                   {{"t", type}, {"id", id}, {"size", "3"}})["result"][0];
}

TEST(ServiceState, ActionsShowOnTheNextReadAndAfterARestart) {
    TempDir data;
    std::string token;
    std::string commentId;
    {
        RunningService service(data.path());
        ApiClient api(service);
        token = api.login("demo", "demo1234");

        Value posted =
            postComment(api, {{"ptype", "1"}, {"id", "50002"}, {"text", "新评论[Face3]"}}, token);
        ASSERT_EQ(posted["code"].intValue(), 0);
        commentId = posted["id"].toText();
        Value listed = firstComment(api, "1", "50002");
        EXPECT_EQ(listed["id"].toText(), commentId);
        EXPECT_EQ(listed["user"].toText(), "demo");
        EXPECT_EQ(listed["commenthtml"].toText(), "新评论[Face3]");
        EXPECT_EQ(api.get("news/detail.aspx", {{"id", "50002"}})["comment"].toText(),
                  std::to_string(
                      api.get("system/comment_list.aspx", {{"t", "1"}, {"id", "50002"}})["total"]
                          .intValue()));

        EXPECT_EQ(api.get("user/subscribe.aspx", {{"cid", "8"}, {"operate", "2"}}, token)["code"]
                      .intValue(),
                  0);
        EXPECT_EQ(api.get("user/focus.aspx", {{"id", "1020"}, {"operate", "1"}}, token)["code"]
                      .intValue(),
                  0);
        EXPECT_EQ(api.get("user/agree.aspx", {{"id", commentId}, {"code", "1"}}, token)["code"]
                      .intValue(),
                  0);
    }
    RunningService restarted(data.path());
    ApiClient api(restarted);
    Value comment = firstComment(api, "1", "50002");
    EXPECT_EQ(comment["id"].toText(), commentId);
    EXPECT_EQ(comment["agree"].toText(), "1");
    Value categories = api.get("news/sort.aspx", {}, token);
    EXPECT_EQ(categories["result"][7]["cid"].toText(), "8");
    EXPECT_EQ(categories["result"][7]["subscribed"].toText(), "1");
    EXPECT_EQ(api.get("user/focushouse_list.aspx", {}, token)["result"][0]["id"].toText(), "1020");
    Value again = api.get("user/agree.aspx", {{"id", commentId}, {"operate", "1"}}, token);
    EXPECT_EQ(again["msg"].toText(), "您已经投过票了");
}

TEST(ServiceState, CommentsAreEscapedAndEmptyOnesRefused) {
    RunningService service;
    ApiClient api(service);
    Value empty = postComment(api, {{"ptype", "1"}, {"id", "50003"}, {"text", " \r\n "}}, "");
    EXPECT_EQ(empty["code"].intValue(), 1);
    EXPECT_EQ(empty["msg"].toText(), "内容不能为空");
    Value missing = postComment(api, {{"ptype", "1"}, {"id", "1"}, {"text", "好"}}, "");
    EXPECT_EQ(missing["msg"].toText(), "评论对象不存在");

    Value posted = postComment(
        api, {{"ptype", "1"}, {"id", "50003"}, {"text", "<img src=x onerror=\"a()\">&\n第二行"}},
        "");
    ASSERT_EQ(posted["code"].intValue(), 0);
    Value anonymous = firstComment(api, "1", "50003");
    EXPECT_EQ(anonymous["commenthtml"].toText(),
              "&lt;img src=x onerror=&quot;a()&quot;&gt;&amp;<br/>第二行");
    EXPECT_EQ(anonymous["user"].toText(), "网友");
    EXPECT_EQ(anonymous["uid"].toText(), "0");

    // A reply to that comment: listed under the article with its author named.
    std::string token = api.login("李华", "lihua123");
    Value reply =
        postComment(api, {{"ptype", "6"}, {"id", posted["id"].toText()}, {"text", "同意"}}, token);
    ASSERT_EQ(reply["code"].intValue(), 0);
    Value listed = firstComment(api, "1", "50003");
    EXPECT_EQ(listed["commenthtml"].toText(), "回复 网友：同意");
    EXPECT_EQ(listed["classtype"].toText(), "2");
    EXPECT_EQ(listed["cid"].toText(), "50003");
}

TEST(ServiceState, ACommentWithoutPtypeGoesToTheObjectTheCallerLastListed) {
    RunningService service;
    ApiClient api(service);
    std::string token = api.login("demo", "demo1234");
    // Activity 40001's comments were listed: a comment without "ptype" lands there.
    api.get("system/comment_list.aspx", {{"t", "3"}, {"id", "40001"}}, token);
    Value posted = postComment(api, {{"id", "40001"}, {"text", "报名了"}}, token);
    ASSERT_EQ(posted["code"].intValue(), 0);
    Value listed = firstComment(api, "3", "40001");
    EXPECT_EQ(listed["id"].toText(), posted["id"].toText());
    EXPECT_EQ(listed["catname"].toText(), "活动");
    // Nothing listed for this id: an article comment.
    Value article = postComment(api, {{"id", "50010"}, {"text", "好"}}, token);
    EXPECT_EQ(firstComment(api, "1", "50010")["id"].toText(), article["id"].toText());
}

TEST(ServiceState, TopicRepliesAndTheirCommentsShareTheTopicIds) {
    RunningService service;
    ApiClient api(service);
    std::string token = api.login("demo", "demo1234");
    Value reply = postComment(api, {{"ptype", "5"}, {"id", "70002"}, {"text", "回复话题"}}, token);
    ASSERT_EQ(reply["code"].intValue(), 0);
    Value replies = api.get("system/comment_list.aspx", {{"t", "5"}, {"id", "70002"}});
    EXPECT_EQ(replies["result"][0]["id"].toText(), reply["id"].toText());
    EXPECT_EQ(replies["result"][0]["classtype"].toText(), "3");
    Value onReply = postComment(
        api, {{"ptype", "7"}, {"id", reply["id"].toText()}, {"text", "评论回复"}}, token);
    ASSERT_EQ(onReply["code"].intValue(), 0);
    Value comments =
        api.get("system/comment_list.aspx", {{"t", "5"}, {"id", reply["id"].toText()}});
    ASSERT_EQ(comments["total"].intValue(), 1);
    EXPECT_EQ(comments["result"][0]["cid"].toText(), "70002");
}

TEST(ServiceState, VotesCountOncePerVoter) {
    RunningService service;
    ApiClient api(service);
    auto vote = [&](const char* op, const std::string& token) {
        return api.get("user/agree.aspx", {{"id", "70200"}, {"operate", op}}, token);
    };
    Value first = vote("0", "");
    EXPECT_EQ(first["code"].intValue(), 0);
    EXPECT_EQ(vote("1", "")["msg"].toText(), "您已经投过票了");  // same address, anonymous
    EXPECT_EQ(vote("1", api.login("newbie", "newbie123"))["code"].intValue(), 0);
    EXPECT_EQ(api.get("user/agree.aspx", {{"id", "1"}, {"operate", "1"}})["msg"].toText(),
              "该评论不存在");
    EXPECT_EQ(api.get("user/agree.aspx", {{"id", "70200"}, {"operate", "x"}})["code"].intValue(),
              1);
}

TEST(ServiceState, SubscriptionsFollowTheirOperateCodes) {
    RunningService service;
    ApiClient api(service);
    std::string token = api.login("demo", "demo1234");
    auto subscribed = [&] {
        std::string ids;
        Value categories = api.get("news/sort.aspx", {}, token);
        for (const Value& row : categories["result"].items()) {
            if (row["subscribed"].toText() == "1") ids += row["cid"].toText();
        }
        return ids;
    };
    EXPECT_EQ(subscribed(), "135");
    EXPECT_EQ(
        api.get("user/subscribe.aspx", {{"cid", "3"}, {"operate", "0"}}, token)["msg"].toText(),
        "取消订阅成功");
    EXPECT_EQ(subscribed(), "15");
    EXPECT_EQ(api.get("user/subscribe.aspx", {{"cid", "9|7|2|99"}, {"code", "1"}}, token)["code"]
                  .intValue(),
              0);
    EXPECT_EQ(subscribed(), "27");
    EXPECT_EQ(
        api.get("user/subscribe.aspx", {{"cid", "0"}, {"operate", "1"}}, token)["code"].intValue(),
        0);
    EXPECT_EQ(subscribed(), "");
    EXPECT_EQ(
        api.get("user/subscribe.aspx", {{"cid", "99"}, {"operate", "2"}}, token)["code"].intValue(),
        1);
    EXPECT_EQ(api.get("user/subscribe.aspx", {{"cid", "1"}, {"operate", "2"}})["code"].intValue(),
              1);
    EXPECT_EQ(api.get("news/sort.aspx", {})["result"][0]["subscribed"].toText(), "0");
}

TEST(ServiceState, RecommendationsReachFriendsOnly) {
    RunningService service;
    ApiClient api(service);
    std::string demo = api.login("demo", "demo1234");
    std::string wang = api.login("wangfang", "wang12345");
    auto inbox = [&](const std::string& token) {
        std::string number =
            api.get("user/newmsg.aspx", {{"lasttime", "0,0,0,0"}}, token)["number"].toText();
        return std::stoi(number.substr(number.rfind(',') + 1));
    };
    int before = inbox(wang);
    // 4 is no friend of demo, 6 is in demo's blacklist: both skipped.
    Value sent =
        api.get("user/recommand.aspx", {{"uid", "2|4|6"}, {"id", "1003"}, {"type", "2"}}, demo);
    EXPECT_EQ(sent["code"].intValue(), 0);
    EXPECT_EQ(inbox(wang), before + 1);
    EXPECT_EQ(
        api.get("user/recommand.aspx", {{"uid", "4|6"}, {"id", "1003"}, {"type", "2"}}, demo)["msg"]
            .toText(),
        "请选择好友");
    EXPECT_EQ(
        api.get("user/recommand.aspx", {{"uid", "2"}, {"id", "9"}, {"type", "1"}}, demo)["msg"]
            .toText(),
        "推荐的内容不存在");
    EXPECT_EQ(
        api.get("user/recommand.aspx", {{"uid", "2"}, {"id", "80001"}, {"type", "5"}}, demo)["msg"]
            .toText(),
        "该内容暂不支持推荐");
    EXPECT_EQ(
        api.get("user/recommand.aspx", {{"uid", "2"}, {"id", "40001"}, {"type", "4"}}, demo)["msg"]
            .toText(),
        "该内容暂不支持推荐");
}

TEST(ServiceState, MovingAFriendChangesItsGroup) {
    RunningService service;
    ApiClient api(service);
    std::string demo = api.login("demo", "demo1234");
    EXPECT_EQ(api.get("user/setgroup.aspx", {{"id", "3"}, {"gid", "2"}}, demo)["msg"].toText(),
              "移动成功");
    Value groups = api.get("user/setgroup.aspx", {{"gid", "0"}}, demo);
    ASSERT_EQ(groups["result"][1]["id"].toText(), "2");
    std::string blacklisted;
    for (const Value& f : groups["result"][1]["friends"].items())
        blacklisted += f["id"].toText() + ",";
    EXPECT_EQ(blacklisted, "3,6,");
    EXPECT_EQ(api.get("user/setgroup.aspx", {{"id", "4"}, {"gid", "1"}}, demo)["msg"].toText(),
              "操作失败");
    EXPECT_EQ(api.get("user/setgroup.aspx", {{"id", "2"}, {"gid", "9"}}, demo)["msg"].toText(),
              "操作失败");
}

TEST(ServiceState, UnreadCountsFollowTheLastLookTimes) {
    RunningService service;
    ApiClient api(service);
    std::string demo = api.login("demo", "demo1234");
    auto counts = [&](const std::string& lasttime) {
        return api.get("user/newmsg.aspx", {{"lasttime", lasttime}}, demo)["number"].toText();
    };
    EXPECT_EQ(
        counts("2099-01-01 00:00:00,2099-01-01 00:00:00,2099-01-01 00:00:00,2099-01-01 00:00:00"),
        "0,0,0,0");
    std::string all = counts("0,0,0,0");
    // Eleven messages in demo's inbox; the blacklisted sender's is never counted.
    EXPECT_EQ(all.substr(all.rfind(',') + 1), "10");
    EXPECT_EQ(counts(""), all);
}

TEST(ServiceState, ConcurrentPostsAndReadsAllLand) {
    RunningService service;
    ApiClient reader(service);
    int before =
        reader.get("system/comment_list.aspx", {{"t", "1"}, {"id", "50006"}})["total"].intValue();
    constexpr int kThreads = 4;
    constexpr int kPosts = 10;
    std::vector<std::vector<std::string>> ids(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            ApiClient api(service);
            for (int i = 0; i < kPosts; ++i) {
                Value posted =
                    postComment(api, {{"ptype", "1"}, {"id", "50006"}, {"text", "并发"}}, "");
                ids[t].push_back(posted["id"].toText());
                api.get("system/comment_list.aspx", {{"t", "8"}});
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    std::set<std::string> distinct;
    for (const auto& list : ids)
        distinct.insert(list.begin(), list.end());
    distinct.erase("");
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kThreads * kPosts));
    EXPECT_EQ(
        reader.get("system/comment_list.aspx", {{"t", "1"}, {"id", "50006"}})["total"].intValue(),
        before + kThreads * kPosts);
}

}  // namespace
}  // namespace tovera::test
