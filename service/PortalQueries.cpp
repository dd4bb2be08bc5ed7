#include "service/PortalQueries.h"

#include "service/Schema.h"
#include "service/ServiceRequest.h"

namespace tovera::service {

bool isFriend(Database& db, std::int64_t owner, std::int64_t other) {
    return queryInteger(db,
                        "SELECT count(*) FROM friend WHERE uid = ?1 AND friend = ?2 AND gid <> 2",
                        owner, other) > 0;
}

bool refusesMessagesFrom(Database& db, std::int64_t recipient, std::int64_t sender) {
    return queryInteger(db,
                        "SELECT count(*) FROM friend WHERE uid = ?1 AND friend = ?2 "
                        "AND (gid = 2 OR shield = 1)",
                        recipient, sender) > 0;
}

bool deliverMessage(Database& db, const Message& message) {
    if (message.sender > 0 && refusesMessagesFrom(db, message.recipient, message.sender))
        return false;
    execute(db,
            "INSERT INTO message(id, owner, box, sender, recipient, catname, title, text, type, "
            "tid, created_at) VALUES(?1, ?2, 1, ?3, ?2, ?4, ?5, ?6, ?7, ?8, unixepoch())",
            nextId(db, "message"), message.recipient, message.sender, message.catname,
            message.title, message.text, message.type, message.tid);
    return true;
}

std::vector<std::int64_t> splitIds(std::string_view text, char separator) {
    std::vector<std::int64_t> ids;
    while (!text.empty()) {
        std::size_t at = text.find(separator);
        if (auto id = parseInteger(text.substr(0, at))) ids.push_back(*id);
        text.remove_prefix(at == std::string_view::npos ? text.size() : at + 1);
    }
    return ids;
}

}  // namespace tovera::service
