// The tables of the community modules that the main schema does not hold,
// created after it.
#pragma once

#include "service/Database.h"

namespace tovera::service {

/// Creates the community tables that do not exist yet.
void createCommunitySchema(Database& db);

}  // namespace tovera::service
