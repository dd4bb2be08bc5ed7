#include "framework/FrameworkDestinations.h"

#include "framework/Navigator.h"
#include "framework/WebTools.h"

namespace tovera {

void registerFrameworkDestinations() {
    Navigator::registerBuilder(Destination::Tools, [](const Route&) { return new WebTools; });
}

}  // namespace tovera
