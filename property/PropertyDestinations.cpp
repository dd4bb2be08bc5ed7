#include "property/PropertyDestinations.h"

#include "core/DSTovera.h"
#include "framework/Navigator.h"
#include "framework/QXViewController.h"
#include "property/ChooseCity.h"
#include "property/CityList.h"
#include "property/Gallery.h"
#include "property/HouseSearch.h"
#include "property/Saleinfo.h"
#include "property/SellList.h"
#include "property/Tovera.h"
#include "property/ToveraDetail.h"
#include "property/ToveraList.h"

namespace tovera {

void registerPropertyDestinations() {
    // The city choice reports to the home screen, so it needs one.
    Navigator::registerBuilder(Destination::ChooseCity, [](const Route&) -> ChooseCity* {
        Tovera* home = Tovera::toveraViewController();
        return home ? new ChooseCity(home) : nullptr;
    });
    Navigator::registerBuilder(Destination::PreferredCities, [](const Route& route) {
        auto* cities = withRoute(new CityList, route);
        cities->setSelectedString(route.param.name());
        return cities;
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
    // The project screen keeps its own title whatever the opening place
    // calls it.
    Navigator::registerBuilder(Destination::Project, [](const Route& route) {
        auto* detail = new ToveraDetail;
        detail->setParam(route.param);
        return detail;
    });
    // A project's albums, asked for as soon as the screen is made, so that
    // the project screen can host them as a page.
    Navigator::registerBuilder(Destination::ProjectGallery, [](const Route& route) {
        auto* gallery = withRoute(new Gallery, route);
        gallery->getGrid();
        return gallery;
    });
    Navigator::registerBuilder(Destination::SaleNews, [](const Route& route) {
        auto* news = withRoute(new SellList, route);
        news->setHeaderTitle(QString::fromStdString(route.param.name()));
        return news;
    });
}

}  // namespace tovera
