// Every destination of the navigator as the app registers them: each one
// whose screen exists opens that screen, and the placeholder is left only
// to the destinations listed here as still to come. Building a destination's
// screen removes it from the list; the test fails on one that is built but
// not registered, or registered but still listed.
#include <set>

#include "framework/Navigator.h"
#include "framework/UnavailableScreen.h"
#include "tests/property/HomeScreenTest.h"

using namespace tovera;

namespace {

using D = Destination;

const std::set<Destination> kStillToCome = {
};

class Destinations : public tovera::testing::HomeScreenTest {};

TEST_F(Destinations, EveryBuiltDestinationOpensItsScreen) {
    prepare(true);
    startDemoService();
    openHome();
    for (Destination destination : kAllDestinations) {
        const bool toCome = kStillToCome.count(destination) != 0;
        SCOPED_TRACE(destinationTitle(destination).toStdString());
        EXPECT_EQ(Navigator::hasBuilder(destination), !toCome);
        Route route = Route::toObject(destination, "1001");
        route.param.setType("1");
        platform::ui::ViewController* screen = Navigator::build(route);
        ASSERT_TRUE(screen);
        EXPECT_EQ(qobject_cast<UnavailableScreen*>(screen) != nullptr, toCome);
        delete screen;
    }
}

}  // namespace
