// Topics, activities, live rooms, messages, friends and profile editing
// answer the client's requests with the envelope and every listed reply key.
// The cases run in order on one service, so actions come after the reads of
// what they change.
#include <gtest/gtest.h>

#include "ContractTable.h"

namespace tovera::test {
namespace {

const Keys kTopicRow = {{"id", 'T'},  {"title", 'T'},     {"image", 'T'},   {"user", 'T'},
                        {"uid", 'T'}, {"update_at", 'T'}, {"comment", 'T'}, {"reprs", 'L'}};
const Keys kReplyRow = {{"id", 'T'},  {"text", 'T'}, {"image", 'T'},  {"user", 'T'},
                        {"uid", 'T'}, {"date", 'T'}, {"comment", 'T'}};
const Keys kMessageRow = {{"id", 'T'},   {"title", 'T'}, {"text", 'T'},   {"date", 'T'},
                          {"uid", 'T'},  {"name", 'T'},  {"remark", 'T'}, {"catname", 'T'},
                          {"type", 'T'}, {"tid", 'T'},   {"person", 'T'}, {"pid", 'T'}};
const Keys kMemberRow = {{"id", 'T'}, {"name", 'T'}, {"remark", 'T'}, {"groupid", 'T'}};
const Keys kTypedList = {{"result", 'L'}, {"total", 'I'}, {"type", 'T'}};

Params typed(const std::string& type, Params more = {}) {
    more.emplace_back("t", type);
    more.emplace_back("type", type);
    return more;
}

OperationCase read(std::string name, std::string path, Params params, Keys top, Keys element = {},
                   std::string list = "result") {
    return {std::move(name), std::move(path), std::move(params),  Who::kDemo,     Route::kGet,
            Code::kAbsent,   std::move(top),  std::move(element), std::move(list)};
}

OperationCase action(std::string name, std::string path, Params params, Route route = Route::kGet,
                     Keys top = kAction, std::string picture = {}) {
    return {std::move(name), std::move(path),   std::move(params), Who::kDemo,
            route,           Code::kZero,       std::move(top),    {},
            "result",        std::move(picture)};
}

std::vector<OperationCase> cases() {
    Params setinfo = {{"id", "1"},
                      {"uid", "1"},
                      {"classic", "1"},
                      {"name", "张明"},
                      {"gander", "男"},
                      {"tel", "13800000001"},
                      {"mail", "demo@example.com"},
                      {"qq", "123456"},
                      {"privacy", "1"},
                      {"brithday", "1985-06-01"},
                      {"e", "本科"},
                      {"b", "教育"},
                      {"p", "3"},
                      {"p_i", "20"},
                      {"f_i", "35"},
                      {"add", "合肥长江路1号"},
                      {"city", "3401,3402"},
                      {"size", "120"},
                      {"price", "15000"},
                      {"room", "3"},
                      {"hall", "2"},
                      {"bathroom", "1"},
                      {"state", "2"},
                      {"house", "0"},
                      {"lid", "0"},
                      {"build", "0"},
                      {"unit", "1"},
                      {"num", ""}};
    Params purchase = {{"id", "1"},  {"uid", "1"},   {"state", "1"}, {"house", "1002"},
                       {"lid", "0"}, {"build", "0"}, {"unit", "2"},  {"num", "1502"}};
    auto purchaseEdit = purchase;
    purchaseEdit[0].second = purchaseEdit[1].second = "100001";
    auto saved = Keys{{"code", 'I'}, {"msg", 'T'}, {"completion", 'T'}};
    return {
        read("all topics", "topic/list.aspx", typed("1", {{"page", "1"}, {"size", "10"}}), kList,
             kTopicRow),
        read("hot topics", "topic/list.aspx", typed("2", {{"page", "1"}}), kList, kTopicRow),
        read("own topics", "topic/list.aspx", typed("3", {{"page", "1"}}), kList, kTopicRow),
        read("friends' topics", "topic/list.aspx", typed("4", {{"page", "1"}}), kList, kTopicRow),
        read("topic", "topic/detail.aspx", {{"id", "70001"}, {"page", "1"}, {"count", "10"}}, kList,
             kReplyRow),
        read("open activities", "activity/list.aspx", typed("1", {{"page", "1"}}), kList,
             {{"id", 'T'}, {"name", 'T'}, {"endtime", 'T'}, {"pic_sl", 'T'}}),
        read("past activities", "activity/list.aspx", typed("2", {{"page", "1"}}), kList,
             {{"id", 'T'}, {"name", 'T'}, {"endtime", 'T'}, {"pic_sl", 'T'}}),
        read("activity", "activity/detail.aspx", {{"id", "40001"}, {"api", "activitydetail"}},
             {{"id", 'T'},
              {"name", 'T'},
              {"city", 'T'},
              {"date", 'T'},
              {"joins", 'T'},
              {"tel", 'T'},
              {"text", 'T'},
              {"isend", 'T'}}),
        read("open rooms", "live/list.aspx", {{"id", "1"}, {"page", "1"}}, kList,
             {{"id", 'T'},
              {"title", 'T'},
              {"user", 'T'},
              {"uid", 'T'},
              {"update_at", 'T'},
              {"image", 'T'}}),
        read("closed rooms", "live/list.aspx", {{"id", "2"}, {"page", "1"}}, kList),
        read("own rooms", "live/list.aspx", {{"id", "3"}, {"page", "1"}}, kList),
        read("room", "live/detail.aspx", {{"id", "80001"}, {"page", "1"}},
             {{"id", 'T'},
              {"title", 'T'},
              {"start_at", 'T'},
              {"name", 'T'},
              {"uid", 'T'},
              {"isend", 'T'},
              {"picture", 'T'},
              {"text", 'L'}},
             {{"id", 'T'}, {"message", 'T'}, {"images", 'T'}, {"comment", 'T'}, {"update_at", 'T'}},
             "text"),
        read("discussion", "live/discuss_list.aspx", {{"id", "80001"}, {"page", "1"}}, kList,
             {{"id", 'T'}, {"name", 'T'}, {"content", 'T'}, {"update_at", 'T'}, {"picture", 'T'}}),
        read("groups", "user/friendgroup.aspx", {{"id", "0"}}, kList, {{"id", 'T'}, {"name", 'T'}}),
        read("people by name", "user/friend_search.aspx", typed("0", {{"q", "li"}, {"id", "0"}}),
             kTypedList, kMemberRow),
        read("projects by name", "user/friend_search.aspx",
             typed("1", {{"q", "花园"}, {"id", "0"}}), kTypedList, {{"id", 'T'}, {"name", 'T'}}),
        read("purchased projects", "user/friend_search.aspx", typed("2", {{"id", "0"}}), kTypedList,
             {{"id", 'T'}, {"name", 'T'}}),
        read("buyers", "user/friend_search.aspx", typed("2", {{"id", "1001"}}), kTypedList,
             kMemberRow),
        read("followers", "user/friend_search.aspx", typed("3", {{"id", "1001"}, {"uid", "1"}}),
             kTypedList),
        read("all messages", "user/sendmsg_list.aspx", typed("1", {{"page", "1"}}), kList,
             kMessageRow),
        read("notices", "user/sendmsg_list.aspx", typed("2"), kList, kMessageRow),
        read("letters", "user/sendmsg_list.aspx", typed("3"), kList, kMessageRow),
        read("recommendations", "user/sendmsg_list.aspx", typed("4"), kList, kMessageRow),
        read("sent", "user/sendmsg_list.aspx", typed("5"), kList, kMessageRow),
        read("blacklist", "user/black.aspx", {{"uid", "1"}, {"api", "black"}}, kList,
             {{"id", 'T'}, {"name", 'T'}, {"remark", 'T'}}),
        action("new topic", "user/messagepost.aspx", typed("6", {{"text", "周末去看房的举手"}}),
               Route::kMultipart, kPosted, "pic1"),
        action("repost", "user/foward.aspx",
               {{"id", "70001"}, {"uid", "1"}, {"info", "值得一看"}, {"comment", "1"}}),
        action("live message", "user/messagepost.aspx",
               typed("1", {{"id", "80001"}, {"text", "开盘了"}}), Route::kMultipart, kPosted,
               "pic1"),
        action("discussion post", "user/messagepost.aspx",
               typed("2", {{"id", "80001"}, {"text", "还有房吗？"}}), Route::kMultipart, kPosted),
        action("new room", "user/messagepost.aspx",
               typed("5", {{"title", "样板间开放直播"}, {"api", "livesend"}}), Route::kMultipart,
               kPosted, "pic1"),
        action("close a room", "user/close.aspx",
               typed("2", {{"id", "80001"}, {"uid", "1"}, {"operate", "2"}, {"code", "2"}})),
        action("delete a topic", "user/close.aspx",
               typed("3", {{"id", "70002"}, {"uid", "1"}, {"operate", "2"}, {"code", "2"}})),
        action("save the profile", "user/setinfo.aspx", typed("1", setinfo), Route::kForm, saved),
        action("add a purchase", "user/setinfo.aspx", typed("3", purchase), Route::kForm, saved),
        action("edit a purchase", "user/setinfo.aspx", typed("3", purchaseEdit), Route::kForm,
               saved),
        action("delete a purchase", "user/setinfo.aspx", typed("3", {{"id", "100002"}}),
               Route::kForm),
        action("head photo", "user/headphoto.aspx", typed("1", {{"id", "1"}}), Route::kMultipart,
               kAction, "photo"),
        action("new group", "user/updategroup.aspx", {{"id", "0"}, {"grupname", "邻居"}}),
        action("friend request", "user/apply.aspx",
               {{"id", "10"}, {"uid", "1"}, {"operate", "1"}, {"code", "1"}}),
        action("accept a request", "user/pass.aspx",
               {{"id", "5"}, {"uid", "1"}, {"operate", "1"}, {"code", "1"}}),
        action("remark", "user/remark.aspx", {{"id", "3"}, {"uid", "1"}, {"name", "小李"}}),
        action("shield", "user/shieldmsg.aspx",
               {{"id", "3"}, {"uid", "1"}, {"operate", "1"}, {"code", "1"}}),
        action("send a letter", "user/sendmsg.aspx",
               {{"user", "wangfang(芳姐)"}, {"subject", "周末"}, {"content", "一起看房吧"}}),
        action("delete a message", "user/deletemsg.aspx", {{"id", "95001"}, {"uid", "1"}}),
        action("blacklist", "user/setmsg.aspx",
               {{"uid", "1"}, {"operate", "1"}, {"code", "1"}, {"username", "chenjing"}}),
    };
}

TEST(ServiceCommunityContract, EveryOperationAnswersWithTheListedKeysAndTypes) {
    expectOperationReplies(cases());
}

}  // namespace
}  // namespace tovera::test
