// Private messages: a letter reaches every recipient and the sent box, and
// each side deletes only its own copy.
#include <gtest/gtest.h>

#include <string>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

class MessageFlow : public ::testing::Test {
protected:
    void SetUp() override {
        demo_ = api_.login("demo", "demo1234");
        wang_ = api_.login("wangfang", "wang12345");
        li_ = api_.login("李华", "lihua123");
    }
    Value tab(const std::string& t, const std::string& token) {
        return api_.get("user/sendmsg_list.aspx", {{"t", t}, {"page", "1"}}, token);
    }
    RunningService service_;
    ApiClient api_{service_};
    std::string demo_, wang_, li_;
};

TEST_F(MessageFlow, ALetterSentThenDeletedOnBothSides) {
    int sentBefore = tab("5", demo_)["total"].intValue();
    // The picker writes names with the remark in brackets.
    Value sent = api_.get(
        "user/sendmsg.aspx",
        {{"user", "wangfang(芳姐),李华"}, {"subject", "周末看房"}, {"content", "九点见"}}, demo_);
    ASSERT_EQ(sent["code"].intValue(), 0) << sent["msg"].toText();
    EXPECT_EQ(sent["msg"].toText(), "发送成功!");

    Value sentBox = tab("5", demo_);
    EXPECT_EQ(sentBox["total"].intValue(), sentBefore + 2);
    Value copy = sentBox["result"][0];
    EXPECT_EQ(copy["title"].toText(), "周末看房");
    EXPECT_EQ(copy["uid"].toText(), "1");
    EXPECT_TRUE(copy["person"].toText() == "wangfang" || copy["person"].toText() == "李华");

    for (const std::string& token : {wang_, li_}) {
        Value received = tab("3", token)["result"][0];
        EXPECT_EQ(received["text"].toText(), "九点见");
        EXPECT_EQ(received["catname"].toText(), "4");
        EXPECT_EQ(received["name"].toText(), "demo");
    }
    EXPECT_EQ(tab("1", wang_)["result"][0]["remark"].toText(), "");

    // The recipient deletes the inbox copy; the sender's copy stays.
    std::string inboxId = tab("3", wang_)["result"][0]["id"].toText();
    EXPECT_EQ(api_.get("user/deletemsg.aspx", {{"id", inboxId}}, demo_)["msg"].toText(),
              "短信不存在");
    Value deleted = api_.get("user/deletemsg.aspx", {{"id", inboxId}, {"uid", "2"}}, wang_);
    EXPECT_EQ(deleted["code"].intValue(), 0);
    EXPECT_EQ(deleted["msg"].toText(), "删除成功");
    EXPECT_NE(tab("3", wang_)["result"][0]["id"].toText(), inboxId);
    EXPECT_EQ(tab("5", demo_)["total"].intValue(), sentBefore + 2);
    // The sent tab deletes sent copies only ("t" 2).
    std::string sentId = tab("5", demo_)["result"][0]["id"].toText();
    EXPECT_EQ(api_.get("user/deletemsg.aspx", {{"id", sentId}}, demo_)["code"].intValue(), 1);
    EXPECT_EQ(
        api_.get("user/deletemsg.aspx", {{"id", sentId}, {"t", "2"}}, demo_)["code"].intValue(), 0);
    EXPECT_EQ(tab("5", demo_)["total"].intValue(), sentBefore + 1);
}

TEST_F(MessageFlow, NothingIsSentWhenOneRecipientIsRefused) {
    int before = tab("5", demo_)["total"].intValue();
    struct Case {
        Params params;
        std::string msg;
    } cases[] = {
        {{{"user", "wangfang,nobody"}, {"subject", "s"}, {"content", "c"}}, "用户nobody不存在"},
        {{{"user", "wangfang"}, {"subject", ""}, {"content", "c"}}, "请填写收件人、主题和内容"},
        {{{"user", ""}, {"subject", "s"}, {"content", "c"}}, "请填写收件人、主题和内容"},
    };
    for (const Case& c : cases) {
        Value reply = api_.get("user/sendmsg.aspx", c.params, demo_);
        EXPECT_EQ(reply["code"].intValue(), 1);
        EXPECT_EQ(reply["msg"].toText(), c.msg);
    }
    EXPECT_EQ(tab("5", demo_)["total"].intValue(), before);
    // The blacklisted sender's seeded letter never shows in demo's inbox.
    Value inbox = tab("1", demo_);
    for (const Value& row : inbox["result"].items())
        EXPECT_NE(row["uid"].toText(), "6");
    EXPECT_EQ(api_.get("user/sendmsg_list.aspx", {{"t", "1"}})["code"].intValue(), 1);
}

}  // namespace
}  // namespace tovera::test
