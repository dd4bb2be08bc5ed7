// ask/*: questions and answers. The lists and the question record; asking
// (user/messagepost.aspx type 7) and answering (type 3), choosing the best
// answer (user/bestanswer.aspx) and closing a question (user/close.aspx
// type 1).
#include "service/Handlers.h"
#include "service/Portal.h"
#include "service/Schema.h"
#include "service/SqlFilter.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

constexpr std::string_view kNoQuestion = "该咨询不存在";
constexpr std::string_view kQuestionClosed = "该咨询已关闭";

// "hid": the project's questions; else by tab: 1 open and unsolved,
// 2 solved (both of the city), 3 asked by the caller, 4 answered by the
// caller, 5 asked by the caller's friends. Any other tab reads 1.
std::optional<SqlFilter> listFilter(const ServiceRequest& r) {
    SqlFilter filter;
    if (std::int64_t hid = r.integer("hid"); hid > 0) return filter.where("q.hid = ?", {hid});
    std::int64_t tab = parseInteger(r.type).value_or(1);
    if (tab >= 3 && tab <= 5 && !r.signedIn()) return std::nullopt;
    switch (tab) {
        case 2:
            return filter.where("q.solve = 1 AND q.cityid = ?", {std::int64_t{r.cityId}});
        case 3:
            return filter.where("q.uid = ?", {r.userId});
        case 4:
            return filter.where("q.id IN (SELECT question FROM answer WHERE uid = ?)", {r.userId});
        case 5:
            return filter.where("q.uid IN (SELECT friend FROM friend WHERE uid = ? AND gid <> 2)",
                                {r.userId});
        default:
            return filter.where("q.solve = 0 AND q.closed = 0 AND q.cityid = ?",
                                {std::int64_t{r.cityId}});
    }
}

Dict list(Call& call) {
    const ServiceRequest& r = call.request;
    std::optional<SqlFilter> filter = listFilter(r);
    if (!filter) return listReply({}, 0);  // personal tabs of an anonymous caller
    return filter->page(
        call.db,
        "q.id, q.title, ifnull(u.username, '') AS user, q.uid, "
        "(SELECT count(*) FROM answer a WHERE a.question = q.id) AS reply, "
        "display_time(q.created_at) AS date, q.solve, q.hid, ifnull(p.name, '') AS house",
        "FROM question q LEFT JOIN user u ON u.id = q.uid LEFT JOIN project p ON p.id = q.hid",
        " ORDER BY q.created_at DESC, q.id DESC", r.size, r.offset());
}

Dict detail(Call& call) {
    std::optional<Dict> question = queryRow(
        call.db,
        "SELECT q.id, q.title, ifnull(u.username, '') AS user, q.text, q.uid, "
        "display_time(q.created_at) AS start_date, q.image, q.hid, ifnull(p.name, '') AS house, "
        "q.servictext, q.servicname, "
        "CASE WHEN q.servictext = '' THEN '' ELSE display_time(q.service_at) END AS servicedate, "
        "ifnull(a.text, '') AS besttext, ifnull(b.username, '') AS bestname, "
        "ifnull(a.uid, 0) AS bestid, "
        "CASE WHEN a.id IS NULL THEN '' ELSE display_time(a.created_at) END AS bestdate, "
        "q.closed, q.solve, (SELECT count(*) FROM answer x WHERE x.question = q.id) AS reply "
        "FROM question q LEFT JOIN user u ON u.id = q.uid LEFT JOIN project p ON p.id = q.hid "
        "LEFT JOIN answer a ON a.id = q.best AND q.best > 0 LEFT JOIN user b ON b.id = a.uid "
        "WHERE q.id = ?1",
        call.request.integer("id"));
    if (!question) return refusal(kNoQuestion);
    call.linkPictures(*question, {"image"});
    return std::move(*question);
}

// The request's photos ("pic1" newest first) stored as uploads, "|"-joined.
std::string savePhotos(Call& call) {
    std::string names;
    for (const auto& [part, bytes] : call.request.pictures) {
        if (part.substr(0, 3) != "pic") continue;
        if (!names.empty()) names += '|';
        names += call.portal.saveUpload(bytes);
    }
    return names;
}

Dict postedWithId(std::int64_t id) {
    Dict reply = success("发布成功");
    reply.set("id", std::to_string(id));
    return reply;
}

// user/messagepost.aspx type 7: a question, about project "id" when
// "ptype" is "2".
Dict ask(Call& call) {
    const ServiceRequest& r = call.request;
    std::string title(trimmed(r.text("title")));
    if (title.empty()) return refusal("咨询主题不能为空!");
    std::int64_t hid = 0;
    if (r.text("ptype") == "2") {
        hid = r.integer("id");
        if (queryInteger(call.db, "SELECT count(*) FROM project WHERE id = ?1", hid) == 0)
            return refusal("评论对象不存在");
    }
    Transaction transaction(call.db);
    std::int64_t id = nextId(call.db, "question");
    execute(call.db,
            "INSERT INTO question(id, cityid, uid, title, text, image, hid, closed, solve, best, "
            "servictext, servicname, service_at, created_at) "
            "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, 0, 0, 0, '', '', 0, unixepoch())",
            id, r.cityId, r.userId, title, std::string(trimmed(r.text("text"))), savePhotos(call),
            hid);
    transaction.commit();
    return postedWithId(id);
}

// user/messagepost.aspx type 3: an answer to question "id".
Dict answer(Call& call) {
    const ServiceRequest& r = call.request;
    std::string text(trimmed(r.text("text")));
    if (text.empty()) return refusal("内容不能为空");
    std::int64_t question = r.integer("id");
    std::optional<Dict> found =
        queryRow(call.db, "SELECT closed FROM question WHERE id = ?1", question);
    if (!found) return refusal("评论对象不存在");
    if ((*found)["closed"].toText() == "1") return refusal(kQuestionClosed);
    Transaction transaction(call.db);
    std::int64_t id = nextId(call.db, "answer");
    execute(call.db,
            "INSERT INTO answer(id, question, uid, text, picture, created_at) "
            "VALUES(?1, ?2, ?3, ?4, ?5, unixepoch())",
            id, question, r.userId, text, savePhotos(call));
    transaction.commit();
    return postedWithId(id);
}

// user/bestanswer.aspx: the asker chooses answer "id" of question "aid"; a
// later choice replaces an earlier one.
Dict bestanswer(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::optional<Dict> chosen =
        queryRow(call.db,
                 "SELECT a.uid AS author, q.uid AS asker, q.closed FROM answer a "
                 "JOIN question q ON q.id = a.question WHERE a.id = ?1 AND q.id = ?2",
                 r.integer("id"), r.integer("aid"));
    if (!chosen) return refusal("该回答不存在");
    if ((*chosen)["asker"].toText() != std::to_string(r.userId))
        return refusal("只有提问者可以选择最佳答案");
    if ((*chosen)["closed"].toText() == "1") return refusal(kQuestionClosed);
    if ((*chosen)["author"].toText() == std::to_string(r.userId))
        return refusal("不能选择自己的回答");
    execute(call.db, "UPDATE question SET best = ?1, solve = 1 WHERE id = ?2", r.integer("id"),
            r.integer("aid"));
    return success("设置成功");
}

// user/close.aspx type 1: the asker closes question "id"; it stays readable.
Dict closeQuestion(Call& call) {
    const ServiceRequest& r = call.request;
    std::optional<Dict> question =
        queryRow(call.db, "SELECT uid FROM question WHERE id = ?1", r.integer("id"));
    if (!question) return refusal(kNoQuestion);
    if ((*question)["uid"].toText() != std::to_string(r.userId))
        return refusal("您没有权限进行此操作");
    execute(call.db, "UPDATE question SET closed = 1 WHERE id = ?1", r.integer("id"));
    return success("操作成功");
}

}  // namespace

void addAskOperations(Router& router) {
    router.addOperation("ask/list.aspx", list);
    router.addOperation("ask/detail.aspx", detail);
    router.addOperation("user/bestanswer.aspx", bestanswer);
    router.addCloseKind("1", closeQuestion);
    router.addPostKind("3", answer);
    router.addPostKind("7", ask);
}

}  // namespace tovera::service
