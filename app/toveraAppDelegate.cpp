#include "app/toveraAppDelegate.h"

#include "app/Destinations.h"
#include "app/SplashViewController.h"
#include "core/DBConnection.h"
#include "core/PreferenceKeys.h"
#include "core/UncaughtExceptionHandler.h"
#include "framework/ImageLoader.h"
#include "framework/NSUtil.h"
#include "framework/PictureMemoryCache.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/StatusBar.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/runtime/Application.h"
#include "property/Tovera.h"

namespace tovera::app {

using platform::ui::Application;
using platform::ui::NavigationController;
using platform::ui::Stage;
using platform::ui::Window;

toveraAppDelegate::toveraAppDelegate(QObject* parent) : QObject(parent) {}

toveraAppDelegate::~toveraAppDelegate() {
    if (handlerInstalled_) applicationWillTerminate();
    if (pendingReport_.joinable()) pendingReport_.join();
    // The splash lives in the window; it goes first so its view is not
    // deleted twice.
    delete splash_.data();
    stage_.reset();
    window_ = nullptr;
}

bool toveraAppDelegate::didFinishLaunching() {
    SplashViewController::decodeAhead();
    window_ = new Window;
    window_->statusBar()->setHidden(false);
    stage_ = std::make_unique<Stage>(window_);
    // The scale the user zoomed or resized to is the next start's.
    connect(stage_.get(), &Stage::scaleChanged, this, [](double scale) {
        platform::preferences().setString(PrefKey::kScale, QString::number(scale).toStdString());
    });

    previousHandler_ = installUncaughtExceptionHandler(NSUtil::config("version").toText());
    handlerInstalled_ = true;
    pendingReport_ = std::thread([] { postPendingCrashReport(); });

    registerDestinations();
    ImageLoader::installWebPictureLoader();
    auto* root = new Tovera;
    auto* navigation = new NavigationController(root);
    navigationController_ = navigation;
    window_->setRootViewController(navigation);

    auto* splash = new SplashViewController(this);
    splash_ = splash;
    window_->addSubview(splash->view());
    splash->view()->setFrame(Window::applicationFrame());

    if (Application* runtime = Application::instance()) {
        connect(runtime, &Application::didBecomeActive, this,
                &toveraAppDelegate::applicationDidBecomeActive);
        connect(runtime, &Application::willResignActive, this,
                &toveraAppDelegate::applicationWillResignActive);
        connect(runtime, &Application::didReceiveMemoryWarning, this,
                &toveraAppDelegate::applicationDidReceiveMemoryWarning);
        connect(runtime, &Application::willTerminate, this,
                &toveraAppDelegate::applicationWillTerminate);
    }
    window_->makeKeyAndVisible();
    return true;
}

void toveraAppDelegate::applicationDidBecomeActive() {
    if (splash_) splash_->showWithAnimation();
}

void toveraAppDelegate::applicationWillResignActive() {
    saveState();
    NSUtil::clearCache();
    if (splash_) splash_->show();
}

void toveraAppDelegate::saveState() {
    if (!platform::preferences().synchronize()) platform::logLine("preferences not written");
    DBConnection::closeDatabase();
}

void toveraAppDelegate::applicationDidReceiveMemoryWarning() {
    // The runtime has logged "applicationDidReceiveMemoryWarning". Decoded
    // pictures are read again from the cache files when next shown.
    PictureMemoryCache::shared().clear();
    if (navigationController_) navigationController_->popToRootViewControllerAnimated(true);
}

void toveraAppDelegate::applicationWillTerminate() {
    if (!handlerInstalled_) return;
    // A desktop window can be closed while it is active, with no resign
    // before: what the preferences and the database hold is saved here too.
    saveState();
    restoreUncaughtExceptionHandler(previousHandler_);
    handlerInstalled_ = false;
}

}  // namespace tovera::app
