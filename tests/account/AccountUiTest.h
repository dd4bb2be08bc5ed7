// The fixture of the account screen tests: a demo service of the fixture's
// own (so that tests can read what it received), a scripted server for
// replies the demo service never gives, and a screen pushed over a plain root.
#pragma once

#include <memory>
#include <string>

#include "platform/Preferences.h"
#include "platform/ui/NavigationController.h"
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
    void TearDown() override {
        FrameworkUiTest::TearDown();
        demo_.reset();
        demoData_.reset();
    }

    /// Talks to a demo service of this fixture from now on.
    service::DemoService& useDemo() {
        demoData_ = std::make_unique<TempDir>();
        service::ServiceOptions options;
        options.dataDir = demoData_->path().string();
        demo_ = std::make_unique<service::DemoService>(options);
        std::string error;
        EXPECT_TRUE(demo_->start(&error)) << error;
        useService(demo_->baseUrl());
        return *demo_;
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

private:
    std::unique_ptr<TempDir> demoData_;
    std::unique_ptr<service::DemoService> demo_;
};

}  // namespace tovera::testing
