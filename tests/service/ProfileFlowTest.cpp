// Profile editing: the personal and home-buying sections, purchase records,
// and the head photo.
#include <gtest/gtest.h>

#include <string>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

class ProfileFlow : public ::testing::Test {
protected:
    void SetUp() override { token_ = api_.login("newbie", "newbie123"); }
    Value save(Params params) {
        params.emplace_back("access_token", token_);
        return api_.postForm("user/setinfo.aspx", params);
    }
    Value record() { return api_.get("user/info.aspx", {{"id", "4"}, {"t", "2"}}, token_); }
    RunningService service_;
    ApiClient api_{service_};
    std::string token_;
};

TEST_F(ProfileFlow, EachSectionSavesItsFieldsAndTheCompletionFollows) {
    std::string before = record()["completion"].toText();
    Value personal = save({{"t", "1"},
                           {"id", "4"},
                           {"name", "新用户"},
                           {"gander", "女"},
                           {"tel", "13900000004"},
                           {"mail", "new@example.com"},
                           {"qq", "4444"},
                           {"privacy", "2"},
                           {"brithday", "1990-01-02"}});
    ASSERT_EQ(personal["code"].intValue(), 0) << personal["msg"].toText();
    EXPECT_EQ(personal["msg"].toText(), "修改成功");
    EXPECT_GT(std::stoi(personal["completion"].toText()), std::stoi(before));

    Value buying = save({{"t", "2"},
                         {"id", "4"},
                         {"classic", "3"},
                         {"city", "3402,3401,9999"},
                         {"size", "90"},
                         {"price", "12000"},
                         {"room", "3"},
                         {"hall", "2"},
                         {"bathroom", "1"},
                         {"state", "2"},
                         {"e", "本科"}});
    ASSERT_EQ(buying["code"].intValue(), 0);
    Value saved = record();
    EXPECT_EQ(saved["realname"].toText(), "新用户");
    EXPECT_EQ(saved["gander"].toText(), "女");
    EXPECT_EQ(saved["email"].toText(), "new@example.com");
    EXPECT_EQ(saved["privacy"].toText(), "2");
    EXPECT_EQ(saved["date"].toText(), "1990-01-02");
    EXPECT_FALSE(saved["age"].toText().empty());
    EXPECT_EQ(saved["type"].toText(), "公寓");  // the picker's row 2 + 1
    EXPECT_EQ(saved["cityid"].toText(), "3402,3401");
    EXPECT_EQ(saved["city"].toText(), "芜湖,合肥");
    EXPECT_EQ(saved["flat"].toText(), "3,2,1");
    EXPECT_EQ(saved["state"].toText(), "已认购");
    EXPECT_EQ(saved["completion"].toText(), buying["completion"].toText());
    // Bound or picked, the class is sent as its row + 1: the row before the
    // stored class is chosen, not mistaken for the stored class.
    save({{"t", "2"}, {"id", "4"}, {"classic", "3"}});
    EXPECT_EQ(record()["type"].toText(), "公寓");
    save({{"t", "2"}, {"id", "4"}, {"classic", "2"}});
    EXPECT_EQ(record()["type"].toText(), "住宅");

    Value badMail = save({{"t", "1"}, {"id", "4"}, {"mail", "not-an-address"}});
    EXPECT_EQ(badMail["code"].intValue(), 1);
    EXPECT_EQ(badMail["msg"].toText(), "请输入正确的邮件格式");
    EXPECT_EQ(record()["email"].toText(), "new@example.com");
}

TEST_F(ProfileFlow, PurchaseRecordsAreAddedEditedAndDeleted) {
    std::string phase =
        api_.get("system/cityinfo.aspx", {{"t", "4"}, {"house", "1001"}}, token_)["result"][0]["id"]
            .toText();
    Value added = save({{"t", "3"},
                        {"id", "4"},
                        {"uid", "4"},
                        {"state", "3"},
                        {"house", "1001"},
                        {"lid", phase},
                        {"build", "0"},
                        {"unit", "2"},
                        {"num", "301"}});
    ASSERT_EQ(added["code"].intValue(), 0) << added["msg"].toText();
    Array records = record()["buyinfo"].items();
    ASSERT_EQ(records.size(), 1u);
    Value row = records[0];
    std::string id = row["id"].toText();
    EXPECT_GT(std::stoll(id), 100000);
    EXPECT_EQ(row["state"].toText(), "已签约");
    EXPECT_EQ(row["hid"].toText(), "1001");
    EXPECT_EQ(row["lid"].toText(), phase);
    EXPECT_EQ(row["cityid"].toText(), "3401");
    EXPECT_EQ(row["location"].toText(), "合肥");
    EXPECT_EQ(row["num"].toText(), "301");

    // Tags "0" keep what is stored.
    save({{"t", "3"}, {"id", id}, {"state", "5"}, {"house", "0"}, {"lid", "0"}, {"num", "0"}});
    row = record()["buyinfo"][0];
    EXPECT_EQ(row["state"].toText(), "已入住");
    EXPECT_EQ(row["hid"].toText(), "1001");
    EXPECT_EQ(row["num"].toText(), "301");

    // Another user's record is not this user's to change.
    std::string demo = api_.login("demo", "demo1234");
    Value foreign =
        api_.postForm("user/setinfo.aspx", {{"t", "3"}, {"id", id}, {"access_token", demo}});
    EXPECT_EQ(foreign["msg"].toText(), "记录不存在");
    Value deleted = save({{"t", "3"}, {"id", id}});
    EXPECT_EQ(deleted["code"].intValue(), 0);
    EXPECT_EQ(deleted["msg"].toText(), "删除成功");
    EXPECT_TRUE(record()["buyinfo"].items().empty());
    EXPECT_EQ(save({{"t", "3"}, {"id", id}})["code"].intValue(), 1);
}

TEST_F(ProfileFlow, AHeadPhotoReplacesThePreviousOne) {
    std::string png = tinyPng();
    std::string photos[2];
    for (std::string& photo : photos) {
        Value reply = api_.postMultipart(
            "user/headphoto.aspx", {{"access_token", token_}, {"id", "4"}, {"photo", png, true}});
        ASSERT_EQ(reply["code"].intValue(), 0);
        EXPECT_EQ(reply["msg"].toText(), "修改头像成功!");
        photo = record()["photo"].toText();
        EXPECT_EQ(api_.wire().get(photo).body, png);
    }
    EXPECT_NE(photos[0], photos[1]);
    EXPECT_EQ(api_.wire().get(photos[0]).status, 404);
    Value none = api_.postMultipart("user/headphoto.aspx",
                                    {{"access_token", token_}, {"photo", "not a picture", true}});
    EXPECT_EQ(none["code"].intValue(), 1);
    EXPECT_EQ(none["msg"].toText(), "请选择图片");
    EXPECT_EQ(record()["photo"].toText(), photos[1]);
}

}  // namespace
}  // namespace tovera::test
