// The app of a screen benchmark, as a user has it: the embedded demo service
// on a temporary home, a city chosen before (no city choice on top), the
// application delegate launched and the splash out of the way; offscreen
// unless a platform is named, animations off, a silent log.
#pragma once

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

#include "app/SplashViewController.h"
#include "app/Startup.h"
#include "app/toveraAppDelegate.h"
#include "core/PreferenceKeys.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/views/Animation.h"

namespace tovera::bench {

class EmbeddedApp {
public:
    /// started() tells whether the service and the app came up.
    EmbeddedApp(int& argc, char** argv) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        platform::setLogSink([](std::string_view) {});
        app::CommandLine line;
        line.home = home_.path().toStdString();
        if (!startup_.begin(line, nullptr)) return;
        platform::ui::Application::prepare(2);
        qt_ = std::make_unique<QApplication>(argc, argv);
        runtime_ = std::make_unique<platform::ui::Application>();
        platform::ui::Animation::setEnabled(false);
        platform::preferences().setString(PrefKey::kCityId, "3401");
        platform::preferences().setString(PrefKey::kCity, "合肥");
        delegate_ = std::make_unique<app::toveraAppDelegate>();
        delegate_->didFinishLaunching();
        delegate_->splash()->hidde();
    }
    ~EmbeddedApp() {
        delegate_.reset();
        runtime_.reset();
    }

    bool started() const { return delegate_ != nullptr; }
    app::toveraAppDelegate& delegate() { return *delegate_; }

private:
    QTemporaryDir home_;
    app::Startup startup_;
    std::unique_ptr<QApplication> qt_;
    std::unique_ptr<platform::ui::Application> runtime_;
    std::unique_ptr<app::toveraAppDelegate> delegate_;
};

}  // namespace tovera::bench
