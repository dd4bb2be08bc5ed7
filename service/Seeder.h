// First-start seeding of the portal's state from the demo seed data
// ("seed.sql" in the demo folder): fictional content whose times are stored
// as offsets from the seeding moment, so lists look current.
#pragma once

#include <string>

#include "service/Database.h"

namespace tovera::service {

/// True once the database holds the seed.
bool isSeeded(Database& db);

/// Loads `demoDir`/seed.sql into an empty database in one transaction, moves
/// its times to now, hashes the seed passwords and sets the id sequences.
/// Throws DatabaseError (or std::runtime_error when the seed is missing).
void seedDatabase(Database& db, const std::string& demoDir);

}  // namespace tovera::service
