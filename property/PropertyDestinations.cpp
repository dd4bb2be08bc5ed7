#include "property/PropertyDestinations.h"

#include "core/DSTovera.h"
#include "framework/EmbeddedLists.h"
#include "framework/Navigator.h"
#include "framework/QXViewController.h"
#include "property/ChooseCity.h"
#include "property/CityList.h"
#include "property/Gallery.h"
#include "property/HouseDetail.h"
#include "property/HouseList.h"
#include "property/HouseSearch.h"
#include "property/HouseTableView.h"
#include "property/JVAnnotation.h"
#include "property/LocationHome.h"
#include "property/MyHouseListView.h"
#include "property/Saleinfo.h"
#include "property/SellList.h"
#include "property/Tovera.h"
#include "property/ToveraDetail.h"
#include "property/ToveraList.h"

namespace tovera {

void registerPropertyDestinations() {
    EmbeddedLists::registerBuilder(
        EmbeddedList::PurchaseRecords,
        [](const QRectF& frame, QWidget* parent) { return new MyHouseListView(frame, parent); });
    Navigator::registerBuilder(Destination::FollowedProjects, [](const Route&) {
        auto* followed = new HouseTableView;
        followed->param().setApi("housefocus");
        return followed;
    });
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
    // A list of rentals is called so when the opening place gives no title.
    Navigator::registerBuilder(Destination::Listings, [](const Route& route) {
        auto* list = withRoute(new HouseList, route);
        if (route.title.isEmpty() && list->param().api() == "rent")
            list->setTitle(QStringLiteral("租房"));
        return list;
    });
    Navigator::registerBuilder(Destination::Listing, [](const Route& route) {
        auto* detail = withRoute(new HouseDetail, route);
        if (route.title.isEmpty())
            detail->setTitle(detail->rental() ? QStringLiteral("租房详情")
                                              : QStringLiteral("二手房详情"));
        return detail;
    });
    Navigator::registerBuilder(Destination::Nearby, [](const Route& route) {
        auto* map = new LocationHome;
        map->setType(std::max(0, Value(route.param.type()).intValue()));
        return map;
    });
    Navigator::registerBuilder(Destination::ProjectMap, [](const Route& route) {
        auto* map = new LocationHome;
        const Dict& given = route.param.param();
        auto pin = std::make_shared<JVAnnotation>();
        pin->setTitle(QString::fromStdString(given.getStringValueForKey("name", "")));
        pin->setSubtitle(QString::fromStdString(given.getStringValueForKey("address", "")));
        pin->setCoordinate(
            {QString::fromStdString(given.getStringValueForKey("latitude", "")).toDouble(),
             QString::fromStdString(given.getStringValueForKey("longitude", "")).toDouble()});
        map->setType(LocationHome::kSinglePin);
        map->setAnnotaiton(pin);
        return map;
    });
}

}  // namespace tovera
