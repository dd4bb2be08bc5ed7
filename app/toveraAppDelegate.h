// The application object: starts the user interface (the window, the
// navigation stack with the root screen, the splash over it), installs the
// crash reporter, and answers the application events: coming back shows and
// refreshes the splash; leaving writes the preferences, closes the database,
// trims the documents directory and covers the screen with the splash; a
// memory warning goes back to the root screen.
#pragma once

#include <QObject>
#include <QPointer>

#include <exception>
#include <memory>
#include <thread>

#include "app/SplashViewController.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Stage.h"
#include "platform/ui/navigation/Window.h"

namespace tovera::app {

class toveraAppDelegate : public QObject {
    Q_OBJECT
public:
    explicit toveraAppDelegate(QObject* parent = nullptr);
    /// Puts back the terminate handler if termination was not reported.
    ~toveraAppDelegate() override;

    /// Launch finished: shows the status bar, installs the crash reporter,
    /// builds the window with the root screen and the splash, and listens to
    /// the runtime's application events. Returns true.
    bool didFinishLaunching();

    void applicationDidBecomeActive();
    void applicationWillResignActive();
    void applicationDidReceiveMemoryWarning();
    void applicationWillTerminate();
    void applicationDidEnterBackground() {}
    void applicationWillEnterForeground() {}

    platform::ui::Window* window() const { return window_; }
    /// The resizable desktop frame the window is drawn in.
    platform::ui::Stage* stage() const { return stage_.get(); }
    platform::ui::NavigationController* navigationController() const {
        return navigationController_;
    }
    SplashViewController* splash() const { return splash_; }

private:
    /// Writes the preferences out and closes the database.
    void saveState();

    // The stage owns the window.
    std::unique_ptr<platform::ui::Stage> stage_;
    platform::ui::Window* window_ = nullptr;
    QPointer<platform::ui::NavigationController> navigationController_;
    QPointer<SplashViewController> splash_;
    std::terminate_handler previousHandler_ = nullptr;
    bool handlerInstalled_ = false;
    /// Posts a report a fatal signal left at an earlier run.
    std::thread pendingReport_;
};

}  // namespace tovera::app
