// Friend groups and per-friend settings: user/friendgroup.aspx,
// user/updategroup.aspx, user/remark.aspx and user/shieldmsg.aspx. Groups 1
// ("默认分组") and 2 ("黑名单") belong to every user and cannot be changed;
// a user's own groups are numbered from 3.
#include "service/CommunityHandlers.h"
#include "service/Portal.h"
#include "service/PortalQueries.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

constexpr std::int64_t kFirstOwnGroup = 3;

Dict friendgroup(Call& call) {
    if (!call.request.signedIn()) return notSignedIn();
    Array groups = queryRows(call.db,
                             "SELECT gid AS id, name FROM friend_group WHERE uid = ?1 "
                             "ORDER BY CASE gid WHEN 1 THEN 0 WHEN 2 THEN 1 ELSE 2 END, gid",
                             call.request.userId);
    std::int64_t total = static_cast<std::int64_t>(groups.size());
    return listReply(std::move(groups), total);
}

bool groupNamed(Database& db, std::int64_t owner, std::string_view name, std::int64_t except) {
    return queryInteger(db,
                        "SELECT count(*) FROM friend_group WHERE uid = ?1 AND name = ?2 "
                        "AND gid <> ?3",
                        owner, name, except) > 0;
}

// "id" 0 with a name creates a group; an own group's id renames it, or with
// an empty name deletes it, its members moving to the default group.
Dict updategroup(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::int64_t id = r.integer("id");
    std::string name(trimmed(r.text("grupname")));
    if (id == 1 || id == 2) return refusal("系统分组不能修改");
    if (id != 0 &&
        queryInteger(call.db, "SELECT count(*) FROM friend_group WHERE uid = ?1 AND gid = ?2",
                     r.userId, id) == 0)
        return refusal("分组不存在");
    if (!name.empty() && groupNamed(call.db, r.userId, name, id)) return refusal("分组已存在");
    Transaction transaction(call.db);
    if (id == 0) {
        if (name.empty()) return refusal("分组名称不能为空");
        std::int64_t next = queryInteger(
            call.db, "SELECT max(?2, ifnull(max(gid), 0) + 1) FROM friend_group WHERE uid = ?1",
            r.userId, kFirstOwnGroup);
        execute(call.db, "INSERT INTO friend_group(uid, gid, name) VALUES(?1, ?2, ?3)", r.userId,
                next, name);
    } else if (name.empty()) {
        execute(call.db, "UPDATE friend SET gid = 1 WHERE uid = ?1 AND gid = ?2", r.userId, id);
        execute(call.db, "DELETE FROM friend_group WHERE uid = ?1 AND gid = ?2", r.userId, id);
    } else {
        execute(call.db, "UPDATE friend_group SET name = ?3 WHERE uid = ?1 AND gid = ?2", r.userId,
                id, name);
    }
    transaction.commit();
    return success("修改成功");
}

// Remarks and shields apply to friends only (not to the blacklist).
Dict remark(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::int64_t other = r.integer("id");
    if (!isFriend(call.db, r.userId, other)) return refusal("该用户不是您的好友");
    execute(call.db, "UPDATE friend SET remark = ?3 WHERE uid = ?1 AND friend = ?2", r.userId,
            other, std::string(trimmed(r.text("name"))));
    return success("修改成功");
}

Dict shieldmsg(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    if (r.operate != "0" && r.operate != "1") return refusal("操作失败");
    std::int64_t other = r.integer("id");
    if (!isFriend(call.db, r.userId, other)) return refusal("该用户不是您的好友");
    bool shield = r.operate == "1";
    execute(call.db, "UPDATE friend SET shield = ?3 WHERE uid = ?1 AND friend = ?2", r.userId,
            other, shield ? 1 : 0);
    return success(shield ? "屏蔽成功" : "已取消屏蔽");
}

}  // namespace

void addGroupOperations(Router& router) {
    router.addOperation("user/friendgroup.aspx", friendgroup);
    router.addOperation("user/updategroup.aspx", updategroup);
    router.addOperation("user/remark.aspx", remark);
    router.addOperation("user/shieldmsg.aspx", shieldmsg);
}

}  // namespace tovera::service
