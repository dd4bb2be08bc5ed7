// The fixture of the account screen tests: the shared fixture's demo service
// (tests read what it received), a scripted server for replies the demo
// service never gives, and a screen pushed over a plain root.
#pragma once

#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/testing/Wait.h"
#include "service/DemoService.h"
#include "tests/framework/FrameworkUiTest.h"
#include "tests/framework/ScriptedServer.h"

namespace tovera::testing {

class AccountUiTest : public FrameworkUiTest {
protected:
    void SetUp() override {
        FrameworkUiTest::SetUp();
        useService(scripted_.base());
        platform::preferences().setString("cityid", "3401");
    }

    /// Talks to the demo service from now on.
    service::DemoService& useDemo() {
        startDemoService();
        return *demoService();
    }

    /// Shows `screen` pushed over a plain root screen.
    template <typename Screen>
    Screen* push(Screen* screen) {
        if (!nav()) showRoot(new platform::ui::ViewController);
        nav()->pushViewController(screen, false);
        platform::ui::testing::processEvents();
        return screen;
    }
    bool isTop(platform::ui::ViewController* screen) const {
        return nav()->topViewController() == screen;
    }
    /// Waits until the navigation stack is back at its root.
    bool backAtRoot() const {
        return platform::ui::testing::waitFor(
            [this] { return nav()->viewControllers().size() == 1; });
    }

    ScriptedServer scripted_;
};

}  // namespace tovera::testing
