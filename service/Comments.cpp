#include "service/Comments.h"

#include "service/Schema.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

// Site-wide kind of each root kind: "classtype" and "catname".
struct KindCaption {
    std::string_view classtype;
    std::string_view catname;
};

KindCaption captionOf(std::int64_t rootKind) {
    switch (static_cast<RootKind>(rootKind)) {
        case RootKind::kArticle:
            return {"2", "资讯"};
        case RootKind::kProject:
            return {"1", "楼盘"};
        case RootKind::kActivity:
            return {"4", "活动"};
        case RootKind::kLive:
            return {"5", "直播"};
        case RootKind::kTopic:
            return {"3", "话题"};
    }
    return {"2", "资讯"};
}

constexpr std::size_t kTitleChars = 30;

// The comment's object as a place: kind, id and city of a stored object.
std::optional<CommentPlace> objectPlace(Database& db, std::string_view sql, int ptype,
                                        std::int64_t id, RootKind root) {
    Statement statement(db, sql);
    statement.bind(1, id);
    if (!statement.step()) return std::nullopt;
    CommentPlace place;
    place.ptype = ptype;
    place.target = id;
    place.anchorKind = ptype;
    place.anchorId = id;
    place.rootKind = static_cast<int>(root);
    place.rootId = statement.integer(0);
    place.cityId = statement.integer(1);
    return place;
}

}  // namespace

std::optional<CommentPlace> resolveCommentPlace(Database& db, int ptype, std::int64_t id) {
    switch (ptype) {
        case kOnArticle:
            return objectPlace(db, "SELECT id, cityid FROM article WHERE id = ?1", ptype, id,
                               RootKind::kArticle);
        case kOnProject:
            return objectPlace(db, "SELECT id, cityid FROM project WHERE id = ?1", ptype, id,
                               RootKind::kProject);
        case kOnActivity:
            return objectPlace(db, "SELECT id, cityid FROM activity WHERE id = ?1", ptype, id,
                               RootKind::kActivity);
        case kOnLive:
            // Rooms and their messages share one id sequence.
            return objectPlace(db,
                               "SELECT id, cityid FROM live_room WHERE id = ?1 UNION ALL "
                               "SELECT r.id, r.cityid FROM live_message m "
                               "JOIN live_room r ON r.id = m.room WHERE m.id = ?1",
                               ptype, id, RootKind::kLive);
        case kOnTopic:
            return objectPlace(db, "SELECT id, cityid FROM topic WHERE id = ?1", ptype, id,
                               RootKind::kTopic);
        case kOnTopicReply:
            return objectPlace(db,
                               "SELECT root_id, cityid FROM comment WHERE id = ?1 AND ptype = 5",
                               ptype, id, RootKind::kTopic);
        case kOnComment: {
            Statement parent(db,
                             "SELECT anchor_kind, anchor_id, root_kind, root_id, cityid "
                             "FROM comment WHERE id = ?1");
            parent.bind(1, id);
            if (!parent.step()) return std::nullopt;
            CommentPlace place;
            place.ptype = ptype;
            place.target = id;
            place.anchorKind = static_cast<int>(parent.integer(0));
            place.anchorId = parent.integer(1);
            place.rootKind = static_cast<int>(parent.integer(2));
            place.rootId = parent.integer(3);
            place.parent = id;
            place.cityId = parent.integer(4);
            return place;
        }
        default:
            return std::nullopt;
    }
}

std::int64_t insertComment(Database& db, const CommentPlace& place, const NewComment& comment) {
    std::int64_t id = nextId(db, "comment");
    Statement insert(
        db,
        "INSERT INTO comment(id, ptype, target, anchor_kind, anchor_id, root_kind, "
        "root_id, parent, uid, user, cityid, text, image, agree, disagree, created_at) "
        "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, 0, 0, "
        "unixepoch())");
    bindAll(insert, id, place.ptype, place.target, place.anchorKind, place.anchorId, place.rootKind,
            place.rootId, place.parent, comment.uid, comment.user,
            place.cityId > 0 ? place.cityId : std::int64_t{comment.requestCity}, comment.text,
            comment.image);
    insert.run();
    return id;
}

bool isTopic(Database& db, std::int64_t id) {
    return queryInteger(db, "SELECT count(*) FROM topic WHERE id = ?1", id) > 0;
}

std::string commentSelect(std::string_view tail) {
    return "SELECT c.id, c.uid, c.user, display_time(c.created_at), c.text, "
           "(SELECT p.user FROM comment p WHERE p.id = c.parent), c.ptype, c.agree, c.disagree, "
           "c.root_kind, c.root_id, CASE c.root_kind "
           "WHEN 1 THEN (SELECT title FROM article WHERE id = c.root_id) "
           "WHEN 2 THEN (SELECT name FROM project WHERE id = c.root_id) "
           "WHEN 3 THEN (SELECT name FROM activity WHERE id = c.root_id) "
           "WHEN 4 THEN (SELECT title FROM live_room WHERE id = c.root_id) "
           "WHEN 5 THEN (SELECT text FROM topic WHERE id = c.root_id) END "
           "FROM comment c " +
           std::string(tail);
}

Array commentElements(Statement& statement) {
    Array rows;
    while (statement.step()) {
        std::string html = commentHtml(statement.text(4));
        if (statement.integer(6) == kOnComment)
            html = "回复 " + htmlEscape(statement.text(5)) + "：" + html;
        KindCaption caption = captionOf(statement.integer(9));
        rows.emplace_back(Dict{
            {"id", statement.text(0)},
            {"uid", statement.text(1)},
            {"user", statement.text(2)},
            {"update_at", statement.text(3)},
            {"commenthtml", html},
            {"agree", statement.text(7)},
            {"disagree", statement.text(8)},
            {"catname", caption.catname},
            {"title", shorten(statement.text(11), kTitleChars)},
            {"classtype", caption.classtype},
            {"cid", statement.text(10)},
        });
    }
    return rows;
}

}  // namespace tovera::service
