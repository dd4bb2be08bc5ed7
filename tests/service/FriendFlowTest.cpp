// Friends: requests accepted and refused, the blacklist, groups and the
// per-friend remark and shield.
#include <gtest/gtest.h>

#include <string>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

class FriendFlow : public ::testing::Test {
protected:
    void SetUp() override {
        demo_ = api_.login("demo", "demo1234");
        newbie_ = api_.login("newbie", "newbie123");
        zhao_ = api_.login("zhaolei", "zhao12345");
    }
    Value call(const std::string& path, Params params, const std::string& token) {
        return api_.get(path, std::move(params), token);
    }
    // The group holding `user` in the viewer's list ("-1": none).
    std::string groupOf(const std::string& user, const std::string& viewer) {
        return call("user/info.aspx", {{"id", user}, {"t", "1"}}, viewer)["groupid"].toText();
    }
    // The friend-request rows of an inbox ("系统短信" tab).
    int requests(const std::string& token) {
        int n = 0;
        Value notices = call("user/sendmsg_list.aspx", {{"t", "2"}}, token);
        for (const Value& row : notices["result"].items())
            n += row["catname"].toText() == "3";
        return n;
    }
    RunningService service_;
    ApiClient api_{service_};
    std::string demo_, newbie_, zhao_;
};

TEST_F(FriendFlow, ARequestAcceptedMakesFriendsBothWays) {
    // zhaolei's seeded request to demo.
    EXPECT_EQ(requests(demo_), 1);
    Value accepted = call("user/pass.aspx", {{"id", "5"}, {"operate", "1"}}, demo_);
    EXPECT_EQ(accepted["code"].intValue(), 0);
    EXPECT_EQ(accepted["msg"].toText(), "已同意");
    EXPECT_EQ(requests(demo_), 0);
    EXPECT_EQ(groupOf("5", demo_), "1");
    EXPECT_EQ(groupOf("1", zhao_), "1");
    Value notice = call("user/sendmsg_list.aspx", {{"t", "2"}}, zhao_)["result"][0];
    EXPECT_EQ(notice["title"].toText(), "好友请求已通过");
    EXPECT_EQ(notice["name"].toText(), "系统");
    EXPECT_EQ(call("user/pass.aspx", {{"id", "5"}, {"operate", "1"}}, demo_)["msg"].toText(),
              "该请求已处理");
    EXPECT_EQ(call("user/apply.aspx", {{"id", "1"}, {"operate", "1"}}, zhao_)["msg"].toText(),
              "对方已经是您的好友");
}

TEST_F(FriendFlow, ARequestRefusedLeavesStrangers) {
    Value sent = call("user/apply.aspx", {{"id", "4"}, {"operate", "1"}, {"code", "1"}}, zhao_);
    EXPECT_EQ(sent["code"].intValue(), 0);
    EXPECT_EQ(sent["msg"].toText(), "好友请求已发送");
    EXPECT_EQ(call("user/apply.aspx", {{"id", "4"}, {"operate", "1"}}, zhao_)["msg"].toText(),
              "已发送过好友请求");
    Value request = call("user/sendmsg_list.aspx", {{"t", "1"}}, newbie_)["result"][0];
    EXPECT_EQ(request["catname"].toText(), "3");
    EXPECT_EQ(request["uid"].toText(), "5");
    Value refused = call("user/pass.aspx", {{"id", "5"}, {"operate", "2"}}, newbie_);
    EXPECT_EQ(refused["code"].intValue(), 0);
    EXPECT_EQ(refused["msg"].toText(), "已拒绝");
    EXPECT_EQ(groupOf("5", newbie_), "-1");
    EXPECT_EQ(groupOf("4", zhao_), "-1");
    EXPECT_EQ(call("user/sendmsg_list.aspx", {{"t", "2"}}, zhao_)["result"][0]["title"].toText(),
              "好友请求被拒绝");
}

TEST_F(FriendFlow, TheBlacklistRefusesRequestsAndMessagesUntilRemoved) {
    Value added = call("user/setmsg.aspx", {{"operate", "1"}, {"username", "newbie"}}, demo_);
    EXPECT_EQ(added["code"].intValue(), 0);
    Value black = call("user/black.aspx", {}, demo_);
    bool listed = false;
    for (const Value& row : black["result"].items())
        listed = listed || row["name"].toText() == "newbie";
    EXPECT_TRUE(listed);
    EXPECT_EQ(call("user/apply.aspx", {{"id", "1"}, {"operate", "1"}}, newbie_)["msg"].toText(),
              "对方拒绝添加");
    EXPECT_EQ(call("user/sendmsg.aspx", {{"user", "demo"}, {"subject", "hi"}, {"content", "hi"}},
                   newbie_)["msg"]
                  .toText(),
              "对方拒绝接收您的短信");
    struct Case {
        Params params;
        std::string msg;
    } refusals[] = {
        {{{"operate", "1"}, {"id", "4"}}, "该用户已在黑名单中"},
        {{{"operate", "1"}, {"id", "1"}}, "不能将自己加入黑名单"},
        {{{"operate", "1"}, {"username", "nobody"}}, "用户不存在"},
        {{{"operate", "2"}, {"id", "2"}}, "该用户不在黑名单中"},
    };
    for (const Case& c : refusals)
        EXPECT_EQ(call("user/setmsg.aspx", c.params, demo_)["msg"].toText(), c.msg);

    // Removed: a stranger leaves the list, a blacklisted friend returns to group 1.
    EXPECT_EQ(call("user/setmsg.aspx", {{"operate", "2"}, {"id", "4"}}, demo_)["code"].intValue(),
              0);
    EXPECT_EQ(groupOf("4", demo_), "-1");
    EXPECT_EQ(call("user/setmsg.aspx", {{"operate", "1"}, {"id", "2"}}, demo_)["code"].intValue(),
              0);
    EXPECT_EQ(groupOf("2", demo_), "2");
    EXPECT_EQ(call("user/setmsg.aspx", {{"operate", "2"}, {"id", "2"}}, demo_)["code"].intValue(),
              0);
    EXPECT_EQ(groupOf("2", demo_), "1");
}

TEST_F(FriendFlow, GroupsRemarksAndShields) {
    Value created = call("user/updategroup.aspx", {{"id", "0"}, {"grupname", "球友"}}, demo_);
    EXPECT_EQ(created["code"].intValue(), 0);
    Value groups = call("user/friendgroup.aspx", {{"id", "0"}}, demo_);
    ASSERT_EQ(groups["total"].intValue(), 4);
    EXPECT_EQ(groups["result"][1]["name"].toText(), "黑名单");
    std::string id = groups["result"][3]["id"].toText();
    EXPECT_EQ(id, "4");
    struct Case {
        Params params;
        std::string msg;
    } refusals[] = {
        {{{"id", "1"}, {"grupname", "x"}}, "系统分组不能修改"},
        {{{"id", "2"}, {"grupname", ""}}, "系统分组不能修改"},
        {{{"id", "0"}, {"grupname", "同事"}}, "分组已存在"},
        {{{"id", "99"}, {"grupname", "x"}}, "分组不存在"},
    };
    for (const Case& c : refusals)
        EXPECT_EQ(call("user/updategroup.aspx", c.params, demo_)["msg"].toText(), c.msg);
    // Deleting a group moves its members to the default group.
    EXPECT_EQ(call("user/setgroup.aspx", {{"id", "7"}, {"gid", id}}, demo_)["code"].intValue(), 0);
    EXPECT_EQ(
        call("user/updategroup.aspx", {{"id", id}, {"grupname", ""}}, demo_)["code"].intValue(), 0);
    EXPECT_EQ(groupOf("7", demo_), "1");
    EXPECT_EQ(call("user/friendgroup.aspx", {}, demo_)["total"].intValue(), 3);

    EXPECT_EQ(call("user/remark.aspx", {{"id", "3"}, {"name", "老李"}}, demo_)["code"].intValue(),
              0);
    EXPECT_EQ(call("user/info.aspx", {{"id", "3"}}, demo_)["remark"].toText(), "老李");
    Value found = call("user/friend_search.aspx", {{"t", "0"}, {"q", "老李"}}, demo_);
    EXPECT_EQ(found["type"].toText(), "0");
    EXPECT_EQ(found["result"][0]["id"].toText(), "3");
    EXPECT_EQ(call("user/remark.aspx", {{"id", "4"}, {"name", "x"}}, demo_)["msg"].toText(),
              "该用户不是您的好友");
    EXPECT_EQ(call("user/shieldmsg.aspx", {{"id", "3"}, {"operate", "1"}}, demo_)["msg"].toText(),
              "屏蔽成功");
    // A shielded friend's letters are not delivered.
    std::string li = api_.login("李华", "lihua123");
    int before = call("user/sendmsg_list.aspx", {{"t", "3"}}, demo_)["total"].intValue();
    EXPECT_EQ(call("user/sendmsg.aspx", {{"user", "demo"}, {"subject", "s"}, {"content", "c"}},
                   li)["code"]
                  .intValue(),
              0);
    EXPECT_EQ(call("user/sendmsg_list.aspx", {{"t", "3"}}, demo_)["total"].intValue(), before);
    EXPECT_EQ(call("user/shieldmsg.aspx", {{"id", "3"}, {"operate", "0"}}, demo_)["msg"].toText(),
              "已取消屏蔽");
}

}  // namespace
}  // namespace tovera::test
