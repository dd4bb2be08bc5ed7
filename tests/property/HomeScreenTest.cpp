#include "tests/property/HomeScreenTest.h"

#include "framework/ButtonItem.h"
#include "platform/Preferences.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Label.h"
#include "property/MenuIcons.h"

namespace tovera::testing {

using platform::ui::testing::processEvents;
using platform::ui::testing::waitFor;

void HomeScreenTest::prepare(bool signedIn) {
    platform::Preferences& prefs = platform::preferences();
    prefs.setString("cityid", "3402");
    prefs.setString("city", "芜湖");
    if (signedIn) {
        prefs.setString("id", "5");
        prefs.setString("username", "demo5");
        prefs.setString("password", "0123456789abcdef0123456789abcdef");
        prefs.setBool("autologin", true);
    }
}

void HomeScreenTest::keepDemoAccount() {
    platform::Preferences& prefs = platform::preferences();
    prefs.setString("username", "demo");
    prefs.setBool("autologin", true);
    EXPECT_TRUE(DSTovera::setPassword("demo1234", "demo"));
}

Tovera* HomeScreenTest::openHome() {
    home_ = new Tovera;
    showRoot(home_);
    EXPECT_TRUE(waitFor(
        [this] { return !home_->dataArray().empty() || home_->tableView()->tableFooterView(); }));
    processEvents();
    return home_;
}

void HomeScreenTest::chooseTab(int index) {
    home_->tabBar()->chooseItem(index);
    processEvents();
}

bool HomeScreenTest::tapEntry(int position) {
    MenuIcons* menu = home_->menu();
    if (!menu) return false;
    return platform::ui::testing::tap(menu->gridView()->getItemAtPosition(position));
}

QString HomeScreenTest::caption(int position) const {
    MenuIcons* menu = home_->menu();
    auto* item =
        menu ? qobject_cast<ButtonItem*>(menu->gridView()->getItemAtPosition(position)) : nullptr;
    return item ? item->label()->text() : QString();
}

platform::ui::ViewController* HomeScreenTest::top() const {
    return nav()->topViewController();
}

}  // namespace tovera::testing
