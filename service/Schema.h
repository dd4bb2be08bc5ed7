// The tables of the portal's state. Texts are UTF-8; times are seconds since
// the epoch in columns named "*_at" or "deadline".
#pragma once

#include <cstdint>
#include <string_view>

#include "service/Database.h"

namespace tovera::service {

/// Creates every table that does not exist yet, and registers the SQL
/// functions display_time(t) ("yyyy-MM-dd HH:mm") and display_date(t)
/// ("yyyy-MM-dd"), local time.
void createSchema(Database& db);

/// The next id of a shared id sequence ("comment", "live", "message", ...).
std::int64_t nextId(Database& db, std::string_view sequence);

/// A value of the meta table ("" when unset).
std::string metaValue(Database& db, std::string_view key);
void setMetaValue(Database& db, std::string_view key, std::string_view value);

}  // namespace tovera::service
