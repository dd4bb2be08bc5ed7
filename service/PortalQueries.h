// Queries several modules share: the project summary, friendship and
// message delivery.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "service/Database.h"

namespace tovera::service {

/// The columns of the project summary of list replies (project "p"):
/// id, name, catname, price, address, state, pic_sl, focus, update_at, cityid.
inline constexpr std::string_view kProjectSummaryColumns =
    "p.id, p.name, p.catname, p.price, p.address, p.state, p.pic AS pic_sl, "
    "p.base_focus + (SELECT count(*) FROM follow x WHERE x.project = p.id) AS focus, "
    "display_time(p.created_at) AS update_at, p.cityid";

/// True when `other` is in one of `owner`'s groups except the blacklist (2).
bool isFriend(Database& db, std::int64_t owner, std::int64_t other);

/// True when `recipient` keeps messages of `sender` out: blacklisted or shielded.
bool refusesMessagesFrom(Database& db, std::int64_t recipient, std::int64_t sender);

struct Message {
    std::int64_t sender = 0;  // 0: the system
    std::int64_t recipient = 0;
    int catname = 1;  // 1 notice, 2 recommendation, 3 friend request, 4 user message
    std::string title;
    std::string text;
    int type = 0;  // recommendations: 1 project, 2 article, 3 second-hand, 4 rental
    std::int64_t tid = 0;
};

/// Puts a message into the recipient's inbox unless the recipient refuses
/// the sender's messages; returns whether it was delivered.
bool deliverMessage(Database& db, const Message& message);

/// The numbers of a "|"-joined id list ("9|7|5"), invalid parts skipped.
std::vector<std::int64_t> splitIds(std::string_view text, char separator = '|');

}  // namespace tovera::service
