// The map screen against the demo service and scripted replies: the centre
// it asks around, the kinds and the range, pins and their callouts, the
// single-pin mode, and position reports.
#include "core/Gb18030.h"
#include "framework/ButtonsView.h"
#include "framework/JVPickView.h"
#include "framework/Navigator.h"
#include "platform/Location.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "property/HouseDetail.h"
#include "property/LocationHome.h"
#include "tests/news/NewsListsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::platform::Coordinate;
using tovera::platform::Location;

namespace {

std::string sent(const Dict& request, std::string_view key) {
    return request.getStringValueForKey(key, "<none>");
}

class Nearby : public tovera::testing::NewsListsUiTest {
protected:
    void SetUp() override {
        NewsListsUiTest::SetUp();
        Location::shared().reset();
    }
    void TearDown() override {
        NewsListsUiTest::TearDown();
        Location::shared().reset();
    }

    LocationHome* openMap(Route route = {Destination::Nearby}) {
        if (!nav()) showRoot(new ViewController);
        auto* map = qobject_cast<LocationHome*>(Navigator::open(top(), route));
        EXPECT_TRUE(map);
        processEvents();
        return map;
    }

    std::vector<Dict> locations() const { return requestsTo("system/location.aspx"); }

    /// Waits for `count` location requests and the pins of the last one.
    bool loaded(LocationHome* map, std::size_t count) {
        return waitFor([&] { return locations().size() >= count; }) && settled() &&
               waitFor([map] { return !map->dataArray().empty(); });
    }

    Button* kindButton(LocationHome* map, int kind) {
        return qobject_cast<Button*>(map->btnsView()->subviews().value(kind));
    }

    /// Shows the callout of the first pin and taps its picture button.
    bool tapFirstCallout(LocationHome* map) {
        auto pin = map->dataArray().front();
        AnnotationView* view = map->mapView()->viewForAnnotation(pin);
        if (!view) return false;
        map->mapView()->selectAnnotation(pin, false);
        processEvents();
        return view->leftCalloutAccessoryView() && tap(view->leftCalloutAccessoryView());
    }
};

TEST_F(Nearby, WithoutPositionOrCityTheDefaultCentreIsAskedAroundAtOnce) {
    useDemo();
    Location::shared().setMode(Location::Mode::Failure);
    LocationHome* map = openMap();
    EXPECT_EQ(map->title(), QStringLiteral("地图"));
    ASSERT_TRUE(loaded(map, 1));
    const Dict first = locations()[0];
    EXPECT_EQ(sent(first, "lat"), "31.859207");
    EXPECT_EQ(sent(first, "lon"), "117.307570");
    EXPECT_EQ(sent(first, "type"), "1");
    EXPECT_EQ(sent(first, "limit"), "1");
    EXPECT_EQ(sent(first, "page"), "1");
    EXPECT_FALSE(first.contains("uid"));
    EXPECT_FALSE(map->needUpdate());
    EXPECT_EQ(map->mapView()->annotations().size(), map->dataArray().size());
    EXPECT_LE(map->mapView()->region().span.longitudeDelta, 0.5 + 1e-9);

    // Without location services a kind change loads at once.
    ASSERT_TRUE(tap(kindButton(map, LocationHome::kRental)));
    ASSERT_TRUE(loaded(map, 2));
    EXPECT_EQ(sent(locations()[1], "type"), "3");
    EXPECT_EQ(map->dataArray().front()->kind(), LocationHome::kRental);
}

TEST_F(Nearby, TheCityPositionIsTheCentreAndOnePositionReportLoadsOnce) {
    useDemo();
    platform::preferences().setString("geo", "31.80,117.20");
    Location::shared().setMode(Location::Mode::NoFix);
    LocationHome* map = openMap();
    processEvents();
    EXPECT_TRUE(locations().empty());
    EXPECT_DOUBLE_EQ(map->coord().latitude, 31.80);
    EXPECT_TRUE(map->needUpdate());

    Location::shared().setMode(Location::Mode::Fix);
    Location::shared().setPosition({31.86, 117.28});
    ASSERT_TRUE(loaded(map, 1));
    EXPECT_EQ(sent(locations()[0], "lat"), "31.860000");
    EXPECT_EQ(sent(locations()[0], "lon"), "117.280000");

    // The user pans away; a later report moves the centre it will ask
    // around, but neither loads nor pulls the map back.
    drag(map->mapView(), QPointF(200, 200), QPointF(-80, -60));
    const Coordinate panned = map->mapView()->centerCoordinate();
    Location::shared().setPosition({31.70, 117.10});
    processEvents();
    EXPECT_DOUBLE_EQ(map->coord().latitude, 31.70);
    EXPECT_NEAR(map->mapView()->centerCoordinate().latitude, panned.latitude, 1e-9);
    EXPECT_EQ(locations().size(), 1u);
}

TEST_F(Nearby, RangeRowsSetTheLimitAndTheSpan) {
    useDemo();
    Location::shared().setMode(Location::Mode::Failure);
    LocationHome* map = openMap();
    ASSERT_TRUE(loaded(map, 1));
    BarButtonItem* range = map->navigationItem()->rightBarButtonItem();
    ASSERT_TRUE(range);
    EXPECT_EQ(range->title(), QStringLiteral("设置范围"));
    range->trigger();
    processEvents();
    ASSERT_TRUE(map->pkView() && isOnScreen(map->pkView()));
    EXPECT_EQ(map->pkView()->titles(), (QStringList{"1km", "3km", "5km", "10km", "20km"}));
    map->pkView()->pickerView()->selectRow(2, 0, false);
    ASSERT_TRUE(tap(map->pkView()->confirmButton()));
    ASSERT_TRUE(loaded(map, 2));
    EXPECT_EQ(sent(locations()[1], "limit"), "2");
    EXPECT_NEAR(map->mapView()->region().span.longitudeDelta, 0.2, 1e-6);
    EXPECT_FALSE(isOnScreen(map->pkView()));

    // "取消" changes nothing; the nearest range is still a span to see.
    range->trigger();
    processEvents();
    EXPECT_EQ(map->pkView()->selectedRow(), 2) << "the range in use";
    ASSERT_TRUE(tap(map->pkView()->cancelButton()));
    processEvents();
    EXPECT_EQ(locations().size(), 2u);
    EXPECT_DOUBLE_EQ(LocationHome::spanForRange(0), 0.05);
    EXPECT_DOUBLE_EQ(LocationHome::spanForRange(4), 0.4);
}

TEST_F(Nearby, FriendsAreAskedForAndTheirCalloutOpensTheUserPage) {
    useDemo();
    signIn();
    LocationHome* map = openMap();
    ASSERT_TRUE(loaded(map, 1));
    ASSERT_TRUE(tap(kindButton(map, LocationHome::kFriends)));
    ASSERT_TRUE(waitFor([&] { return locations().size() == 2; }) && settled());
    const Dict friends = locations()[1];
    EXPECT_EQ(sent(friends, "type"), "4");
    EXPECT_EQ(sent(friends, "uid"), "1");
    ASSERT_TRUE(waitFor([&] { return !map->dataArray().empty(); }));
    EXPECT_EQ(map->dataArray().front()->kind(), LocationHome::kFriends);
    ASSERT_TRUE(tapFirstCallout(map));
    ASSERT_TRUE(waitFor([&] { return top() != map; }));
    EXPECT_EQ(top()->title(), QStringLiteral("用户资料"));
}

TEST_F(Nearby, ACalloutOpensTheScreenOfItsOwnPinsKind) {
    useDemo();
    LocationHome* map = openMap();
    ASSERT_TRUE(loaded(map, 1));
    ASSERT_TRUE(tap(kindButton(map, LocationHome::kSecondHand)));
    ASSERT_TRUE(waitFor([&] { return locations().size() == 2; }) && settled());
    ASSERT_TRUE(waitFor([&] { return !map->dataArray().empty(); }));
    const std::shared_ptr<JVAnnotation> secondHand = map->dataArray().front();
    const std::string pid = secondHand->pid();
    // A pin loaded before the kind changed still opens a second-hand listing.
    ASSERT_TRUE(tap(kindButton(map, LocationHome::kRental)));
    ASSERT_TRUE(waitFor([&] { return locations().size() == 3; }) && settled());
    map->openPin(*secondHand);
    ASSERT_TRUE(waitFor([&] { return qobject_cast<HouseDetail*>(top()) != nullptr; }));
    auto* detail = qobject_cast<HouseDetail*>(top());
    EXPECT_EQ(detail->param().api(), "oldhouse");
    EXPECT_EQ(detail->param().rid(), pid);
    EXPECT_EQ(detail->title(), QStringLiteral("二手房"));
    ASSERT_TRUE(waitFor([&] { return !detail->detail().empty(); }));
}

TEST_F(Nearby, ASignedOutUserTappingAPersonIsAskedToSignIn) {
    useDemo();
    LocationHome* map = openMap();
    JVAnnotation someone;
    someone.setPid("7");
    someone.setKind(LocationHome::kUsers);
    map->openPin(someone);
    ASSERT_TRUE(currentAlert().has_value());
    EXPECT_EQ(currentAlert()->message, QStringLiteral("您还没有登录，请登录!"));
}

TEST_F(Nearby, PinsWithoutPositionAreLeftOut) {
    tovera::testing::ScriptedServer server;
    server.respond([](const httplib::Request&, httplib::Response& response) {
        response.set_content(
            gb18030::fromUtf8Lossy(
                R"({"error_code":200,"total":4,"result":[)"
                R"({"pid":"1","name":"甲","latitude":"31.85","longitude":"117.30"},)"
                R"({"pid":"2","name":"乙"},)"
                R"({"pid":"3","name":"丙","latitude":"0.0","longitude":"0.0"},)"
                R"({"pid":"4","name":"丁","latitude":"北","longitude":"117.1"}]})"),
            "application/json");
    });
    useService(server.base());
    Location::shared().setMode(Location::Mode::Failure);
    LocationHome* map = openMap();
    ASSERT_TRUE(waitFor([&] { return !map->dataArray().empty(); }));
    ASSERT_EQ(map->dataArray().size(), 1u);
    EXPECT_EQ(map->dataArray()[0]->pid(), "1");
    EXPECT_EQ(map->dataArray()[0]->title(), QStringLiteral("甲"));
}

TEST_F(Nearby, ASinglePinShowsAloneAndAsksForNothing) {
    useDemo();
    Route route{Destination::ProjectMap};
    route.param.setType("-1");
    route.param.setName("翠湖名邸");
    route.param.setString("蜀山区湖光路", "address");
    route.param.setString("31.856176", "latitude");
    route.param.setString("117.325391", "longitude");
    LocationHome* map = openMap(route);
    processEvents();
    EXPECT_EQ(map->type(), LocationHome::kSinglePin);
    EXPECT_TRUE(locations().empty());
    EXPECT_FALSE(map->navigationItem()->rightBarButtonItem());
    EXPECT_FALSE(isOnScreen(map->btnsView()));
    EXPECT_EQ(map->mapView()->frame().top(), 0);
    EXPECT_FALSE(map->mapView()->showsUserLocation());
    ASSERT_EQ(map->dataArray().size(), 1u);
    EXPECT_NEAR(map->mapView()->centerCoordinate().latitude, 31.856176, 1e-6);
    auto pin = map->dataArray().front();
    AnnotationView* view = map->mapView()->viewForAnnotation(pin);
    ASSERT_TRUE(view);
    ASSERT_TRUE(tap(view));
    ASSERT_TRUE(map->mapView()->calloutView());
    EXPECT_TRUE(findByText(map->mapView()->calloutView(), QStringLiteral("翠湖名邸")));
    EXPECT_FALSE(view->leftCalloutAccessoryView());
    EXPECT_FALSE(view->rightCalloutAccessoryView());
    processEvents();
    EXPECT_TRUE(locations().empty());
}

}  // namespace
