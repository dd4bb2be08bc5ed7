// The destinations the property screens serve.
#pragma once

namespace tovera {

/// Registers the builders of the city choice.
void registerPropertyDestinations();

}  // namespace tovera
