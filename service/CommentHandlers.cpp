// system/comment_list.aspx, system/reply_list.aspx and user/agree.aspx.
#include "service/Comments.h"
#include "service/Handlers.h"
#include "service/Portal.h"

namespace tovera::service {

namespace {

constexpr std::string_view kNewestFirst =
    " ORDER BY c.created_at DESC, c.id DESC LIMIT ?2 OFFSET ?3";
constexpr std::int64_t kWeek = 7 * 24 * 3600;

// Comments of one object: types 1-5.
Dict objectComments(Call& call, int listType) {
    const ServiceRequest& r = call.request;
    std::int64_t id = r.integer("id");
    int anchorKind = listType;
    if (listType == kOnTopic && !isTopic(call.db, id)) anchorKind = kOnTopicReply;
    call.portal.commentKinds().remember(r.callerKey(), id, anchorKind);
    std::string where =
        "WHERE c.anchor_kind = " + std::to_string(anchorKind) + " AND c.anchor_id = ?1";
    Array rows = queryComments(call.db, where + std::string(kNewestFirst), id, r.size, r.offset());
    return listReply(std::move(rows),
                     queryInteger(call.db, "SELECT count(*) FROM comment c " + where, id));
}

// Site-wide lists: types 6-9.
Dict siteComments(Call& call, int listType) {
    const ServiceRequest& r = call.request;
    std::string where;
    std::string order = std::string(kNewestFirst);
    std::int64_t key = 0;
    switch (listType) {
        case 6:
            where =
                "WHERE c.cityid = ?1 AND c.created_at >= unixepoch() - " + std::to_string(kWeek);
            order = " ORDER BY c.agree DESC, c.created_at DESC, c.id DESC LIMIT ?2 OFFSET ?3";
            key = r.cityId;
            break;
        case 7:
            where = "WHERE c.uid IN (SELECT friend FROM friend WHERE uid = ?1 AND gid <> 2)";
            key = r.userId;
            break;
        case 9:
            where = "WHERE c.uid = ?1";
            key = r.userId;
            break;
        default:
            where = "WHERE c.cityid = ?1";
            key = r.cityId;
    }
    Array rows = queryComments(call.db, where + order, key, r.size, r.offset());
    return listReply(std::move(rows),
                     queryInteger(call.db, "SELECT count(*) FROM comment c " + where, key));
}

Dict commentList(Call& call) {
    const ServiceRequest& r = call.request;
    int listType = static_cast<int>(parseInteger(r.type).value_or(1));
    if (listType < 1 || listType > 9) listType = 1;
    if ((listType == 7 || listType == 9) && !r.signedIn()) return listReply({}, 0);
    return listType <= 5 ? objectComments(call, listType) : siteComments(call, listType);
}

// Every answer of a question but its best one, oldest first, all on page 1.
Dict replyList(Call& call) {
    const ServiceRequest& r = call.request;
    if (r.page > 1) {
        return listReply({}, queryInteger(call.db,
                                          "SELECT count(*) FROM answer a JOIN question q "
                                          "ON q.id = a.question WHERE q.id = ?1 AND a.id <> q.best",
                                          r.integer("id")));
    }
    Array rows = queryRows(call.db,
                           "SELECT a.id, a.text, a.picture, ifnull(u.username, '') AS name, a.uid, "
                           "display_time(a.created_at) AS date FROM answer a "
                           "JOIN question q ON q.id = a.question LEFT JOIN user u ON u.id = a.uid "
                           "WHERE q.id = ?1 AND a.id <> q.best ORDER BY a.created_at, a.id",
                           r.integer("id"));
    call.linkPictures(rows, {"picture"});
    std::int64_t total = static_cast<std::int64_t>(rows.size());
    return listReply(std::move(rows), total);
}

Dict agree(Call& call) {
    const ServiceRequest& r = call.request;
    if (r.operate != "0" && r.operate != "1") return refusal("操作失败");
    std::int64_t id = r.integer("id");
    if (queryInteger(call.db, "SELECT count(*) FROM comment WHERE id = ?1", id) == 0)
        return refusal("该评论不存在");
    bool up = r.operate == "1";
    Transaction transaction(call.db);
    execute(call.db,
            "INSERT OR IGNORE INTO vote(comment, voter, agree, created_at) "
            "VALUES(?1, ?2, ?3, unixepoch())",
            id, r.callerKey(), up ? 1 : 0);
    if (call.db.changes() == 0) return refusal("您已经投过票了");
    execute(call.db,
            up ? "UPDATE comment SET agree = agree + 1 WHERE id = ?1"
               : "UPDATE comment SET disagree = disagree + 1 WHERE id = ?1",
            id);
    transaction.commit();
    return success("操作成功");
}

}  // namespace

void addCommentOperations(Router& router) {
    router.addOperation("system/comment_list.aspx", commentList);
    router.addOperation("system/reply_list.aspx", replyList);
    router.addOperation("user/agree.aspx", agree);
}

}  // namespace tovera::service
