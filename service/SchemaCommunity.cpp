#include "service/SchemaCommunity.h"

namespace tovera::service {

namespace {

constexpr std::string_view kCommunitySchema = R"sql(
-- A live room that is being broadcast: every "pace" seconds from "next_at"
-- its next scripted line appears (see LiveGrowth.h), while the room is open.
CREATE TABLE IF NOT EXISTS live_script(room INTEGER PRIMARY KEY, pace INTEGER NOT NULL,
    next_at INTEGER NOT NULL, step INTEGER NOT NULL);
-- The lines of a broadcast, in order: kind 1 a message of the room's owner,
-- kind 2 a discussion post by "uid"; "picture" names a seed picture or is ''.
CREATE TABLE IF NOT EXISTS live_line(room INTEGER NOT NULL, seq INTEGER NOT NULL,
    kind INTEGER NOT NULL, uid INTEGER NOT NULL, text TEXT NOT NULL, picture TEXT NOT NULL,
    PRIMARY KEY(room, seq));
CREATE INDEX IF NOT EXISTS discussion_room ON discussion(room, created_at);
CREATE INDEX IF NOT EXISTS live_message_room ON live_message(room, created_at);
CREATE INDEX IF NOT EXISTS signup_activity ON signup(activity);
-- The signed-in user a sign-up was made by (a sign-up without a token has no row).
CREATE TABLE IF NOT EXISTS signup_user(signup INTEGER PRIMARY KEY, uid INTEGER NOT NULL);
)sql";

}  // namespace

void createCommunitySchema(Database& db) {
    db.exec(kCommunitySchema);
}

}  // namespace tovera::service
