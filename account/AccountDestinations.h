// The destinations the account screens serve.
#pragma once

namespace tovera {

/// Registers the builders of the login screen and the password change.
void registerAccountDestinations();

}  // namespace tovera
