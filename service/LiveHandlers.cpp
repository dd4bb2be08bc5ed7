// Live rooms: live/list.aspx, live/detail.aspx, live/discuss_list.aspx, the
// posts of user/messagepost.aspx types 1 (owner's message), 2 (discussion)
// and 5 (new room), and opening or closing a room (user/close.aspx type 2).
// Rooms and their messages share the "live" id sequence.
#include <ctime>

#include "service/CommunityHandlers.h"
#include "service/LiveGrowth.h"
#include "service/Portal.h"
#include "service/Schema.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

constexpr std::string_view kNoRoom = "该直播不存在";
constexpr std::int64_t kMaxMessages = 100;
constexpr int kOpen = 1;
constexpr int kClosed = 2;

// Reads see every broadcast line that is due.
void catchUp(Call& call) {
    advanceLiveRooms(call.db, static_cast<std::int64_t>(std::time(nullptr)));
}

// "id" is a list code: 1 the city's open rooms, 2 its closed rooms, 3 the
// caller's rooms (empty when anonymous). Newest room first.
Dict liveList(Call& call) {
    const ServiceRequest& r = call.request;
    catchUp(call);
    std::string code = r.text("id");
    std::string where =
        "WHERE r.cityid = ?1 AND r.isend = " + std::to_string(code == "2" ? kClosed : kOpen);
    std::int64_t key = r.cityId;
    if (code == "3") {
        if (!r.signedIn()) return listReply({}, 0);
        where = "WHERE r.uid = ?1";
        key = r.userId;
    }
    return pagedList(
        call,
        "SELECT r.id, r.title, ifnull(u.username, '') AS user, r.uid, display_time(max("
        "r.created_at, ifnull((SELECT max(m.created_at) FROM live_message m WHERE m.room = r.id), "
        "0))) AS update_at, r.picture AS image FROM live_room r "
        "LEFT JOIN user u ON u.id = r.uid " +
            where + " ORDER BY r.created_at DESC, r.id DESC LIMIT ?2 OFFSET ?3",
        "SELECT count(*) FROM live_room r " + where, {"image"}, key);
}

// The room record with its messages, newest first, under "text".
Dict liveDetail(Call& call) {
    catchUp(call);
    std::int64_t id = call.request.integer("id");
    std::optional<Dict> room =
        queryRow(call.db,
                 "SELECT r.id, r.title, display_time(r.created_at) AS start_at, "
                 "ifnull(u.username, '') AS name, r.uid, r.isend, r.picture "
                 "FROM live_room r LEFT JOIN user u ON u.id = r.uid WHERE r.id = ?1",
                 id);
    if (!room) return refusal(kNoRoom);
    call.linkPictures(*room, {"picture"});
    Array messages =
        queryRows(call.db,
                  "SELECT m.id, m.message, m.images, (SELECT count(*) FROM comment c "
                  "WHERE c.anchor_kind = 4 AND c.anchor_id = m.id) AS comment, "
                  "display_time(m.created_at) AS update_at FROM live_message m WHERE m.room = ?1 "
                  "ORDER BY m.created_at DESC, m.id DESC LIMIT ?2",
                  id, kMaxMessages);
    call.linkPictures(messages, {"images"});
    room->set("text", std::move(messages));
    return std::move(*room);
}

// The discussion, newest first; "id" of a post is its author's user id.
Dict discussList(Call& call) {
    catchUp(call);
    return pagedList(call,
                     "SELECT d.uid AS id, ifnull(u.username, '网友') AS name, d.content, "
                     "display_time(d.created_at) AS update_at, d.picture FROM discussion d "
                     "LEFT JOIN user u ON u.id = d.uid WHERE d.room = ?1 "
                     "ORDER BY d.created_at DESC, d.id DESC LIMIT ?2 OFFSET ?3",
                     "SELECT count(*) FROM discussion WHERE room = ?1", {"picture"},
                     call.request.integer("id"));
}

struct Room {
    std::int64_t owner = 0;
    int isend = 0;
};

std::optional<Room> findRoom(Database& db, std::int64_t id) {
    Statement statement(db, "SELECT uid, isend FROM live_room WHERE id = ?1");
    statement.bind(1, id);
    if (!statement.step()) return std::nullopt;
    return Room{statement.integer(0), static_cast<int>(statement.integer(1))};
}

// Type 1: the owner reports from an open room, with up to two pictures.
Dict postMessage(Call& call) {
    const ServiceRequest& r = call.request;
    if (!hasText(r)) return refusal("内容不能为空");
    std::int64_t roomId = r.integer("id");
    std::optional<Room> room = findRoom(call.db, roomId);
    if (!room) return refusal(kNoRoom);
    if (room->owner != r.userId) return refusal("只有直播发起人可以发送直播消息");
    if (room->isend != kOpen) return refusal("直播已关闭");
    Transaction transaction(call.db);
    std::int64_t id = nextId(call.db, "live");
    execute(call.db,
            "INSERT INTO live_message(id, room, message, images, created_at) "
            "VALUES(?1, ?2, ?3, ?4, unixepoch())",
            id, roomId, r.text("text"), storePostedPictures(call, 2));
    transaction.commit();
    return postedReply(id);
}

// Type 2: anyone signed in talks about a room, open or closed.
Dict postDiscussion(Call& call) {
    const ServiceRequest& r = call.request;
    if (!hasText(r)) return refusal("内容不能为空");
    std::int64_t roomId = r.integer("id");
    if (!findRoom(call.db, roomId)) return refusal(kNoRoom);
    Transaction transaction(call.db);
    std::int64_t id = nextId(call.db, "discussion");
    execute(call.db,
            "INSERT INTO discussion(id, room, uid, content, picture, created_at) "
            "VALUES(?1, ?2, ?3, ?4, ?5, unixepoch())",
            id, roomId, r.userId, r.text("text"), storePostedPictures(call, 2));
    transaction.commit();
    return postedReply(id);
}

// Type 5: a new open room in the session's city; its picture is required.
Dict postRoom(Call& call) {
    const ServiceRequest& r = call.request;
    if (trimmed(r.text("title")).empty()) return refusal("直播标题不能为空");
    if (!r.pictures.contains("pic1")) return refusal("您还没有选择图片");
    Transaction transaction(call.db);
    std::int64_t id = nextId(call.db, "live");
    execute(call.db,
            "INSERT INTO live_room(id, cityid, uid, title, picture, isend, created_at) "
            "VALUES(?1, ?2, ?3, ?4, ?5, 1, unixepoch())",
            id, r.cityId, r.userId, r.text("title"), storePostedPictures(call, 1));
    transaction.commit();
    return postedReply(id);
}

// user/close.aspx type 2: the owner reopens ("1") or closes ("2") a room.
Dict openOrClose(Call& call) {
    const ServiceRequest& r = call.request;
    std::int64_t roomId = r.integer("id");
    std::optional<Room> room = findRoom(call.db, roomId);
    if (!room) return refusal(kNoRoom);
    if (room->owner != r.userId) return refusal("您没有权限进行此操作");
    if (r.operate != "1" && r.operate != "2") return refusal("操作失败");
    catchUp(call);  // a closing room keeps what it broadcast until now
    execute(call.db, "UPDATE live_room SET isend = ?2 WHERE id = ?1", roomId,
            r.operate == "1" ? kOpen : kClosed);
    // A reopened broadcast resumes from now rather than catching up on the pause.
    if (r.operate == "1")
        execute(call.db,
                "UPDATE live_script SET next_at = max(next_at, unixepoch() + pace) "
                "WHERE room = ?1",
                roomId);
    return success("操作成功");
}

}  // namespace

void addLiveOperations(Router& router) {
    router.addOperation("live/list.aspx", liveList);
    router.addOperation("live/detail.aspx", liveDetail);
    router.addOperation("live/discuss_list.aspx", discussList);
    router.addPostKind("1", postMessage);
    router.addPostKind("2", postDiscussion);
    router.addPostKind("5", postRoom);
    router.addCloseKind("2", openOrClose);
}

}  // namespace tovera::service
