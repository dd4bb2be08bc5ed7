// Topics: topic/list.aspx, topic/detail.aspx, user/foward.aspx, new topics
// (user/messagepost.aspx type 6) and their deletion (user/close.aspx type 3).
// Topic replies are comments of ptype 5 (posted as comments, type 8).
#include "service/Comments.h"
#include "service/CommunityHandlers.h"
#include "service/Portal.h"
#include "service/PortalQueries.h"
#include "service/Schema.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

constexpr std::string_view kNoTopic = "该话题不存在";

// The list and detail columns of a topic "t" (its author "u"); the repost
// source comes as repr_* columns.
constexpr std::string_view kTopicColumns =
    "SELECT t.id, t.text AS title, t.text, t.image, ifnull(u.username, '') AS user, t.uid, "
    "display_time(t.created_at) AS date, display_time(t.created_at) AS update_at, "
    "(SELECT count(*) FROM comment c WHERE c.ptype = 5 AND c.target = t.id) AS comment, "
    "t.repr_id, t.repr_title, t.repr_image, t.repr_user, t.repr_uid, "
    "display_time(t.repr_at) AS repr_at, t.repr_comment "
    "FROM topic t LEFT JOIN user u ON u.id = t.uid ";

// Turns the repr_* columns of a topic row into "reprs": [] or [source].
void attachSource(Call& call, Dict& topic) {
    Array reprs;
    if (topic["repr_id"].toText() != "0") {
        Dict source{{"id", topic["repr_id"].toText()},
                    {"title", topic["repr_title"].toText()},
                    {"text", topic["repr_title"].toText()},
                    {"image", call.pictureUrl(topic["repr_image"].toText())},
                    {"user", topic["repr_user"].toText()},
                    {"uid", topic["repr_uid"].toText()},
                    {"update_at", topic["repr_at"].toText()},
                    {"comment", topic["repr_comment"].toText()}};
        reprs.emplace_back(std::move(source));
    }
    for (auto key : {"repr_id", "repr_title", "repr_image", "repr_user", "repr_uid", "repr_at",
                     "repr_comment"})
        topic.remove(key);
    topic.set("reprs", std::move(reprs));
    call.linkPictures(topic, {"image"});
}

// Tabs: 1 the city's topics, newest first; 2 the city's by replies; 3 the
// caller's; 4 the caller's friends'. The personal tabs are empty when anonymous.
Dict topicList(Call& call) {
    const ServiceRequest& r = call.request;
    std::string where = "WHERE t.cityid = ?1";
    std::string order = " ORDER BY t.created_at DESC, t.id DESC";
    std::int64_t key = r.cityId;
    if (r.type == "2") {
        order = " ORDER BY comment DESC, t.created_at DESC, t.id DESC";
    } else if (r.type == "3" || r.type == "4") {
        if (!r.signedIn()) return listReply({}, 0);
        key = r.userId;
        where = r.type == "3" ? "WHERE t.uid = ?1"
                              : "WHERE t.uid IN (SELECT friend FROM friend "
                                "WHERE uid = ?1 AND gid <> 2)";
    }
    Array rows =
        queryRows(call.db, std::string(kTopicColumns) + where + order + " LIMIT ?2 OFFSET ?3", key,
                  r.size, r.offset());
    for (Value& row : rows) {
        Dict& topic = *row.dict();
        topic.remove("text");
        topic.remove("date");
        attachSource(call, topic);
    }
    return listReply(std::move(rows),
                     queryInteger(call.db, "SELECT count(*) FROM topic t " + where, key));
}

// One sequence [topic, replies oldest first], paged: page 1 starts with the
// topic and later pages never repeat it.
Dict topicDetail(Call& call) {
    const ServiceRequest& r = call.request;
    std::int64_t id = r.integer("id");
    std::optional<Dict> topic =
        queryRow(call.db, std::string(kTopicColumns) + "WHERE t.id = ?1", id);
    if (!topic) return refusal(kNoTopic);
    std::int64_t replies = parseInteger((*topic)["comment"].toText()).value_or(0);
    std::int64_t first = r.offset();  // position in the sequence; 0 is the topic
    Array rows;
    if (first == 0) {
        attachSource(call, *topic);
        rows.emplace_back(std::move(*topic));
    }
    std::int64_t replyOffset = first == 0 ? 0 : first - 1;
    std::int64_t replyCount = first == 0 ? r.size - 1 : r.size;
    Array page = queryRows(
        call.db,
        "SELECT c.id, c.text, c.image, c.user, c.uid, display_time(c.created_at) AS date, "
        "(SELECT count(*) FROM comment x WHERE x.ptype = 7 AND x.target = c.id) AS comment "
        "FROM comment c WHERE c.ptype = 5 AND c.target = ?1 "
        "ORDER BY c.created_at, c.id LIMIT ?2 OFFSET ?3",
        id, replyCount, replyOffset);
    call.linkPictures(page, {"image"});
    for (Value& reply : page)
        rows.push_back(std::move(reply));
    return listReply(std::move(rows), 1 + replies);
}

std::int64_t insertTopic(Call& call, std::string_view text, std::string_view image) {
    std::int64_t id = nextId(call.db, "comment");
    execute(call.db,
            "INSERT INTO topic(id, cityid, uid, text, image, repr_id, repr_title, repr_image, "
            "repr_uid, repr_user, repr_comment, repr_at, created_at) "
            "VALUES(?1, ?2, ?3, ?4, ?5, 0, '', '', 0, '', 0, 0, unixepoch())",
            id, call.request.cityId, call.request.userId, text, image);
    return id;
}

// user/messagepost.aspx type 6: a new topic, with at most one picture.
Dict postTopic(Call& call) {
    if (!hasText(call.request)) return refusal("内容不能为空");
    Transaction transaction(call.db);
    std::int64_t id = insertTopic(call, call.request.text("text"), storePostedPictures(call, 1));
    transaction.commit();
    return postedReply(id);
}

// A repost: a new topic holding a snapshot of its source as it is now, and
// with "comment" "1" the same text as a reply on the source.
Dict foward(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::int64_t sourceId = r.integer("id");
    std::optional<CommentPlace> source = resolveCommentPlace(call.db, kOnTopic, sourceId);
    if (!source) return refusal(kNoTopic);
    std::string info = r.text("info");
    if (trimmed(info).empty()) return refusal("内容不能为空");

    Transaction transaction(call.db);
    std::int64_t id = insertTopic(call, info, "");
    execute(call.db,
            "UPDATE topic SET (repr_id, repr_title, repr_image, repr_uid, repr_user, "
            "repr_comment, repr_at) = (SELECT s.id, s.text, s.image, s.uid, "
            "ifnull(u.username, ''), (SELECT count(*) FROM comment c WHERE c.ptype = 5 "
            "AND c.target = s.id), s.created_at FROM topic s LEFT JOIN user u ON u.id = s.uid "
            "WHERE s.id = ?2) WHERE id = ?1",
            id, sourceId);
    if (r.text("comment") == "1") {
        NewComment reply;
        reply.uid = r.userId;
        reply.user = r.userName;
        reply.text = info;
        reply.requestCity = r.cityId;
        insertComment(call.db, *source, reply);
    }
    transaction.commit();
    return success("转载成功");
}

// user/close.aspx type 3: the author deletes a topic with its replies and
// their comments; reposts keep their snapshot.
Dict deleteTopic(Call& call) {
    const ServiceRequest& r = call.request;
    std::int64_t id = r.integer("id");
    std::int64_t owner = queryInteger(call.db, "SELECT uid FROM topic WHERE id = ?1", id);
    if (owner == 0) return refusal(kNoTopic);
    if (owner != r.userId) return refusal("您没有权限进行此操作");
    Transaction transaction(call.db);
    execute(call.db,
            "DELETE FROM vote WHERE comment IN (SELECT id FROM comment "
            "WHERE root_kind = 5 AND root_id = ?1)",
            id);
    execute(call.db, "DELETE FROM comment WHERE root_kind = 5 AND root_id = ?1", id);
    execute(call.db, "DELETE FROM topic WHERE id = ?1", id);
    transaction.commit();
    return success("删除话题成功");
}

}  // namespace

void addTopicOperations(Router& router) {
    router.addOperation("topic/list.aspx", topicList);
    router.addOperation("topic/detail.aspx", topicDetail);
    router.addOperation("user/foward.aspx", foward);
    router.addPostKind("6", postTopic);
    router.addCloseKind("3", deleteTopic);
}

}  // namespace tovera::service
