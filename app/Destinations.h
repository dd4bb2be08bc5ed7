// Every subsystem's destinations, registered with the navigator in one call.
#pragma once

namespace tovera {

/// Registers the builders of every subsystem (again: a later call replaces
/// the builders with the same ones).
void registerDestinations();

}  // namespace tovera
