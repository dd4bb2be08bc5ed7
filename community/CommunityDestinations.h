// Registers the builders of the destinations the community folder owns:
// the friends, the private messages, user pages and the own profile.
#pragma once

namespace tovera {

void registerCommunityDestinations();

}  // namespace tovera
