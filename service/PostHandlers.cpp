// user/messagepost.aspx: the one path every posting form uses, told apart by
// "type". This file serves comments (8), corrections (9) and feedback (4);
// other kinds register with Router::addPostKind.
#include "service/Comments.h"
#include "service/CommunityHandlers.h"
#include "service/Handlers.h"
#include "service/Portal.h"

namespace tovera::service {

namespace {

constexpr std::string_view kEmptyText = "内容不能为空";
constexpr std::string_view kNoTarget = "评论对象不存在";

// Type 8: a comment, also anonymous. Without "ptype" the comment goes to the
// kind of object the caller last listed comments of under this id.
Dict postComment(Call& call) {
    const ServiceRequest& r = call.request;
    if (!hasText(r)) return refusal(kEmptyText);
    std::int64_t id = r.integer("id");
    std::string ptypeText = r.text("ptype");
    std::optional<std::int64_t> ptype = parseInteger(ptypeText);
    if (ptypeText.empty())
        ptype = call.portal.commentKinds().recall(r.callerKey(), id).value_or(kOnArticle);
    std::optional<CommentPlace> place;
    if (ptype && *ptype >= kOnArticle && *ptype <= kOnTopicReply)
        place = resolveCommentPlace(call.db, static_cast<int>(*ptype), id);
    if (!place) return refusal(kNoTarget);

    NewComment comment;
    comment.uid = r.userId;
    comment.user = r.signedIn() ? r.userName : "网友";
    comment.text = r.text("text");
    comment.requestCity = r.cityId;
    Transaction transaction(call.db);
    if (auto picture = r.pictures.find("pic1"); picture != r.pictures.end())
        comment.image = call.portal.saveUpload(picture->second);
    std::int64_t commentId = insertComment(call.db, *place, comment);
    transaction.commit();
    return postedReply(commentId);
}

// Type 9: an error report on an article (ptype 1), project (2), second-hand
// (3) or rental listing (4).
Dict postCorrection(Call& call) {
    const ServiceRequest& r = call.request;
    if (!hasText(r)) return refusal(kEmptyText);
    std::int64_t kind = r.integer("ptype");
    std::int64_t id = r.integer("id");
    std::int64_t exists = 0;
    if (kind == 1) exists = queryInteger(call.db, "SELECT count(*) FROM article WHERE id = ?1", id);
    if (kind == 2) exists = queryInteger(call.db, "SELECT count(*) FROM project WHERE id = ?1", id);
    if (kind == 3 || kind == 4)
        exists = queryInteger(call.db, "SELECT count(*) FROM listing WHERE id = ?1 AND kind = ?2",
                              id, kind - 2);
    if (exists == 0) return refusal(kNoTarget);
    execute(call.db,
            "INSERT INTO report(kind, target, uid, text, created_at) VALUES(?1, ?2, ?3, ?4, "
            "unixepoch())",
            kind, id, r.userId, r.text("text"));
    return postedReply(call.db.lastInsertId());
}

// Type 4: feedback on the app.
Dict postFeedback(Call& call) {
    const ServiceRequest& r = call.request;
    if (!hasText(r)) return refusal(kEmptyText);
    execute(
        call.db,
        "INSERT INTO report(kind, target, uid, text, created_at) VALUES(0, 0, ?1, ?2, unixepoch())",
        r.userId, r.text("text"));
    return postedReply(call.db.lastInsertId());
}

Dict messagepost(Call& call) {
    const ServiceRequest& r = call.request;
    if (r.type != "8" && !r.signedIn()) return notSignedIn();
    const Operation* kind = call.portal.router().postKind(r.type);
    if (!kind) return refusal("暂不支持该操作");
    return (*kind)(call);
}

}  // namespace

void addPostOperations(Router& router) {
    router.addOperation("user/messagepost.aspx", messagepost);
    router.addPostKind("4", postFeedback);
    router.addPostKind("8", postComment);
    router.addPostKind("9", postCorrection);
}

}  // namespace tovera::service
