#include "property/PropertyDestinations.h"

#include "core/DSTovera.h"
#include "framework/Navigator.h"
#include "framework/QXViewController.h"
#include "property/ChooseCity.h"
#include "property/HouseSearch.h"
#include "property/Saleinfo.h"
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
    Navigator::registerBuilder(Destination::SaleInfo,
                               [](const Route& route) { return withRoute(new Saleinfo, route); });
    // The followed projects are the signed-in user's.
    Navigator::registerBuilder(Destination::FollowedSaleInfo, [](const Route& route) {
        auto* screen = withRoute(new Saleinfo, route);
        screen->param().setUid(QXViewController::session().userId().value_or("0"));
        return screen;
    });
}

}  // namespace tovera
