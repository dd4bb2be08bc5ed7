// user/friend_search.aspx: finding people (by name, or by a project they
// follow or bought in) and the projects to look for them by. The reply's
// "type" says which rows it holds: "0" members, "1" projects.
#include "service/CommunityHandlers.h"
#include "service/Portal.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

// Member rows: "u" is the user, ?1 the caller; "groupid" -1 for a stranger.
constexpr std::string_view kMemberColumns =
    "SELECT u.id, u.username AS name, ifnull(f.remark, '') AS remark, "
    "ifnull(f.gid, -1) AS groupid FROM user u "
    "LEFT JOIN friend f ON f.uid = ?1 AND f.friend = u.id ";

Dict typed(Dict reply, std::string_view type) {
    reply.set("type", type);
    return reply;
}

// Users whose name, or the caller's remark for them, contains "q".
Dict membersByName(Call& call, const std::string& q) {
    if (q.empty()) return typed(listReply({}, 0), "0");
    std::string where =
        "WHERE u.id <> ?1 AND (instr(u.username, ?2) > 0 OR "
        "instr(ifnull(f.remark, ''), ?2) > 0)";
    return typed(
        pagedList(call, std::string(kMemberColumns) + where + " ORDER BY u.id LIMIT ?3 OFFSET ?4",
                  "SELECT count(*) FROM user u LEFT JOIN friend f ON f.uid = ?1 "
                  "AND f.friend = u.id " +
                      where,
                  {}, call.request.userId, q),
        "0");
}

// Followers (types 1 and 3) or buyers (type 2) of a project.
Dict membersOfProject(Call& call, std::int64_t project) {
    std::string source = call.request.type == "2" ? "SELECT uid FROM purchase WHERE hid = ?2"
                                                  : "SELECT uid FROM follow WHERE project = ?2";
    std::string where = "WHERE u.id <> ?1 AND u.id IN (" + source + ")";
    return typed(
        pagedList(call, std::string(kMemberColumns) + where + " ORDER BY u.id LIMIT ?3 OFFSET ?4",
                  "SELECT count(*) FROM user u " + where, {}, call.request.userId, project),
        "0");
}

// Projects by name; without a name the caller's own: bought in (type 2) or
// followed (type 1).
Dict projects(Call& call, const std::string& q) {
    const ServiceRequest& r = call.request;
    std::string where;
    if (!q.empty())
        where = "WHERE instr(p.name, ?2) > 0";
    else if (r.type == "2")
        where = "WHERE p.id IN (SELECT hid FROM purchase WHERE uid = ?1) AND ?2 = ''";
    else
        where = "WHERE p.id IN (SELECT project FROM follow WHERE uid = ?1) AND ?2 = ''";
    return typed(pagedList(call,
                           "SELECT p.id, p.name FROM project p " + where +
                               " ORDER BY p.id LIMIT ?3 OFFSET ?4",
                           "SELECT count(*) FROM project p " + where, {}, r.userId, q),
                 "1");
}

Dict friendSearch(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::string q(trimmed(r.text("q")));
    std::int64_t project = r.integer("id");
    if (r.type == "1" || r.type == "2" || r.type == "3")
        return project > 0 ? membersOfProject(call, project) : projects(call, q);
    return membersByName(call, q);
}

}  // namespace

void addFriendSearchOperations(Router& router) {
    router.addOperation("user/friend_search.aspx", friendSearch);
}

}  // namespace tovera::service
