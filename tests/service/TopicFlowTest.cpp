// Topics: posting, reposting with a snapshot of the source, paging a long
// discussion, and deletion by the author only.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

class TopicFlow : public ::testing::Test {
protected:
    void SetUp() override { token_ = api_.login("demo", "demo1234"); }
    Value detail(const std::string& id, int page) {
        return api_.get("topic/detail.aspx", {{"id", id}, {"page", std::to_string(page)}});
    }
    Value close(const std::string& id, const std::string& token) {
        return api_.get("user/close.aspx",
                        {{"t", "3"}, {"id", id}, {"operate", "2"}, {"code", "2"}}, token);
    }
    RunningService service_;
    ApiClient api_{service_};
    std::string token_;
};

TEST_F(TopicFlow, ARepostKeepsItsSourceAfterTheSourceIsDeleted) {
    Value posted = api_.postMultipart("user/messagepost.aspx", {{"t", "6"},
                                                                {"text", "小区门口的新公园开放了"},
                                                                {"cityid", "3401"},
                                                                {"access_token", token_},
                                                                {"pic1", tinyPng(), true}});
    ASSERT_EQ(posted["code"].intValue(), 0) << posted["msg"].toText();
    std::string source = posted["id"].toText();

    std::string wang = api_.login("wangfang", "wang12345");
    Value repost =
        api_.get("user/foward.aspx",
                 {{"id", source}, {"info", "转一下，周末去看看"}, {"comment", "1"}}, wang);
    ASSERT_EQ(repost["code"].intValue(), 0);
    EXPECT_EQ(repost["msg"].toText(), "转载成功");

    // The repost heads the city's list with the source as it was; the
    // source got the repost text as a reply.
    Value newest = api_.get("topic/list.aspx", {{"t", "1"}, {"cityid", "3401"}})["result"][0];
    EXPECT_EQ(newest["title"].toText(), "转一下，周末去看看");
    EXPECT_EQ(newest["user"].toText(), "wangfang");
    ASSERT_EQ(newest["reprs"].items().size(), 1u);
    EXPECT_EQ(newest["reprs"][0]["id"].toText(), source);
    EXPECT_EQ(newest["reprs"][0]["title"].toText(), "小区门口的新公园开放了");
    EXPECT_NE(newest["reprs"][0]["image"].toText().find("/upload/"), std::string::npos);
    Value sourcePage = detail(source, 1);
    EXPECT_EQ(sourcePage["total"].intValue(), 2);
    EXPECT_EQ(sourcePage["result"][0]["comment"].toText(), "1");
    EXPECT_EQ(sourcePage["result"][1]["text"].toText(), "转一下，周末去看看");

    // Only the author deletes; the repost keeps its snapshot.
    EXPECT_EQ(close(source, wang)["msg"].toText(), "您没有权限进行此操作");
    Value deleted = close(source, token_);
    EXPECT_EQ(deleted["code"].intValue(), 0);
    EXPECT_EQ(deleted["msg"].toText(), "删除话题成功");
    EXPECT_EQ(detail(source, 1)["msg"].toText(), "该话题不存在");
    Value kept = api_.get("topic/list.aspx", {{"t", "3"}}, wang)["result"][0];
    EXPECT_EQ(kept["reprs"][0]["title"].toText(), "小区门口的新公园开放了");
    EXPECT_EQ(
        api_.get("user/foward.aspx", {{"id", source}, {"info", "再转"}}, wang)["msg"].toText(),
        "该话题不存在");
}

TEST_F(TopicFlow, DetailPagesStartWithTheTopicAndNeverRepeatIt) {
    // The seed's first topic has 12 replies: pages of 10 over 13 items.
    Value first = detail("70001", 1);
    Value second = detail("70001", 2);
    EXPECT_EQ(first["total"].intValue(), 13);
    ASSERT_EQ(first["result"].items().size(), 10u);
    EXPECT_EQ(first["result"][0]["id"].toText(), "70001");
    EXPECT_TRUE(first["result"][0].dict()->contains("reprs"));
    ASSERT_EQ(second["result"].items().size(), 3u);
    EXPECT_FALSE(second["result"][0].dict()->contains("reprs"));
    EXPECT_EQ(detail("70001", 3)["result"].items().size(), 0u);
    std::vector<std::string> ids;
    for (const Value& page : {first, second})
        for (const Value& row : page["result"].items())
            ids.push_back(row["id"].toText());
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), ids.size());
}

TEST_F(TopicFlow, EmptyPostsAndPersonalTabsOfAnonymousCallers) {
    struct Case {
        std::string name;
        Value reply;
        std::string msg;
    };
    Case cases[] = {
        {"blank topic",
         api_.postMultipart("user/messagepost.aspx",
                            {{"t", "6"}, {"text", "  "}, {"access_token", token_}}),
         "内容不能为空"},
        {"blank repost", api_.get("user/foward.aspx", {{"id", "70001"}, {"info", ""}}, token_),
         "内容不能为空"},
        {"anonymous topic",
         api_.postMultipart("user/messagepost.aspx", {{"t", "6"}, {"text", "hi"}}),
         "您还没有登录，请登录!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.reply["code"].intValue(), 1);
        EXPECT_EQ(c.reply["msg"].toText(), c.msg);
    }
    for (const char* tab : {"3", "4"}) {
        Value empty = api_.get("topic/list.aspx", {{"t", tab}});
        EXPECT_FALSE(empty.dict()->contains("code"));
        EXPECT_EQ(empty["total"].intValue(), 0);
    }
}

}  // namespace
}  // namespace tovera::test
