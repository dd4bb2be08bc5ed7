#include "property/PropertyDestinations.h"

#include "framework/Navigator.h"
#include "property/ChooseCity.h"
#include "property/Tovera.h"

namespace tovera {

void registerPropertyDestinations() {
    // The city choice reports to the home screen, so it needs one.
    Navigator::registerBuilder(Destination::ChooseCity, [](const Route&) -> ChooseCity* {
        Tovera* home = Tovera::toveraViewController();
        return home ? new ChooseCity(home) : nullptr;
    });
}

}  // namespace tovera
