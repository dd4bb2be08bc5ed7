// Friends as the news screens use them: user/setgroup.aspx (the friend
// list by group, and moving a friend) and user/recommand.aspx.
#include <algorithm>

#include "service/Handlers.h"
#include "service/Portal.h"
#include "service/PortalQueries.h"

namespace tovera::service {

namespace {

// Groups in the order the screens rely on: 1, the blacklist 2 at index 1,
// then the user's own groups; empty groups included.
Dict groupList(Call& call) {
    std::int64_t me = call.request.userId;
    Array groups =
        queryRows(call.db,
                  "SELECT gid AS id, name AS groupname, name FROM friend_group "
                  "WHERE uid = ?1 ORDER BY CASE gid WHEN 1 THEN 0 WHEN 2 THEN 1 ELSE 2 END, gid",
                  me);
    for (Value& group : groups) {
        Dict& fields = *group.dict();
        fields.set("friends",
                   queryRows(call.db,
                             "SELECT u.id, u.username AS name, f.remark, f.shield AS bool "
                             "FROM friend f JOIN user u ON u.id = f.friend "
                             "WHERE f.uid = ?1 AND f.gid = ?2 ORDER BY u.id",
                             me, parseInteger(fields["id"].toText()).value_or(0)));
    }
    std::int64_t total = static_cast<std::int64_t>(groups.size());
    return listReply(std::move(groups), total);
}

Dict moveFriend(Call& call, std::int64_t group) {
    const ServiceRequest& r = call.request;
    std::int64_t user = r.integer("id");
    bool groupExists =
        queryInteger(call.db, "SELECT count(*) FROM friend_group WHERE uid = ?1 AND gid = ?2",
                     r.userId, group) > 0;
    if (!groupExists ||
        queryInteger(call.db, "SELECT count(*) FROM friend WHERE uid = ?1 AND friend = ?2",
                     r.userId, user) == 0)
        return refusal("操作失败");
    execute(call.db, "UPDATE friend SET gid = ?3 WHERE uid = ?1 AND friend = ?2", r.userId, user,
            group);
    return success("移动成功");
}

Dict setgroup(Call& call) {
    if (!call.request.signedIn()) return notSignedIn();
    std::int64_t group = call.request.integer("gid");
    return group >= 1 ? moveFriend(call, group) : groupList(call);
}

// What can be recommended: the object's title by the kind the picker sends,
// and the message "type" the inbox shows it under.
struct Recommendable {
    std::string_view titleQuery;
    int messageType;
};

std::optional<Recommendable> recommendable(std::string_view kind) {
    if (kind == "1") return Recommendable{"SELECT title FROM article WHERE id = ?1", 2};
    if (kind == "2") return Recommendable{"SELECT name FROM project WHERE id = ?1", 1};
    if (kind == "3")
        return Recommendable{"SELECT title FROM listing WHERE id = ?1 AND kind = 1", 3};
    if (kind == "4")
        return Recommendable{"SELECT title FROM listing WHERE id = ?1 AND kind = 2", 4};
    return std::nullopt;
}

Dict recommand(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::optional<Recommendable> kind = recommendable(r.type);
    if (!kind) return refusal("该内容暂不支持推荐");
    std::int64_t id = r.integer("id");
    Statement titleQuery(call.db, kind->titleQuery);
    titleQuery.bind(1, id);
    if (!titleQuery.step()) {
        // "4" also arrives from the feed for an activity, which no message can show.
        return r.type == "4" ? refusal("该内容暂不支持推荐") : refusal("推荐的内容不存在");
    }
    std::string title = titleQuery.text(0);

    std::vector<std::int64_t> recipients;
    for (std::int64_t friendId : splitIds(r.text("uid"))) {
        if (friendId != r.userId && isFriend(call.db, r.userId, friendId) &&
            std::find(recipients.begin(), recipients.end(), friendId) == recipients.end())
            recipients.push_back(friendId);
    }
    if (recipients.empty()) return refusal("请选择好友");
    Transaction transaction(call.db);
    for (std::int64_t recipient : recipients) {
        deliverMessage(call.db, Message{r.userId, recipient, 2, title,
                                        r.userName + "向您推荐了" + title, kind->messageType, id});
    }
    transaction.commit();
    return success("推荐成功");
}

}  // namespace

void addFriendOperations(Router& router) {
    router.addOperation("user/setgroup.aspx", setgroup);
    router.addOperation("user/recommand.aspx", recommand);
}

}  // namespace tovera::service
