// Every destination of the navigator as the app registers them opens its
// screen: no menu entry, link or target of the app can lead nowhere.
#include <string_view>

#include "framework/Navigator.h"
#include "property/MenuTargets.h"
#include "tests/property/HomeScreenTest.h"

using namespace tovera;

namespace {

using D = Destination;

class Destinations : public tovera::testing::HomeScreenTest {};

TEST_F(Destinations, EveryDestinationOpensItsScreen) {
    prepare(true);
    startDemoService();
    openHome();
    for (Destination destination : kAllDestinations) {
        SCOPED_TRACE(destinationTitle(destination).toStdString());
        EXPECT_TRUE(Navigator::hasBuilder(destination));
        Route route = Route::toObject(destination, "1001");
        route.param.setType("1");
        platform::ui::ViewController* screen = Navigator::build(route);
        ASSERT_TRUE(screen);
        delete screen;
    }
}

TEST_F(Destinations, EveryMenuEntryIsOnAPageAndLeadsSomewhere) {
    for (const MenuEntry& entry : MenuTargets::entries()) {
        SCOPED_TRACE(entry.key);
        // Signing out is the one entry that opens no screen.
        if (std::string_view(entry.key) == "fic_logout") {
            EXPECT_FALSE(entry.to.has_value());
            continue;
        }
        EXPECT_GE(entry.type, 1) << "an entry on no page is out of reach";
        ASSERT_TRUE(entry.to.has_value());
    }
}

}  // namespace
