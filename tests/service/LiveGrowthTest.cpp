// Live rooms: a broadcast grows while its room is open, so polling shows new
// posts; owners post messages and open or close their rooms. Time is moved
// by shifting the broadcast's schedule in the stored state, never by waiting.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ServiceHarness.h"
#include "service/Database.h"
#include "service/LiveGrowth.h"

namespace tovera::test {
namespace {

class LiveGrowth : public ::testing::Test {
protected:
    void SetUp() override {
        service::Database db(data_.path() + "/portal.sqlite");
        room_ = std::to_string(service::queryInteger(
            db,
            "SELECT s.room FROM live_script s JOIN live_room r ON r.id = s.room "
            "WHERE r.cityid = 3401"));
        pace_ = service::queryInteger(db, "SELECT pace FROM live_script WHERE room = ?1",
                                      static_cast<std::int64_t>(std::stoll(room_)));
    }
    // As if `seconds` had passed for the broadcast.
    void pass(std::int64_t seconds) {
        service::Database db(data_.path() + "/portal.sqlite");
        service::execute(db, "UPDATE live_script SET next_at = next_at - ?1", seconds);
    }
    int discussion() {
        return api_.get("live/discuss_list.aspx", {{"id", room_}, {"page", "1"}})["total"]
            .intValue();
    }
    std::size_t messages() {
        return api_.get("live/detail.aspx", {{"id", room_}})["text"].items().size();
    }
    int posts() { return discussion() + static_cast<int>(messages()); }

    TempDir data_;
    RunningService service_{data_.path()};
    ApiClient api_{service_};
    std::string room_;
    std::int64_t pace_ = 0;
};

TEST_F(LiveGrowth, AnOpenBroadcastGrowsWithTimeAndAClosedOneDoesNot) {
    ASSERT_NE(room_, "0");
    ASSERT_GT(pace_, 0);
    int start = posts();
    EXPECT_EQ(posts(), start) << "nothing new within one pace";
    pass(2 * pace_);
    int later = posts();
    EXPECT_GE(later, start + 2);
    EXPECT_LE(later, start + 3);
    // The newest post leads the discussion and the room's list row.
    Value newest = api_.get("live/discuss_list.aspx", {{"id", room_}})["result"][0];
    EXPECT_FALSE(newest["content"].toText().empty());
    EXPECT_NE(newest["id"].toText(), "0");

    // After a long pause only the latest few lines appear.
    pass(24 * 3600);
    EXPECT_EQ(posts(), later + service::kLiveCatchUp);

    // The owner closes the room: it stops growing and leaves the open list.
    std::map<std::string, std::string> passwords = {
        {"demo", "demo1234"},    {"wangfang", "wang12345"}, {"李华", "lihua123"},
        {"newbie", "newbie123"}, {"zhaolei", "zhao12345"},  {"spammer", "spam12345"}};
    std::string owner = api_.get("live/detail.aspx", {{"id", room_}})["name"].toText();
    std::string token = api_.login(owner, passwords.contains(owner) ? passwords[owner] : "123456");
    Value closed =
        api_.get("user/close.aspx", {{"t", "2"}, {"id", room_}, {"operate", "2"}}, token);
    ASSERT_EQ(closed["code"].intValue(), 0) << closed["msg"].toText();
    EXPECT_EQ(api_.get("live/detail.aspx", {{"id", room_}})["isend"].toText(), "2");
    int atClose = posts();
    pass(10 * pace_);
    EXPECT_EQ(posts(), atClose);
    Value open = api_.get("live/list.aspx", {{"id", "1"}, {"cityid", "3401"}, {"size", "50"}});
    for (const Value& row : open["result"].items())
        EXPECT_NE(row["id"].toText(), room_);
}

TEST_F(LiveGrowth, OnlyTheOwnerReportsAndOnlyWhileTheRoomIsOpen) {
    std::string demo = api_.login("demo", "demo1234");
    Value created = api_.postMultipart("user/messagepost.aspx", {{"t", "5"},
                                                                 {"title", "新盘开放日"},
                                                                 {"cityid", "3402"},
                                                                 {"access_token", demo},
                                                                 {"pic1", tinyPng(), true}});
    ASSERT_EQ(created["code"].intValue(), 0);
    std::string room = created["id"].toText();
    Value detail = api_.get("live/detail.aspx", {{"id", room}});
    EXPECT_EQ(detail["isend"].toText(), "1");
    EXPECT_EQ(detail["name"].toText(), "demo");
    EXPECT_NE(detail["picture"].toText().find("/upload/"), std::string::npos);
    EXPECT_EQ(
        api_.get("live/list.aspx", {{"id", "1"}, {"cityid", "3402"}})["result"][0]["id"].toText(),
        room);

    auto post = [&](const std::string& type, const std::string& token) {
        return api_.postMultipart("user/messagepost.aspx", {{"t", type},
                                                            {"id", room},
                                                            {"text", "现场很热闹"},
                                                            {"access_token", token},
                                                            {"pic1", tinyPng(), true}});
    };
    std::string wang = api_.login("wangfang", "wang12345");
    EXPECT_EQ(post("1", wang)["msg"].toText(), "只有直播发起人可以发送直播消息");
    EXPECT_EQ(post("1", demo)["code"].intValue(), 0);
    EXPECT_EQ(post("2", wang)["code"].intValue(), 0);
    detail = api_.get("live/detail.aspx", {{"id", room}});
    ASSERT_EQ(detail["text"].items().size(), 1u);
    EXPECT_NE(detail["text"][0]["images"].toText().find("/upload/"), std::string::npos);
    Value talk = api_.get("live/discuss_list.aspx", {{"id", room}});
    EXPECT_EQ(talk["result"][0]["id"].toText(), "2");
    EXPECT_EQ(talk["result"][0]["name"].toText(), "wangfang");

    EXPECT_EQ(api_.get("user/close.aspx", {{"t", "2"}, {"id", room}, {"operate", "2"}}, wang)["msg"]
                  .toText(),
              "您没有权限进行此操作");
    EXPECT_EQ(
        api_.get("user/close.aspx", {{"t", "2"}, {"id", room}, {"operate", "2"}}, demo)["code"]
            .intValue(),
        0);
    EXPECT_EQ(post("1", demo)["msg"].toText(), "直播已关闭");
    EXPECT_EQ(
        api_.get("user/close.aspx", {{"t", "2"}, {"id", room}, {"operate", "1"}}, demo)["code"]
            .intValue(),
        0);
    EXPECT_EQ(post("1", demo)["code"].intValue(), 0);
    Value noPicture = api_.postMultipart("user/messagepost.aspx",
                                         {{"t", "5"}, {"title", "无图"}, {"access_token", demo}});
    EXPECT_EQ(noPicture["msg"].toText(), "您还没有选择图片");
    EXPECT_EQ(api_.get("live/detail.aspx", {{"id", "1"}})["msg"].toText(), "该直播不存在");
    EXPECT_EQ(api_.get("live/list.aspx", {{"id", "3"}})["total"].intValue(), 0);
}

}  // namespace
}  // namespace tovera::test
