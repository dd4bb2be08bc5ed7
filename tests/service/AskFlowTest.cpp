// Questions as users live them: asking with photos, answering, choosing
// the best answer, closing; and the refusals on the way.
#include <gtest/gtest.h>

#include <string>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

class AskFlow : public ::testing::Test {
protected:
    Value post(const std::string& token, Params params,
               const std::vector<std::string>& photos = {}) {
        std::vector<Part> parts;
        for (auto& [key, value] : params)
            parts.push_back({key, value});
        parts.push_back({"access_token", token});
        parts.push_back({"cityid", "3402"});
        for (const std::string& name : photos)
            parts.push_back({name, tinyPng(), true});
        return api_.postMultipart("user/messagepost.aspx", parts);
    }

    Value ask(const std::string& token, const std::string& title,
              const std::vector<std::string>& photos = {}) {
        return post(token,
                    {{"t", "7"}, {"type", "7"}, {"title", title}, {"text", "请大家帮忙看看"}},
                    photos);
    }

    Value answer(const std::string& token, const std::string& question, const std::string& text) {
        return post(token,
                    {{"t", "3"}, {"type", "3"}, {"id", question}, {"title", ""}, {"text", text}});
    }

    Value question(const std::string& id) { return api_.get("ask/detail.aspx", {{"id", id}}); }

    // Whether question `id` is listed in tab `tab` for the caller.
    bool listed(const std::string& tab, const std::string& id, const std::string& token = {}) {
        Value list = api_.get("ask/list.aspx",
                              {{"t", tab}, {"id", "1"}, {"cityid", "3402"}, {"size", "50"}}, token);
        for (const Value& row : list["result"].items()) {
            if (row["id"].toText() == id) return true;
        }
        return false;
    }

    RunningService service_;
    ApiClient api_{service_};
    std::string demo_ = api_.login("demo", "demo1234");
    std::string wang_ = api_.login("wangfang", "wang12345");
    std::string li_ = api_.login("李华", "lihua123");
};

TEST_F(AskFlow, AQuestionWithTwoPhotosShowsThemAndIsListed) {
    Value asked = ask(demo_, "芜湖哪里的学区房性价比高？", {"pic1", "pic2"});
    ASSERT_EQ(asked["code"].intValue(), 0) << asked["msg"].toText();
    std::string id = asked["id"].toText();
    EXPECT_GE(std::stoi(id), 60001);

    Value shown = question(id);
    EXPECT_EQ(shown["title"].toText(), "芜湖哪里的学区房性价比高？");
    EXPECT_EQ(shown["user"].toText(), "demo");
    EXPECT_EQ(shown["uid"].toText(), "1");
    EXPECT_EQ(shown["closed"].toText(), "0");
    EXPECT_EQ(shown["besttext"].toText(), "");
    std::string image = shown["image"].toText();
    std::size_t bar = image.find('|');
    ASSERT_NE(bar, std::string::npos) << image;
    for (const std::string& url : {image.substr(0, bar), image.substr(bar + 1)}) {
        EXPECT_EQ(url.rfind(service_.base() + "/upload/", 0), 0u) << url;
        HttpReply picture = api_.wire().get(url);
        EXPECT_EQ(picture.status, 200) << url;
        EXPECT_EQ(picture.body, tinyPng());
    }
    EXPECT_TRUE(listed("1", id));
    EXPECT_TRUE(listed("3", id, demo_));
    EXPECT_FALSE(listed("2", id));
    EXPECT_TRUE(listed("5", id, wang_)) << "wangfang is demo's friend";
}

TEST_F(AskFlow, AnswersAndTheBestAnswer) {
    std::string id = ask(demo_, "二手房过户要多久？")["id"].toText();
    Value first = answer(wang_, id, "一般一周左右");
    Value second = answer(li_, id, "材料齐全的话三天");
    ASSERT_EQ(first["code"].intValue(), 0) << first["msg"].toText();
    ASSERT_EQ(second["code"].intValue(), 0);
    EXPECT_EQ(question(id)["reply"].toText(), "2");
    EXPECT_TRUE(listed("4", id, wang_));
    Value answers = api_.get("system/reply_list.aspx", {{"id", id}, {"uid", "1"}, {"page", "1"}});
    ASSERT_EQ(answers["total"].intValue(), 2);
    EXPECT_EQ(answers["result"][0]["text"].toText(), "一般一周左右");
    EXPECT_EQ(answers["result"][0]["name"].toText(), "wangfang");

    // Only the asker chooses, and never an own answer.
    Params best = {{"id", second["id"].toText()}, {"aid", id}};
    EXPECT_EQ(api_.get("user/bestanswer.aspx", best, wang_)["code"].intValue(), 1);
    EXPECT_EQ(api_.get("user/bestanswer.aspx", best)["code"].intValue(), 1);
    std::string own = answer(demo_, id, "自己补充一下")["id"].toText();
    EXPECT_EQ(
        api_.get("user/bestanswer.aspx", {{"id", own}, {"aid", id}}, demo_)["code"].intValue(), 1);
    EXPECT_EQ(api_.get("user/bestanswer.aspx", {{"id", second["id"].toText()}, {"aid", "60001"}},
                       demo_)["code"]
                  .intValue(),
              1)
        << "the answer must belong to the question";

    Value chosen = api_.get("user/bestanswer.aspx", best, demo_);
    EXPECT_EQ(chosen["code"].intValue(), 0);
    EXPECT_EQ(chosen["msg"].toText(), "设置成功");
    Value shown = question(id);
    EXPECT_EQ(shown["besttext"].toText(), "材料齐全的话三天");
    EXPECT_EQ(shown["bestname"].toText(), "李华");
    EXPECT_EQ(shown["bestid"].toText(), "3");
    EXPECT_NE(shown["bestdate"].toText(), "");
    EXPECT_EQ(shown["closed"].toText(), "0") << "a solved question stays open";
    Value others = api_.get("system/reply_list.aspx", {{"id", id}, {"page", "1"}});
    EXPECT_EQ(others["total"].intValue(), 2) << "the best answer is not among the others";
    for (const Value& row : others["result"].items())
        EXPECT_NE(row["id"].toText(), second["id"].toText());
    EXPECT_TRUE(listed("2", id));
    EXPECT_FALSE(listed("1", id));
}

TEST_F(AskFlow, ClosingAQuestion) {
    std::string id = ask(demo_, "公积金能提取付首付吗？")["id"].toText();
    Params close = {{"t", "1"}, {"type", "1"}, {"id", id}, {"operate", "2"}, {"code", "2"}};
    Value refused = api_.get("user/close.aspx", close, wang_);
    EXPECT_EQ(refused["code"].intValue(), 1);
    EXPECT_EQ(refused["msg"].toText(), "您没有权限进行此操作");
    EXPECT_EQ(api_.get("user/close.aspx", close)["code"].intValue(), 1);
    EXPECT_EQ(question(id)["closed"].toText(), "0");

    Value closed = api_.get("user/close.aspx", close, demo_);
    EXPECT_EQ(closed["code"].intValue(), 0);
    EXPECT_EQ(closed["msg"].toText(), "操作成功");
    EXPECT_EQ(question(id)["closed"].toText(), "1");
    EXPECT_EQ(question(id)["title"].toText(), "公积金能提取付首付吗？") << "still readable";
    EXPECT_FALSE(listed("1", id));
    EXPECT_TRUE(listed("3", id, demo_));
    Value late = answer(wang_, id, "可以的");
    EXPECT_EQ(late["code"].intValue(), 1);
    EXPECT_EQ(late["msg"].toText(), "该咨询已关闭");
}

TEST_F(AskFlow, RefusalsKeepTheFormOpen) {
    struct Case {
        const char* name;
        std::string token;
        Params params;
        const char* msg;
    };
    const Case cases[] = {
        {"anonymous question",
         "",
         {{"t", "7"}, {"type", "7"}, {"title", "问题"}},
         "您还没有登录，请登录!"},
        {"no title",
         demo_,
         {{"t", "7"}, {"type", "7"}, {"title", "  "}, {"text", "正文"}},
         "咨询主题不能为空!"},
        {"unknown project",
         demo_,
         {{"t", "7"}, {"type", "7"}, {"title", "问题"}, {"ptype", "2"}, {"id", "9999"}},
         "评论对象不存在"},
        {"empty answer",
         demo_,
         {{"t", "3"}, {"type", "3"}, {"id", "60010"}, {"text", ""}},
         "内容不能为空"},
        {"unknown question",
         demo_,
         {{"t", "3"}, {"type", "3"}, {"id", "1"}, {"text", "回答"}},
         "评论对象不存在"},
        {"closed question",
         demo_,
         {{"t", "3"}, {"type", "3"}, {"id", "60002"}, {"text", "回答"}},
         "该咨询已关闭"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Value reply = post(c.token, c.params);
        EXPECT_EQ(reply["code"].intValue(), 1);
        EXPECT_EQ(reply["msg"].toText(), c.msg);
    }
    EXPECT_EQ(question("1")["msg"].toText(), "该咨询不存在");
}

TEST_F(AskFlow, AQuestionAboutAProjectIsListedUnderIt) {
    Value asked = post(demo_, {{"t", "7"},
                               {"type", "7"},
                               {"ptype", "2"},
                               {"id", "1002"},
                               {"title", "这个楼盘有地下车位吗？"},
                               {"text", ""}});
    ASSERT_EQ(asked["code"].intValue(), 0);
    Value shown = question(asked["id"].toText());
    EXPECT_EQ(shown["hid"].toText(), "1002");
    EXPECT_EQ(shown["image"].toText(), "");
    Value list = api_.get("ask/list.aspx", {{"id", "1"}, {"hid", "1002"}});
    ASSERT_FALSE(list["result"].items().empty());
    EXPECT_EQ(list["result"][0]["id"].toText(), asked["id"].toText());
    EXPECT_EQ(list["result"][0]["house"].toText(),
              api_.get("house/detail.aspx", {{"id", "1002"}})["name"].toText());
}

}  // namespace
}  // namespace tovera::test
