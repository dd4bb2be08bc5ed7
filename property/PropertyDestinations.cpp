#include "property/PropertyDestinations.h"

#include "framework/Navigator.h"
#include "property/ChooseCity.h"
#include "property/HouseSearch.h"
#include "property/Tovera.h"
#include "property/ToveraList.h"

namespace tovera {

void registerPropertyDestinations() {
    // The city choice reports to the home screen, so it needs one.
    Navigator::registerBuilder(Destination::ChooseCity, [](const Route&) -> ChooseCity* {
        Tovera* home = Tovera::toveraViewController();
        return home ? new ChooseCity(home) : nullptr;
    });
    Navigator::registerBuilder(Destination::ProjectList,
                               [](const Route& route) { return withRoute(new ToveraList, route); });
    Navigator::registerBuilder(Destination::ProjectFilter, [](const Route& route) {
        return withRoute(new HouseSearch, route);
    });
}

}  // namespace tovera
