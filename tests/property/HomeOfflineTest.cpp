// The home screen without the network: its list shows the last page seen
// with a toast instead of an empty list and an alert; its "搜索" bar button
// and Ctrl+F open the local search.
#include "core/DBConnection.h"
#include "core/ServiceSettings.h"
#include "news/LocalSearch.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "service/DemoService.h"
#include "tests/property/HomeScreenTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class HomeOffline : public tovera::testing::HomeScreenTest {
protected:
    // The service goes away: stopped, and the app pointed at a port nothing
    // listens on, so a port the system hands to another test's service in
    // the meantime is never reached.
    void stopService() {
        demoService()->stop();
        serviceSettings().serviceHost = "http://127.0.0.1:1";
    }
    // The store opens in this test's home, not one an earlier test left open.
    void SetUp() override {
        HomeScreenTest::SetUp();
        DBConnection::closeDatabase();
    }
    void TearDown() override {
        DBConnection::closeDatabase();
        HomeScreenTest::TearDown();
    }
};

TEST_F(HomeOffline, ListShowsTheLastPageSeenWithTheServiceDown) {
    prepare(false);
    startDemoService();
    openHome();
    ASSERT_FALSE(home_->dataArray().empty());
    const std::size_t shown = home_->dataArray().size();
    stopService();

    openHome();  // a new home screen, as at the next start
    ASSERT_EQ(home_->dataArray().size(), shown);
    EXPECT_EQ(currentToast(), QStringLiteral("网络不可用，显示的内容不是最新的"));
    EXPECT_FALSE(currentAlert());
}

TEST_F(HomeOffline, SearchButtonAndCtrlFOpenTheLocalSearch) {
    prepare(false);
    startDemoService();
    openHome();
    BarButtonItem* search = home_->navigationItem()->leftBarButtonItem();
    ASSERT_TRUE(search);
    EXPECT_EQ(search->title(), QStringLiteral("搜索"));
    search->trigger();
    ASSERT_TRUE(waitFor([&] { return qobject_cast<LocalSearch*>(top()); }));
    nav()->popToRootViewControllerAnimated(false);
    processEvents();

    pressKey(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(waitFor([&] { return qobject_cast<LocalSearch*>(top()); }));
}

}  // namespace
