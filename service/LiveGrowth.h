// Rooms being broadcast grow while they are open: the seed gives a room a
// script (live_script, live_line) and every "pace" seconds its next line
// appears as a message of the owner or a discussion post, so a client that
// polls the room sees new posts. Growth is computed when a room is read, so
// nothing runs in the background; after a long pause only the latest few
// lines appear (the broadcast was quiet meanwhile).
#pragma once

#include <cstdint>

#include "service/Database.h"

namespace tovera::service {

/// Most lines one read adds to a room that fell behind.
inline constexpr int kLiveCatchUp = 3;

/// Adds the lines due by `now` (seconds since the epoch) to every open room
/// with a script. Needs the database lock.
void advanceLiveRooms(Database& db, std::int64_t now);

}  // namespace tovera::service
