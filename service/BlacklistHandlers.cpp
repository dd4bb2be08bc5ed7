// The blacklist, group 2 of every user: user/setmsg.aspx (add or remove)
// and user/black.aspx (its members). Blacklisted users' messages and friend
// requests are not delivered.
#include "service/CommunityHandlers.h"
#include "service/Portal.h"
#include "service/PortalQueries.h"

namespace tovera::service {

namespace {

constexpr int kBlacklist = 2;

// The user named by "id", else by "username"; 0 when there is none.
std::int64_t namedUser(Call& call) {
    std::int64_t id = call.request.integer("id");
    if (id > 0) return queryInteger(call.db, "SELECT id FROM user WHERE id = ?1", id);
    return queryInteger(call.db, "SELECT id FROM user WHERE username = ?1",
                        call.request.text("username"));
}

bool blacklisted(Database& db, std::int64_t owner, std::int64_t other) {
    return queryInteger(db,
                        "SELECT count(*) FROM friend WHERE uid = ?1 AND friend = ?2 AND gid = ?3",
                        owner, other, kBlacklist) > 0;
}

Dict addToBlacklist(Call& call, std::int64_t other) {
    std::int64_t me = call.request.userId;
    if (other == me) return refusal("不能将自己加入黑名单");
    if (blacklisted(call.db, me, other)) return refusal("该用户已在黑名单中");
    execute(call.db,
            "INSERT INTO friend(uid, friend, gid, remark, shield, created_at) "
            "VALUES(?1, ?2, 2, '', 0, unixepoch()) "
            "ON CONFLICT(uid, friend) DO UPDATE SET gid = 2, shield = 0",
            me, other);
    return success("操作成功");
}

// A user who has the caller among their friends was a friend before being
// blacklisted and returns to the default group; anyone else leaves the list.
Dict removeFromBlacklist(Call& call, std::int64_t other) {
    std::int64_t me = call.request.userId;
    if (!blacklisted(call.db, me, other)) return refusal("该用户不在黑名单中");
    if (isFriend(call.db, other, me))
        execute(call.db, "UPDATE friend SET gid = 1 WHERE uid = ?1 AND friend = ?2", me, other);
    else
        execute(call.db, "DELETE FROM friend WHERE uid = ?1 AND friend = ?2", me, other);
    return success("操作成功");
}

Dict setmsg(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    if (r.operate != "1" && r.operate != "2") return refusal("操作失败");
    std::int64_t other = namedUser(call);
    if (other == 0) return refusal("用户不存在");
    return r.operate == "1" ? addToBlacklist(call, other) : removeFromBlacklist(call, other);
}

Dict black(Call& call) {
    if (!call.request.signedIn()) return notSignedIn();
    Array members = queryRows(call.db,
                              "SELECT u.id, u.username AS name, f.remark FROM friend f "
                              "JOIN user u ON u.id = f.friend WHERE f.uid = ?1 AND f.gid = ?2 "
                              "ORDER BY f.created_at DESC, u.id",
                              call.request.userId, kBlacklist);
    std::int64_t total = static_cast<std::int64_t>(members.size());
    return listReply(std::move(members), total);
}

}  // namespace

void addBlacklistOperations(Router& router) {
    router.addOperation("user/setmsg.aspx", setmsg);
    router.addOperation("user/black.aspx", black);
}

}  // namespace tovera::service
