// The destinations the framework's own screens serve.
#pragma once

namespace tovera {

/// Registers the builder of the home-buying tools page.
void registerFrameworkDestinations();

}  // namespace tovera
