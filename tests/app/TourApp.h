// The application as the screen sweeps drive it: started signed out in 合肥
// on the demo service of the test's home, with the home list shown, and
// brought back to the home screen between screens.
#pragma once

#include <memory>

#include "app/SplashViewController.h"
#include "app/toveraAppDelegate.h"
#include "core/DBConnection.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/testing/Wait.h"
#include "property/Tovera.h"

namespace tovera::testing {

class TourApp {
public:
    TourApp() = default;
    TourApp(const TourApp&) = delete;
    TourApp& operator=(const TourApp&) = delete;
    ~TourApp() {
        app_.reset();
        DBConnection::closeDatabase();
        platform::ui::testing::processEvents();
    }

    /// Starts the app and waits for the home list; false when it never came.
    bool launch() {
        platform::preferences().setString("cityid", "3401");
        platform::preferences().setString("city", "合肥");
        app_ = std::make_unique<app::toveraAppDelegate>();
        if (!app_->didFinishLaunching()) return false;
        app_->splash()->hidde();
        return platform::ui::testing::waitFor(
            [this] { return home() && !home()->dataArray().empty(); });
    }

    app::toveraAppDelegate& app() { return *app_; }

    Tovera* home() const {
        return qobject_cast<Tovera*>(app_->navigationController()->viewControllers().value(0));
    }

    /// Back at the home screen, with nothing over it.
    void leave() {
        platform::ui::NavigationController* nav = app_->navigationController();
        if (platform::ui::ViewController* modal = nav->modalViewController())
            modal->dismissModalViewControllerAnimated(false);
        nav->popToRootViewControllerAnimated(false);
        platform::ui::testing::processEvents();
    }

private:
    std::unique_ptr<app::toveraAppDelegate> app_;
};

}  // namespace tovera::testing
