// The personal feed and what feeds it: user/newmsg.aspx, user/searchmsg.aspx,
// user/subscribe.aspx, user/focus.aspx and user/focushouse_list.aspx.
#include <algorithm>
#include <ctime>

#include "service/Handlers.h"
#include "service/Portal.h"
#include "service/PortalQueries.h"

namespace tovera::service {

namespace {

constexpr int kFeedKinds = 3;
constexpr std::int64_t kMaxUnread = 99;

// The cities whose site recommendations a user gets: the preferred ones,
// else the request's city, as an SQL list of integers.
std::string feedCities(Database& db, const ServiceRequest& r) {
    std::string list;
    for (std::int64_t id :
         splitIds(queryText(db, "SELECT pref_cities FROM user WHERE id = ?1", r.userId), ',')) {
        if (id < 3401 || id > 3410) continue;
        if (!list.empty()) list += ',';
        list += std::to_string(id);
    }
    return list.empty() ? std::to_string(r.cityId) : list;
}

// Feed entries of one kind with the columns id, classtype, catname, cid,
// title, context, t (time), user, pics, comment; ?1 is the user.
std::string feedSource(int kind, const std::string& cities) {
    const std::string articleColumns =
        "SELECT a.id, '1', c.name, a.cid, a.title, a.lead, a.created_at, a.source, a.pic, "
        "(SELECT count(*) FROM comment WHERE anchor_kind = 1 AND anchor_id = a.id) "
        "FROM article a JOIN news_category c ON c.id = a.cid ";
    if (kind == 2)
        return "SELECT s.project, '2', '楼盘动态', '0', p.name, s.text, s.created_at, p.name, "
               "p.pic, "
               "(SELECT count(*) FROM comment WHERE anchor_kind = 2 AND anchor_id = p.id) "
               "FROM salenews s JOIN project p ON p.id = s.project "
               "JOIN follow f ON f.project = s.project AND f.uid = ?1 UNION ALL " +
               articleColumns + "WHERE a.hid IN (SELECT project FROM follow WHERE uid = ?1)";
    if (kind == 3) return articleColumns + "JOIN subscription s ON s.cid = a.cid AND s.uid = ?1";
    const std::string in = " IN (" + cities + ")";
    return "SELECT p.id, '2', '楼盘', '0', p.name, p.address || ' ' || CASE WHEN p.price > 0 "
           "THEN '均价' || p.price || '元/平方米' ELSE '一房一价' END, p.created_at, '新房频道', "
           "p.pic, (SELECT count(*) FROM comment WHERE anchor_kind = 2 AND anchor_id = p.id) "
           "FROM project p WHERE ?1 > 0 AND p.cityid" +
           in +
           " UNION ALL SELECT l.id, '3', '二手房', '0', l.title, l.text, l.created_at, l.person, "
           "substr(l.pictures, 1, instr(l.pictures || '|', '|') - 1), '0' FROM listing l "
           "WHERE l.kind = 1 AND l.cityid" +
           in +
           " UNION ALL SELECT v.id, '4', '活动', '0', v.name, '报名截止:' || "
           "display_date(v.deadline), "
           "v.created_at, '活动频道', v.pic, (SELECT count(*) FROM comment WHERE anchor_kind = 3 "
           "AND anchor_id = v.id) FROM activity v WHERE v.cityid" +
           in +
           " UNION ALL SELECT r.id, '5', '直播', '0', r.title, ifnull((SELECT m.message FROM "
           "live_message m WHERE m.room = r.id ORDER BY m.created_at DESC, m.id DESC LIMIT 1), "
           "r.title), r.created_at, ifnull(u.username, ''), r.picture, (SELECT count(*) FROM "
           "comment WHERE anchor_kind = 4 AND anchor_id = r.id) FROM live_room r "
           "LEFT JOIN user u ON u.id = r.uid WHERE r.cityid" +
           in;
}

// The feed of one kind as the table "feed" (a WITH clause to put before a SELECT).
std::string withFeed(Call& call, int kind) {
    return "WITH feed(id, classtype, catname, cid, title, context, t, user, pics, comment) AS (" +
           feedSource(kind, feedCities(call.db, call.request)) + ") ";
}

int feedKind(const ServiceRequest& r) {
    int kind = static_cast<int>(parseInteger(r.type).value_or(1));
    return kind < 1 || kind > kFeedKinds ? 1 : kind;
}

Dict searchmsg(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::string feed = withFeed(call, feedKind(r));
    Array rows = queryRows(call.db,
                           feed +
                               "SELECT id, classtype, catname, cid, title, context, "
                               "display_time(t) AS date, user, pics, comment FROM feed "
                               "ORDER BY t DESC, id DESC LIMIT ?2 OFFSET ?3",
                           r.userId, r.size, r.offset());
    call.linkPictures(rows, {"pics"});
    return listReply(std::move(rows),
                     queryInteger(call.db, feed + "SELECT count(*) FROM feed", r.userId));
}

// "yyyy-MM-dd HH:mm:ss" local time as seconds since the epoch; 0 for "0" or
// anything unreadable (which counts every entry).
std::int64_t parseLocalTime(const std::string& text) {
    std::tm t{};
    int read = std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday,
                           &t.tm_hour, &t.tm_min, &t.tm_sec);
    if (read != 6) return 0;
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    t.tm_isdst = -1;
    std::time_t seconds = std::mktime(&t);
    return seconds == static_cast<std::time_t>(-1) ? 0 : static_cast<std::int64_t>(seconds);
}

Dict newmsg(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return Dict{{"number", "0,0,0,0"}};
    // Last-look times of the four slots; a missing slot counts everything.
    std::vector<std::int64_t> since(kFeedKinds + 1, 0);
    std::string lasttime = r.text("lasttime");
    std::size_t start = 0;
    for (std::size_t slot = 0; slot < since.size(); ++slot) {
        std::size_t comma = lasttime.find(',', start);
        since[slot] = parseLocalTime(lasttime.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    std::string number;
    for (int kind = 1; kind <= kFeedKinds; ++kind) {
        std::int64_t count =
            queryInteger(call.db, withFeed(call, kind) + "SELECT count(*) FROM feed WHERE t > ?2",
                         r.userId, since[static_cast<std::size_t>(kind - 1)]);
        number += std::to_string(std::min(count, kMaxUnread)) + ",";
    }
    std::int64_t messages = queryInteger(
        call.db,
        "SELECT count(*) FROM message m WHERE m.owner = ?1 AND m.box = 1 AND m.created_at > ?2 "
        "AND NOT EXISTS (SELECT 1 FROM friend f WHERE f.uid = ?1 AND f.friend = m.sender "
        "AND (f.gid = 2 OR f.shield = 1))",
        r.userId, since[kFeedKinds]);
    number += std::to_string(std::min(messages, kMaxUnread));
    return Dict{{"number", number}};
}

Dict subscribe(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    if (r.operate != "0" && r.operate != "1" && r.operate != "2") return refusal("操作失败");
    std::vector<std::int64_t> chosen;
    for (std::int64_t cid : splitIds(r.text("cid"))) {
        if (queryInteger(call.db, "SELECT count(*) FROM news_category WHERE id = ?1", cid) > 0)
            chosen.push_back(cid);
    }
    if (r.operate != "1" && chosen.empty()) return refusal("该分类不存在");
    Transaction transaction(call.db);
    if (r.operate == "1") execute(call.db, "DELETE FROM subscription WHERE uid = ?1", r.userId);
    for (std::int64_t cid : chosen) {
        execute(call.db,
                r.operate == "0" ? "DELETE FROM subscription WHERE uid = ?1 AND cid = ?2"
                                 : "INSERT OR IGNORE INTO subscription(uid, cid, created_at) "
                                   "VALUES(?1, ?2, unixepoch())",
                r.userId, cid);
    }
    transaction.commit();
    return success(r.operate == "0" ? "取消订阅成功" : "订阅成功");
}

Dict focus(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::int64_t id = r.integer("id");
    if (queryInteger(call.db, "SELECT count(*) FROM project WHERE id = ?1", id) == 0)
        return refusal("该楼盘不存在");
    if (r.operate == "1") {
        execute(
            call.db,
            "INSERT OR IGNORE INTO follow(uid, project, created_at) VALUES(?1, ?2, unixepoch())",
            r.userId, id);
    } else if (r.operate == "0") {
        execute(call.db, "DELETE FROM follow WHERE uid = ?1 AND project = ?2", r.userId, id);
    } else {
        return refusal("操作失败");
    }
    return success("操作成功");
}

Dict focushouseList(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    Array rows = queryRows(call.db,
                           "SELECT " + std::string(kProjectSummaryColumns) +
                               ", p.catname AS HouseType FROM follow f JOIN project p "
                               "ON p.id = f.project WHERE f.uid = ?1 "
                               "ORDER BY f.created_at DESC, f.project DESC LIMIT ?2 OFFSET ?3",
                           r.userId, r.size, r.offset());
    call.linkPictures(rows, {"pic_sl"});
    return listReply(
        std::move(rows),
        queryInteger(call.db,
                     "SELECT count(*) FROM follow f JOIN project p ON p.id = f.project "
                     "WHERE f.uid = ?1",
                     r.userId));
}

}  // namespace

void addFeedOperations(Router& router) {
    router.addOperation("user/newmsg.aspx", newmsg);
    router.addOperation("user/searchmsg.aspx", searchmsg);
    router.addOperation("user/subscribe.aspx", subscribe);
    router.addOperation("user/focus.aspx", focus);
    router.addOperation("user/focushouse_list.aspx", focushouseList);
}

}  // namespace tovera::service
