// New-build projects, second-hand and rental listings, and questions answer
// the client's requests with the envelope and every listed reply key. The
// cases run in order on one service, so actions come after the reads of
// what they change.
#include <gtest/gtest.h>

#include "ContractTable.h"

namespace tovera::test {
namespace {

const Keys kProjectRow = {{"id", 'T'},        {"name", 'T'},  {"catname", 'T'}, {"price", 'T'},
                          {"address", 'T'},   {"state", 'T'}, {"pic_sl", 'T'},  {"focus", 'T'},
                          {"update_at", 'T'}, {"cityid", 'T'}};
const Keys kProject = {
    {"id", 'T'},           {"name", 'T'},        {"tel", 'T'},      {"state", 'T'},
    {"catname", 'T'},      {"price", 'T'},       {"area", 'T'},     {"property", 'T'},
    {"address", 'T'},      {"selladdress", 'T'}, {"num_look", 'T'}, {"num_buy", 'T'},
    {"num_oldhouse", 'T'}, {"map", 'T'},         {"photos", 'L'},   {"focused", 'T'}};
const Keys kPhoto = {{"picico_url", 'T'}, {"picbig_url", 'T'}, {"title", 'T'}};
const Keys kListingRow = {{"id", 'T'},        {"title", 'T'}, {"name", 'T'},  {"source", 'T'},
                          {"unit", 'T'},      {"size", 'T'},  {"price", 'T'}, {"update_at", 'T'},
                          {"community", 'T'}, {"area", 'T'},  {"text", 'T'},  {"recommand", 'T'},
                          {"hot", 'T'}};
const Keys kListing = {
    {"id", 'T'},         {"title", 'T'},  {"name", 'T'},      {"price", 'T'},  {"area", 'T'},
    {"community", 'T'},  {"unit", 'T'},   {"size", 'T'},      {"nature", 'T'}, {"rent_method", 'T'},
    {"pay_method", 'T'}, {"effect", 'T'}, {"floor", 'T'},     {"face", 'T'},   {"type", 'T'},
    {"fitment", 'T'},    {"years", 'T'},  {"lookhouse", 'T'}, {"room", 'T'},   {"support", 'T'},
    {"traffic", 'T'},    {"person", 'T'}, {"update_at", 'T'}, {"tel", 'T'},    {"address", 'T'},
    {"map", 'T'},        {"detail", 'T'}, {"pictures", 'L'}};
const Keys kListingPicture = {
    {"picico_url", 'T'}, {"picbig_url", 'T'}, {"title", 'T'}, {"picname", 'T'}};
const Keys kQuestionRow = {{"id", 'T'},    {"title", 'T'}, {"user", 'T'},
                           {"uid", 'T'},   {"reply", 'T'}, {"date", 'T'},
                           {"solve", 'T'}, {"hid", 'T'},   {"house", 'T'}};
const Keys kQuestion = {
    {"id", 'T'},         {"title", 'T'},      {"user", 'T'},        {"text", 'T'},
    {"uid", 'T'},        {"start_date", 'T'}, {"image", 'T'},       {"hid", 'T'},
    {"servictext", 'T'}, {"servicname", 'T'}, {"servicedate", 'T'}, {"besttext", 'T'},
    {"bestname", 'T'},   {"bestid", 'T'},     {"bestdate", 'T'},    {"closed", 'T'}};

Params typed(const std::string& type, Params more = {}) {
    more.emplace_back("t", type);
    more.emplace_back("type", type);
    return more;
}

OperationCase read(std::string name, std::string path, Params params, Keys top, Keys element = {},
                   std::string list = "result", Who who = Who::kDemo) {
    return {std::move(name), std::move(path),    std::move(params), who, Route::kGet, Code::kAbsent,
            std::move(top),  std::move(element), std::move(list)};
}

// A posting form (multipart) of the demo user, answered with the new id.
OperationCase posting(std::string name, Params params, std::string picture = {}) {
    OperationCase c{std::move(name),   "user/messagepost.aspx",
                    std::move(params), Who::kDemo,
                    Route::kMultipart, Code::kZero,
                    kPosted,           {}};
    c.picturePart = std::move(picture);
    return c;
}

// An action of the demo user: "code" 0 and a "msg".
OperationCase act(std::string name, std::string path, Params params) {
    return {std::move(name), std::move(path), std::move(params), Who::kDemo,
            Route::kGet,     Code::kZero,     kAction,           {}};
}

std::vector<OperationCase> cases() {
    Params filtered = typed("1", {{"q", ""},
                                  {"p", "4"},
                                  {"cityid", "3401"},
                                  {"a", "0"},
                                  {"r", "3"},
                                  {"m", "4"},
                                  {"force", "1"},
                                  {"o", "3"},
                                  {"page", "1"},
                                  {"size", "10"}});
    Params secondHand = {{"q", ""},     {"r", "三室"}, {"p", "0"},    {"m", "0"},
                         {"a", "全部"}, {"d", "0"},    {"u", "0"},    {"j", "0"},
                         {"h", "0"},    {"page", "1"}, {"size", "10"}};
    return {
        read("project search", "house/search.aspx",
             {{"force", "1"}, {"o", "1"}, {"page", "1"}, {"size", "10"}}, kList, kProjectRow,
             "result", Who::kAnonymous),
        read("filtered project search", "house/search.aspx", filtered, kList, kProjectRow),
        read("project", "house/detail.aspx", {{"id", "1001"}}, kProject, kPhoto, "photos"),
        read("introduction", "house/introduce.aspx", {{"id", "1001"}}, {{"introduce", 'T'}}),
        read("surroundings", "house/support.aspx", {{"id", "1001"}},
             {{"loction", 'T'}, {"traffic", 'L'}, {"supporting", 'T'}},
             {{"busname", 'T'}, {"busline", 'T'}}, "traffic"),
        read("sale information", "house/saleinfo.aspx", {{"page", "1"}}, kList,
             {{"hid", 'T'},
              {"housename", 'T'},
              {"catname", 'T'},
              {"update_at", 'T'},
              {"saletext", 'T'}}),
        read("followed sale information", "house/saleinfo.aspx", {{"page", "1"}, {"uid", "1"}},
             kList,
             {{"hid", 'T'},
              {"housename", 'T'},
              {"catname", 'T'},
              {"update_at", 'T'},
              {"saletext", 'T'}}),
        read("latest sale news", "house/sell_list.aspx",
             {{"id", "1001"}, {"size", "1"}, {"count", "1"}}, kList,
             {{"selltxt", 'T'}, {"update_at", 'T'}, {"hid", 'T'}}),
        read("gallery grid", "house/gallery.aspx", typed("0", {{"id", "1001"}, {"page", "1"}}),
             kList, {{"type", 'T'}, {"title", 'T'}, {"picico_url", 'T'}}),
        read("floor plans", "house/gallery.aspx", typed("4", {{"id", "1001"}, {"page", "1"}}),
             kList, {{"picico_url", 'T'}, {"picbig_url", 'T'}, {"title", 'T'}, {"picname", 'T'}}),
        read("second-hand search", "oldhouse/search.aspx", secondHand, kList, kListingRow),
        read("second-hand of a project", "oldhouse/search.aspx", {{"hid", "1001"}, {"page", "1"}},
             kList, kListingRow),
        read("rental search", "rent/search.aspx", {{"page", "1"}, {"p", "3"}}, kList, kListingRow,
             "result", Who::kAnonymous),
        read("second-hand listing", "oldhouse/detail.aspx", {{"id", "20001"}}, kListing,
             kListingPicture, "pictures"),
        read("rental listing", "rent/detail.aspx", {{"id", "30001"}}, kListing, kListingPicture,
             "pictures"),
        read("open questions", "ask/list.aspx", typed("1", {{"id", "1"}, {"page", "1"}}), kList,
             kQuestionRow),
        read("solved questions", "ask/list.aspx", typed("2", {{"id", "1"}, {"page", "1"}}), kList,
             kQuestionRow),
        read("own questions", "ask/list.aspx", typed("3", {{"id", "1"}, {"page", "1"}}), kList,
             kQuestionRow),
        read("answered questions", "ask/list.aspx", typed("4", {{"id", "1"}, {"page", "1"}}), kList,
             kQuestionRow),
        read("friends' questions", "ask/list.aspx", typed("5", {{"id", "1"}, {"page", "1"}}), kList,
             kQuestionRow),
        read("questions on a project", "ask/list.aspx",
             {{"id", "1"}, {"hid", "1001"}, {"page", "1"}}, kList, kQuestionRow),
        read("question", "ask/detail.aspx", {{"id", "60001"}}, kQuestion),
        posting("ask",
                typed("7", {{"title", "滨湖哪个小区适合养老？"}, {"text", "想给父母买套房"}}),
                "pic1"),
        posting("answer",
                typed("3", {{"id", "60010"}, {"title", ""}, {"text", "可以看看政务区的次新房"}})),
        act("best answer", "user/bestanswer.aspx", {{"id", "62002"}, {"aid", "60001"}}),
        act("close a question", "user/close.aspx",
            typed("1", {{"id", "60003"}, {"operate", "2"}, {"code", "2"}})),
    };
}

TEST(ServiceContract, PropertyAndQuestionOperationsAnswerWithTheListedKeysAndTypes) {
    expectOperationReplies(cases());
}

}  // namespace
}  // namespace tovera::test
