#include "app/Program.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

#include "app/DisplayChoice.h"
#include "app/Startup.h"
#include "app/Tour.h"
#include "app/toveraAppDelegate.h"
#include "core/PreferenceKeys.h"
#include "platform/Preferences.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/views/Animation.h"

namespace tovera::app {

namespace {

// The argument vector QApplication keeps pointers into for its whole life.
struct QtArguments {
    explicit QtArguments(std::vector<std::string> arguments) : storage(std::move(arguments)) {
        for (std::string& argument : storage)
            pointers.push_back(argument.data());
        pointers.push_back(nullptr);
        count = static_cast<int>(storage.size());
    }
    std::vector<std::string> storage;
    std::vector<char*> pointers;
    int count = 0;
};

// The tour always draws offscreen, whatever platform was asked for.
std::vector<std::string> withoutPlatformOption(const std::vector<std::string>& arguments) {
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "-platform" || arguments[i] == "--platform") {
            ++i;
            continue;
        }
        kept.push_back(arguments[i]);
    }
    return kept;
}

}  // namespace

int runProgram(CommandLine line) {
    // The tour's home: made fresh, removed with everything in it at the end.
    std::unique_ptr<QTemporaryDir> scratch;
    if (line.tour) {
        scratch = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/tovera-tour-XXXXXX");
        if (!scratch->isValid()) {
            std::fprintf(stderr, "tovera: cannot make a temporary home for the tour\n");
            return 1;
        }
        line.home = scratch->path().toStdString();
        line.qtArguments = withoutPlatformOption(line.qtArguments);
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Startup startup;
    std::string error;
    if (!startup.begin(line, &error)) {
        std::fprintf(stderr, "tovera: %s\n", error.c_str());
        return 1;
    }

    if (!line.tour) {
        const DisplayChoice display = chooseDisplay(line.qtArguments, line.vncAddress);
        if (display.platform)
            qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*display.platform));
        if (display.vnc) {
            if (!restrictVncTo(line.vncAddress)) {
                std::fprintf(stderr, "tovera: --vnc-address takes an IP address, not \"%s\"\n",
                             line.vncAddress.c_str());
                return 1;
            }
            std::fprintf(stderr, "tovera: %s\n", display.message.c_str());
        }
    }

    // The tour draws at a scale of its own, never at a kept one.
    platform::ui::Application::prepare(
        line.tour ? line.scale.value_or(2)
                  : line.startScale(platform::preferences().string(PrefKey::kScale)));
    QtArguments arguments(line.qtArguments);
    QApplication qt(arguments.count, arguments.pointers.data());
    platform::ui::Application runtime;
    platform::ui::Keyboard::setOnScreen(line.touchKeyboard);
    if (line.tour) platform::ui::Animation::setEnabled(false);

    toveraAppDelegate delegate;
    delegate.didFinishLaunching();
    if (line.tour) return Tour(delegate).walk(*line.tour);
    return qt.exec();
}

}  // namespace tovera::app
