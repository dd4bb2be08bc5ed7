// Every operation the service serves answers the client's request with the
// envelope and every reply key the contract lists, with the right types.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

// Expected keys: name and type ('T' text, 'I' integer, 'L' list, 'O' object).
using Keys = std::vector<std::pair<std::string, char>>;

enum class Who { kAnonymous, kDemo };
enum class Route { kGet, kForm, kMultipart };
// What the reply must say about "code": absent (reads, login), or 0 with a "msg".
enum class Code { kAbsent, kZero };

struct OperationCase {
    std::string name;
    std::string path;
    Params params;
    Who who;
    Route route;
    Code code;
    Keys top;
    Keys element;  // keys of every "result" element (or of `list`)
    std::string list = "result";
};

const Keys kList = {{"result", 'L'}, {"total", 'I'}};
const Keys kCommentRow = {{"id", 'T'},        {"uid", 'T'},         {"user", 'T'},
                          {"update_at", 'T'}, {"commenthtml", 'T'}, {"agree", 'T'},
                          {"disagree", 'T'},  {"catname", 'T'},     {"title", 'T'},
                          {"classtype", 'T'}, {"cid", 'T'}};
const Keys kFeedRow = {{"id", 'T'},    {"classtype", 'T'}, {"catname", 'T'}, {"cid", 'T'},
                       {"title", 'T'}, {"context", 'T'},   {"date", 'T'},    {"user", 'T'},
                       {"pics", 'T'},  {"comment", 'T'}};
const Keys kSession = {{"id", 'T'}, {"username", 'T'}, {"password", 'T'}, {"completion", 'T'}};
const Keys kAction = {{"code", 'I'}, {"msg", 'T'}};
const Keys kPosted = {{"code", 'I'}, {"msg", 'T'}, {"id", 'T'}};

std::vector<OperationCase> cases() {
    Params comments = {{"t", "1"},    {"type", "1"}, {"id", "50001"},
                       {"page", "1"}, {"size", "3"}, {"count", "3"}};
    auto commentsOf = [](std::string type, std::string id) {
        return Params{{"t", type},   {"type", type}, {"id", id},
                      {"page", "1"}, {"size", "10"}, {"count", "10"}};
    };
    return {
        {"citylist",
         "system/citylist.aspx",
         {},
         Who::kAnonymous,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"cityid", 'T'}, {"city", 'T'}, {"lat", 'T'}, {"lon", 'T'}}},
        {"cityinfo districts",
         "system/cityinfo.aspx",
         {{"city", "3401"}, {"t", "2"}, {"type", "2"}},
         Who::kAnonymous,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'}, {"name", 'T'}}},
        {"cityinfo areas",
         "system/cityinfo.aspx",
         {{"city", "3402"}, {"t", "1"}, {"type", "1"}},
         Who::kAnonymous,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'}, {"name", 'T'}}},
        {"cityinfo projects",
         "system/cityinfo.aspx",
         {{"city", "3401"}, {"t", "3"}, {"type", "3"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'}, {"name", 'T'}}},
        {"cityinfo phases",
         "system/cityinfo.aspx",
         {{"house", "1001"}, {"t", "4"}, {"type", "4"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'}, {"name", 'T'}}},
        {"cityinfo buildings",
         "system/cityinfo.aspx",
         {{"num", "1201"}, {"house", "1001"}, {"t", "5"}, {"type", "5"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'}, {"name", 'T'}}},
        {"cityinfo cities",
         "system/cityinfo.aspx",
         {},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"cityid", 'T'}, {"city", 'T'}}},
        {"location projects",
         "system/location.aspx",
         {{"page", "1"},
          {"lat", "31.859207"},
          {"lon", "117.307570"},
          {"t", "1"},
          {"type", "1"},
          {"limit", "4"}},
         Who::kAnonymous,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"pid", 'T'},
          {"name", 'T'},
          {"text", 'T'},
          {"pic_url", 'T'},
          {"latitude", 'T'},
          {"longitude", 'T'}}},
        {"location friends",
         "system/location.aspx",
         {{"page", "1"},
          {"lat", "31.859207"},
          {"lon", "117.307570"},
          {"uid", "1"},
          {"t", "4"},
          {"type", "4"},
          {"limit", "4"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"pid", 'T'},
          {"name", 'T'},
          {"text", 'T'},
          {"pic_url", 'T'},
          {"latitude", 'T'},
          {"longitude", 'T'}}},
        {"home",
         "system/home.aspx",
         {{"t", "4"}, {"type", "4"}, {"page", "1"}, {"size", "10"}, {"count", "10"}},
         Who::kAnonymous,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'}, {"type", 'T'}, {"name", 'T'}, {"price", 'T'}, {"tel", 'T'}, {"image", 'T'}}},
        {"update",
         "system/update.aspx",
         {{"platform", "ios"}},
         Who::kAnonymous,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"platform", 'T'}, {"code", 'T'}, {"version", 'T'}, {"url", 'T'}}},
        {"comments of an article", "system/comment_list.aspx", comments, Who::kAnonymous,
         Route::kGet, Code::kAbsent, kList, kCommentRow},
        {"comments of a project", "system/comment_list.aspx", commentsOf("2", "1001"), Who::kDemo,
         Route::kGet, Code::kAbsent, kList, kCommentRow},
        {"comments of a room", "system/comment_list.aspx", commentsOf("4", "80001"), Who::kDemo,
         Route::kGet, Code::kAbsent, kList, kCommentRow},
        {"replies of a topic", "system/comment_list.aspx", commentsOf("5", "70001"), Who::kDemo,
         Route::kGet, Code::kAbsent, kList, kCommentRow},
        {"weekly hot comments", "system/comment_list.aspx", commentsOf("6", ""), Who::kAnonymous,
         Route::kGet, Code::kAbsent, kList, kCommentRow},
        {"friends' comments", "system/comment_list.aspx", commentsOf("7", ""), Who::kDemo,
         Route::kGet, Code::kAbsent, kList, kCommentRow},
        {"newest comments", "system/comment_list.aspx", commentsOf("8", ""), Who::kAnonymous,
         Route::kGet, Code::kAbsent, kList, kCommentRow},
        {"own comments", "system/comment_list.aspx", commentsOf("9", ""), Who::kDemo, Route::kGet,
         Code::kAbsent, kList, kCommentRow},
        {"answers",
         "system/reply_list.aspx",
         {{"id", "60005"}, {"t", "2"}, {"type", "2"}, {"closed", "0"}, {"uid", "7"}, {"page", "1"}},
         Who::kAnonymous,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'},
          {"text", 'T'},
          {"picture", 'T'},
          {"name", 'T'},
          {"uid", 'T'},
          {"date", 'T'}}},
        {"news categories",
         "news/sort.aspx",
         {{"page", "1"}, {"size", "10"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"cid", 'T'}, {"catname", 'T'}, {"subscribed", 'T'}, {"num", 'T'}}},
        {"articles of a category",
         "news/search.aspx",
         {{"t", "1"}, {"type", "1"}, {"page", "1"}, {"size", "10"}},
         Who::kAnonymous,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'}, {"title", 'T'}, {"text", 'T'}, {"pic_sl", 'T'}, {"update_at", 'T'}}},
        {"article search",
         "news/search.aspx",
         {{"q", "合肥"}, {"page", "1"}, {"size", "10"}},
         Who::kAnonymous,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'}, {"title", 'T'}, {"text", 'T'}, {"pic_sl", 'T'}, {"update_at", 'T'}}},
        {"article",
         "news/detail.aspx",
         {{"id", "50001"}},
         Who::kAnonymous,
         Route::kGet,
         Code::kAbsent,
         {{"id", 'T'},
          {"title", 'T'},
          {"text", 'T'},
          {"source", 'T'},
          {"update_at", 'T'},
          {"comment", 'T'},
          {"images", 'T'},
          {"summary", 'T'}},
         {}},
        {"login",
         "user/login.aspx",
         {{"username", "wangfang"}, {"password", "wang12345"}},
         Who::kAnonymous,
         Route::kForm,
         Code::kAbsent,
         kSession,
         {}},
        {"register",
         "user/register.aspx",
         {{"username", "表格用户"}, {"password", "secret99"}},
         Who::kAnonymous,
         Route::kForm,
         Code::kAbsent,
         kSession,
         {}},
        {"own record",
         "user/info.aspx",
         {{"id", "1"}, {"t", "2"}, {"type", "2"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         {{"id", 'T'},      {"username", 'T'},   {"realname", 'T'}, {"age", 'T'},
          {"tel", 'T'},     {"email", 'T'},      {"qq", 'T'},       {"gander", 'T'},
          {"point", 'T'},   {"photo", 'T'},      {"remark", 'T'},   {"privacy", 'T'},
          {"groupid", 'T'}, {"completion", 'T'}, {"date", 'T'},     {"e", 'T'},
          {"b", 'T'},       {"p", 'T'},          {"p_i", 'T'},      {"f_i", 'T'},
          {"add", 'T'},     {"city", 'T'},       {"cityid", 'T'},   {"size", 'T'},
          {"price", 'T'},   {"flat", 'T'},       {"type", 'T'},     {"state", 'T'},
          {"buyinfo", 'L'}},
         {{"id", 'T'},
          {"state", 'T'},
          {"location", 'T'},
          {"cityid", 'T'},
          {"area", 'T'},
          {"aid", 'T'},
          {"house", 'T'},
          {"hid", 'T'},
          {"lssue", 'T'},
          {"lid", 'T'},
          {"build", 'T'},
          {"bid", 'T'},
          {"unit", 'T'},
          {"num", 'T'}},
         "buyinfo"},
        {"unread counts",
         "user/newmsg.aspx",
         {{"uid", "1"}, {"lasttime", "0,2013-05-02 10:11:12,0,0"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         {{"number", 'T'}},
         {}},
        {"site recommendations",
         "user/searchmsg.aspx",
         {{"t", "1"}, {"type", "1"}, {"page", "1"}, {"more", "1"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         kFeedRow},
        {"followed projects' news",
         "user/searchmsg.aspx",
         {{"t", "2"}, {"type", "2"}, {"page", "1"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         kFeedRow},
        {"subscribed news",
         "user/searchmsg.aspx",
         {{"t", "3"}, {"type", "3"}, {"page", "1"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         kFeedRow},
        {"friend list",
         "user/setgroup.aspx",
         {{"gid", "0"}, {"id", "1"}, {"page", "1"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'}, {"groupname", 'T'}, {"name", 'T'}, {"friends", 'L'}}},
        {"followed projects",
         "user/focushouse_list.aspx",
         {{"o", "0"}, {"page", "1"}},
         Who::kDemo,
         Route::kGet,
         Code::kAbsent,
         kList,
         {{"id", 'T'},
          {"name", 'T'},
          {"catname", 'T'},
          {"price", 'T'},
          {"address", 'T'},
          {"state", 'T'},
          {"pic_sl", 'T'},
          {"focus", 'T'},
          {"update_at", 'T'},
          {"cityid", 'T'},
          {"HouseType", 'T'}}},
        {"subscribe",
         "user/subscribe.aspx",
         {{"cid", "2"}, {"uid", "1"}, {"operate", "2"}, {"code", "2"}},
         Who::kDemo,
         Route::kGet,
         Code::kZero,
         kAction,
         {}},
        {"follow",
         "user/focus.aspx",
         {{"id", "1010"}, {"t", "1"}, {"type", "1"}, {"operate", "1"}, {"code", "1"}},
         Who::kDemo,
         Route::kGet,
         Code::kZero,
         kAction,
         {}},
        {"vote",
         "user/agree.aspx",
         {{"id", "70100"}, {"operate", "1"}, {"code", "1"}},
         Who::kAnonymous,
         Route::kGet,
         Code::kZero,
         kAction,
         {}},
        {"recommend",
         "user/recommand.aspx",
         {{"uid", "2|3"}, {"id", "50002"}, {"type", "1"}},
         Who::kDemo,
         Route::kGet,
         Code::kZero,
         kAction,
         {}},
        {"move a friend",
         "user/setgroup.aspx",
         {{"id", "7"}, {"gid", "3"}, {"t", "1"}, {"type", "1"}},
         Who::kDemo,
         Route::kGet,
         Code::kZero,
         kAction,
         {}},
        {"change password",
         "user/setpassword.aspx",
         {{"newprd", "demo1234"}, {"oldprd", "demo1234"}, {"id", "1"}},
         Who::kDemo,
         Route::kForm,
         Code::kZero,
         kAction,
         {}},
        {"comment",
         "user/messagepost.aspx",
         {{"t", "8"},
          {"type", "8"},
          {"ptype", "1"},
          {"id", "50001"},
          {"text", "好文章[Face3]"},
          {"api", "postcomment"}},
         Who::kDemo,
         Route::kMultipart,
         Code::kZero,
         kPosted,
         {}},
        {"correction",
         "user/messagepost.aspx",
         {{"t", "9"}, {"type", "9"}, {"ptype", "2"}, {"id", "1001"}, {"text", "电话打不通"}},
         Who::kDemo,
         Route::kMultipart,
         Code::kZero,
         kPosted,
         {}},
        {"feedback",
         "user/messagepost.aspx",
         {{"t", "4"}, {"type", "4"}, {"text", "希望增加夜间模式"}},
         Who::kDemo,
         Route::kMultipart,
         Code::kZero,
         kPosted,
         {}},
    };
}

bool hasType(const Value& value, char type) {
    switch (type) {
        case 'T':
            return value.isString();
        case 'I':
            return value.isNumber();
        case 'L':
            return value.isArray();
        case 'O':
            return value.isDict();
    }
    return false;
}

void expectKeys(const Value& object, const Keys& keys, const std::string& where) {
    for (const auto& [key, type] : keys) {
        const Value* value = object.dict() ? object.dict()->find(key) : nullptr;
        ASSERT_TRUE(value) << where << ": no \"" << key << "\"";
        EXPECT_TRUE(hasType(*value, type))
            << where << ": \"" << key << "\" is not of type " << type;
    }
}

TEST(ServiceContract, EveryOperationAnswersWithTheListedKeysAndTypes) {
    RunningService service;
    ApiClient api(service);
    std::string token = api.login("demo", "demo1234");
    for (const OperationCase& c : cases()) {
        SCOPED_TRACE(c.name);
        Params params = c.params;
        if (c.who == Who::kDemo) params.emplace_back("access_token", token);
        if (c.route != Route::kGet || c.who == Who::kDemo) params.emplace_back("cityid", "3401");
        Value reply;
        if (c.route == Route::kGet) {
            reply = api.get(c.path, params);
        } else if (c.route == Route::kForm) {
            reply = api.postForm(c.path, params);
        } else {
            std::vector<Part> parts;
            for (const auto& [key, value] : params)
                parts.push_back({key, value});
            reply = api.postMultipart(c.path, parts);
        }
        ASSERT_TRUE(reply.isDict());
        const Dict& fields = *reply.dict();
        ASSERT_FALSE(fields.empty());
        EXPECT_EQ(fields.begin()->first, "error_code");
        EXPECT_EQ(reply["error_code"].intValue(), 200);
        if (c.code == Code::kAbsent) {
            EXPECT_FALSE(fields.contains("code")) << reply["msg"].toText();
        } else {
            EXPECT_EQ(reply["code"].intValue(), 0) << reply["msg"].toText();
            EXPECT_FALSE(reply["msg"].toText().empty());
        }
        expectKeys(reply, c.top, c.name);
        if (c.element.empty()) continue;
        const Array& rows = reply[c.list].items();
        ASSERT_FALSE(rows.empty()) << "the seed should give \"" << c.list << "\" rows";
        for (const Value& row : rows)
            expectKeys(row, c.element, c.name + " element");
        if (fields.contains("total")) {
            EXPECT_GE(reply["total"].intValue(), static_cast<int>(rows.size()));
        }
    }
}

}  // namespace
}  // namespace tovera::test
