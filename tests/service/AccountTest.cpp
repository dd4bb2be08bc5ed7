// Registration, login, the access token and what a password change does to it.
#include <gtest/gtest.h>

#include <string>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

bool isLowerHex32(const std::string& text) {
    if (text.size() != 32) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

TEST(ServiceAccounts, LoginGivesAPasswordValueThatCompletesTheToken) {
    RunningService service;
    ApiClient api(service);
    Value session =
        api.postForm("user/login.aspx", {{"username", "李华"}, {"password", "lihua123"}});
    EXPECT_EQ(session["id"].toText(), "3");
    EXPECT_EQ(session["username"].toText(), "李华");
    EXPECT_TRUE(isLowerHex32(session["password"].toText()));
    std::string token = session["username"].toText() + session["password"].toText();
    Value record = api.get("user/info.aspx", {}, token);
    EXPECT_EQ(record["id"].toText(), "3");
    EXPECT_FALSE(record.dict()->contains("code"));
}

TEST(ServiceAccounts, WrongCredentialsAreRefusedWithoutAPassword) {
    RunningService service;
    ApiClient api(service);
    struct Case {
        const char* name;
        const char* password;
    };
    for (Case c : {Case{"demo", "wrong"}, Case{"demo", ""}, Case{"nobody", "demo1234"},
                   Case{"DEMO", "demo1234"}}) {
        SCOPED_TRACE(c.name);
        Value reply =
            api.postForm("user/login.aspx", {{"username", c.name}, {"password", c.password}});
        EXPECT_EQ(reply["error_code"].intValue(), 200);
        EXPECT_EQ(reply["code"].intValue(), 1);
        EXPECT_EQ(reply["msg"].toText(), "用户名或密码错误");
        EXPECT_FALSE(reply.dict()->contains("password"));
    }
}

TEST(ServiceAccounts, OnlyACurrentTokenIdentifiesTheCaller) {
    RunningService service;
    ApiClient api(service);
    std::string token = api.login("demo", "demo1234");
    std::string value = token.substr(4);
    std::string otherValue = api.login("wangfang", "wang12345").substr(8);
    const std::string refusals[] = {
        "",                             // none
        "demo",                         // no value
        value,                          // no name
        "wangfang" + value,             // another user's name
        "demo" + otherValue,            // another user's value
        "Demo" + value,                 // names are case-sensitive
        "demo" + std::string(32, 'A'),  // upper-case hex is not a value
    };
    for (const std::string& bad : refusals) {
        SCOPED_TRACE(bad);
        Value reply = api.get("user/info.aspx", {{"uid", "1"}}, bad);
        EXPECT_EQ(reply["code"].intValue(), 1);
        EXPECT_EQ(reply["msg"].toText(), "您还没有登录，请登录!");
    }
    // "uid" never identifies anyone: the token does.
    Value own = api.get("user/info.aspx", {{"uid", "2"}}, token);
    EXPECT_EQ(own["id"].toText(), "1");
    EXPECT_TRUE(own["buyinfo"].items().size() == 2);
}

TEST(ServiceAccounts, RegistrationChecksNameAndPassword) {
    RunningService service;
    ApiClient api(service);
    struct Case {
        std::string name;
        std::string password;
        std::string msg;
    };
    const Case cases[] = {
        {"demo", "abcdef", "该用户名已被注册"},
        {"a", "abcdef", "用户名长度要求2-16位"},
        {"abcdefghijklmnopq", "abcdef", "用户名长度要求2-16位"},
        {"newuser", "abcd", "密码长度要求5-16位"},
        {"newuser", "abcdefghijklmnopq", "密码长度要求5-16位"},
        {"bad,name", "abcdef", "用户名含有非法字符"},
        {"bad|name", "abcdef", "用户名含有非法字符"},
        {"bad name", "abcdef", "用户名含有非法字符"},
        {"bad(1)", "abcdef", "用户名含有非法字符"},
        {"50%off", "abcdef", "用户名含有非法字符"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Value reply =
            api.postForm("user/register.aspx", {{"username", c.name}, {"password", c.password}});
        EXPECT_EQ(reply["code"].intValue(), 1);
        EXPECT_EQ(reply["msg"].toText(), c.msg);
    }
    Value created =
        api.postForm("user/register.aspx", {{"username", "新用户"}, {"password", "abcdef"}});
    EXPECT_FALSE(created.dict()->contains("code"));
    EXPECT_GE(created["id"].intValue(), 1001);
    EXPECT_EQ(created["completion"].toText(), "0");
    std::string token = created["username"].toText() + created["password"].toText();
    Value groups = api.get("user/setgroup.aspx", {}, token);
    ASSERT_EQ(groups["total"].intValue(), 2);
    EXPECT_EQ(groups["result"][0]["name"].toText(), "默认分组");
    EXPECT_EQ(groups["result"][1]["name"].toText(), "黑名单");
    EXPECT_EQ(api.login("新用户", "abcdef"), token);
}

TEST(ServiceAccounts, PasswordChangeEndsOldTokensAndSurvivesRestart) {
    TempDir data;
    std::string oldToken;
    std::string newToken;
    {
        RunningService service(data.path());
        ApiClient api(service);
        oldToken = api.login("wangfang", "wang12345");
        Value wrongOld =
            api.postForm("user/setpassword.aspx",
                         {{"oldprd", "nope"}, {"newprd", "fresh1234"}, {"access_token", oldToken}});
        EXPECT_EQ(wrongOld["msg"].toText(), "原密码错误");
        Value tooLong = api.postForm(
            "user/setpassword.aspx",
            {{"oldprd", "wang12345"}, {"newprd", "abcdefghijklmnopq"}, {"access_token", oldToken}});
        EXPECT_EQ(tooLong["msg"].toText(), "新密码长度不能超过16位");
        Value changed = api.postForm(
            "user/setpassword.aspx",
            {{"oldprd", "wang12345"}, {"newprd", "fresh1234"}, {"access_token", oldToken}}, "");
        EXPECT_EQ(changed["code"].intValue(), 0);
        EXPECT_EQ(changed["msg"].toText(), "密码修改成功");
        EXPECT_EQ(api.get("user/info.aspx", {}, oldToken)["code"].intValue(), 1);
        newToken = api.login("wangfang", "fresh1234");
        EXPECT_NE(newToken, oldToken);
    }
    RunningService restarted(data.path());
    ApiClient api(restarted);
    EXPECT_EQ(api.get("user/info.aspx", {}, newToken)["id"].toText(), "2");
    EXPECT_EQ(api.get("user/info.aspx", {}, oldToken)["code"].intValue(), 1);
    EXPECT_EQ(api.login("wangfang", "fresh1234"), newToken);
}

TEST(ServiceAccounts, OtherUsersRecordsAreMaskedByTheirPrivacy) {
    RunningService service;
    ApiClient api(service);
    std::string demo = api.login("demo", "demo1234");
    // 李华 (privacy 0) is demo's friend: private fields stay hidden, qq shows.
    Value friendRecord = api.get("user/info.aspx", {{"id", "3"}}, demo);
    EXPECT_EQ(friendRecord["realname"].toText(), "保密");
    EXPECT_EQ(friendRecord["point"].toText(), "保密");
    EXPECT_NE(friendRecord["qq"].toText(), "保密");
    EXPECT_EQ(friendRecord["groupid"].toText(), "1");
    EXPECT_TRUE(friendRecord["buyinfo"].items().empty());
    // wangfang (privacy 1) is visible to her friend demo, masked for newbie.
    EXPECT_EQ(api.get("user/info.aspx", {{"id", "2"}}, demo)["realname"].toText(), "王芳");
    EXPECT_EQ(api.get("user/info.aspx", {{"id", "2"}}, demo)["remark"].toText(), "芳姐");
    Value stranger = api.get("user/info.aspx", {{"id", "2"}}, api.login("newbie", "newbie123"));
    EXPECT_EQ(stranger["realname"].toText(), "保密");
    EXPECT_EQ(stranger["qq"].toText(), "保密");
    EXPECT_EQ(stranger["groupid"].toText(), "-1");
    EXPECT_EQ(api.get("user/info.aspx", {{"id", "99999"}}, demo)["msg"].toText(), "该用户不存在");
}

}  // namespace
}  // namespace tovera::test
