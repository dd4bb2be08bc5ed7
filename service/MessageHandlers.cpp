// Private messages: user/sendmsg_list.aspx (the inbox tabs and the sent
// box), user/sendmsg.aspx and user/deletemsg.aspx. A message is stored once
// per owner: the recipient's inbox copy (box 1) and the sender's sent copy
// (box 2).
#include <algorithm>

#include "service/CommunityHandlers.h"
#include "service/Portal.h"
#include "service/PortalQueries.h"
#include "service/Schema.h"
#include "service/Text.h"

namespace tovera::service {

namespace {

constexpr int kInbox = 1;
constexpr int kSent = 2;

// The tabs: 1 everything received, 2 notices and friend requests, 3 user
// messages, 4 recommendations, 5 sent copies. Messages of senders the owner
// shields or blacklists never show.
std::string tabCondition(std::string_view tab) {
    std::string received =
        "m.box = 1 AND NOT EXISTS (SELECT 1 FROM friend f WHERE f.uid = m.owner "
        "AND f.friend = m.sender AND (f.gid = 2 OR f.shield = 1))";
    if (tab == "2") return received + " AND m.catname IN (1, 3)";
    if (tab == "3") return received + " AND m.catname = 4";
    if (tab == "4") return received + " AND m.catname = 2";
    if (tab == "5") return "m.box = 2";
    return received;
}

Dict sendmsgList(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::string where = " WHERE m.owner = ?1 AND " + tabCondition(r.type);
    // "remark" is the owner's remark for the other party of the message.
    return pagedList(
        call,
        "SELECT m.id, m.title, m.text, display_time(m.created_at) AS date, m.sender AS uid, "
        "CASE WHEN m.sender = 0 THEN '系统' ELSE ifnull(s.username, '') END AS name, "
        "ifnull((SELECT f.remark FROM friend f WHERE f.uid = m.owner AND f.friend = "
        "CASE WHEN m.box = 2 THEN m.recipient ELSE m.sender END), '') AS remark, m.catname, "
        "CASE WHEN m.type > 0 THEN m.type ELSE 1 END AS type, m.tid, "
        "ifnull(p.username, '') AS person, m.recipient AS pid FROM message m "
        "LEFT JOIN user s ON s.id = m.sender LEFT JOIN user p ON p.id = m.recipient" +
            where + " ORDER BY m.created_at DESC, m.id DESC LIMIT ?2 OFFSET ?3",
        "SELECT count(*) FROM message m" + where, {}, r.userId);
}

// The recipients of "user": names joined by ",", each possibly followed by
// "(remark)" as the picker shows them.
std::vector<std::string> recipientNames(std::string_view list) {
    std::vector<std::string> names;
    while (!list.empty()) {
        std::size_t comma = list.find(',');
        std::string_view name = list.substr(0, comma);
        list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
        name = trimmed(name.substr(0, name.find('(')));
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.emplace_back(name);
    }
    return names;
}

// Checks every recipient before sending anything: each gets an inbox copy
// (unless shielding the sender) and the sender one sent copy per recipient.
Dict sendmsg(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    std::vector<std::string> names = recipientNames(r.text("user"));
    std::string subject(trimmed(r.text("subject")));
    std::string content = r.text("content");
    if (names.empty() || subject.empty() || trimmed(content).empty())
        return refusal("请填写收件人、主题和内容");
    std::vector<std::int64_t> recipients;
    for (const std::string& name : names) {
        std::int64_t id = queryInteger(call.db, "SELECT id FROM user WHERE username = ?1", name);
        if (id == 0) return refusal("用户" + name + "不存在");
        if (queryInteger(call.db,
                         "SELECT count(*) FROM friend WHERE uid = ?1 AND friend = ?2 AND gid = 2",
                         id, r.userId) > 0)
            return refusal("对方拒绝接收您的短信");
        recipients.push_back(id);
    }
    Transaction transaction(call.db);
    for (std::int64_t recipient : recipients) {
        deliverMessage(call.db, Message{r.userId, recipient, 4, subject, content, 0, 0});
        execute(call.db,
                "INSERT INTO message(id, owner, box, sender, recipient, catname, title, text, "
                "type, tid, created_at) VALUES(?1, ?2, 2, ?2, ?3, 4, ?4, ?5, 0, 0, unixepoch())",
                nextId(call.db, "message"), r.userId, recipient, subject, content);
    }
    transaction.commit();
    return success("发送成功!");
}

// Deletes the caller's own copy: the sent copy in the sent tab ("t" 2),
// else the inbox copy.
Dict deletemsg(Call& call) {
    const ServiceRequest& r = call.request;
    if (!r.signedIn()) return notSignedIn();
    execute(call.db, "DELETE FROM message WHERE id = ?1 AND owner = ?2 AND box = ?3",
            r.integer("id"), r.userId, r.type == "2" ? kSent : kInbox);
    if (call.db.changes() == 0) return refusal("短信不存在");
    return success("删除成功");
}

}  // namespace

void addMessageOperations(Router& router) {
    router.addOperation("user/sendmsg_list.aspx", sendmsgList);
    router.addOperation("user/sendmsg.aspx", sendmsg);
    router.addOperation("user/deletemsg.aspx", deletemsg);
}

}  // namespace tovera::service
