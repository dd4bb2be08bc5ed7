// Friend requests: user/apply.aspx (ask, or end a friendship) and
// user/pass.aspx (accept or refuse). A pending request is the friend-request
// message (catname 3) in the target's inbox.
#include "service/CommunityHandlers.h"
#include "service/Portal.h"
#include "service/PortalQueries.h"

namespace tovera::service {

namespace {

constexpr int kFriendRequest = 3;

bool requestPending(Database& db, std::int64_t from, std::int64_t to) {
    return queryInteger(db,
                        "SELECT count(*) FROM message WHERE owner = ?2 AND box = 1 "
                        "AND sender = ?1 AND catname = 3",
                        from, to) > 0;
}

bool blacklists(Database& db, std::int64_t owner, std::int64_t other) {
    return queryInteger(db,
                        "SELECT count(*) FROM friend WHERE uid = ?1 AND friend = ?2 AND gid = 2",
                        owner, other) > 0;
}

Dict askFriend(Call& call, std::int64_t target) {
    const ServiceRequest& r = call.request;
    if (target == r.userId) return refusal("不能添加自己为好友");
    std::string name = queryText(call.db, "SELECT username FROM user WHERE id = ?1", target);
    if (name.empty()) return refusal("该用户不存在");
    if (isFriend(call.db, r.userId, target)) return refusal("对方已经是您的好友");
    if (requestPending(call.db, r.userId, target)) return refusal("已发送过好友请求");
    if (blacklists(call.db, target, r.userId)) return refusal("对方拒绝添加");
    deliverMessage(call.db, Message{r.userId, target, kFriendRequest, "好友请求",
                                    r.userName + "请求添加您为好友", 0, 0});
    return success("好友请求已发送");
}

// Ends a friendship both ways; the other side's blacklist entry stays.
Dict endFriendship(Call& call, std::int64_t other) {
    const ServiceRequest& r = call.request;
    if (queryInteger(call.db, "SELECT count(*) FROM friend WHERE uid = ?1 AND friend = ?2",
                     r.userId, other) == 0)
        return refusal("该用户不是您的好友");
    Transaction transaction(call.db);
    execute(call.db, "DELETE FROM friend WHERE uid = ?1 AND friend = ?2", r.userId, other);
    execute(call.db, "DELETE FROM friend WHERE uid = ?1 AND friend = ?2 AND gid <> 2", other,
            r.userId);
    transaction.commit();
    return success("删除好友成功");
}

Dict apply(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::int64_t id = r.integer("id");
    if (r.operate == "1") return askFriend(call, id);
    if (r.operate == "2") return endFriendship(call, id);
    return refusal("操作失败");
}

// Puts `other` into `owner`'s default group, or takes them off the blacklist
// into it; an existing group is kept.
void befriend(Database& db, std::int64_t owner, std::int64_t other) {
    execute(db,
            "INSERT INTO friend(uid, friend, gid, remark, shield, created_at) "
            "VALUES(?1, ?2, 1, '', 0, unixepoch()) ON CONFLICT(uid, friend) DO UPDATE "
            "SET gid = CASE WHEN gid = 2 THEN 1 ELSE gid END, shield = 0",
            owner, other);
}

// "id" is the requester: accept ("1") makes both friends in their default
// groups; either answer removes the request and notifies the requester.
Dict pass(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    if (r.operate != "1" && r.operate != "2") return refusal("操作失败");
    std::int64_t requester = r.integer("id");
    if (!requestPending(call.db, requester, r.userId)) return refusal("该请求已处理");
    bool accept = r.operate == "1";
    Transaction transaction(call.db);
    execute(call.db,
            "DELETE FROM message WHERE owner = ?2 AND box = 1 AND sender = ?1 AND catname = 3",
            requester, r.userId);
    if (accept) {
        befriend(call.db, r.userId, requester);
        befriend(call.db, requester, r.userId);
    }
    deliverMessage(
        call.db,
        Message{0, requester, 1, accept ? "好友请求已通过" : "好友请求被拒绝",
                r.userName + (accept ? "同意了您的好友请求" : "拒绝了您的好友请求"), 0, 0});
    transaction.commit();
    return success(accept ? "已同意" : "已拒绝");
}

}  // namespace

void addFriendRequestOperations(Router& router) {
    router.addOperation("user/apply.aspx", apply);
    router.addOperation("user/pass.aspx", pass);
}

}  // namespace tovera::service
