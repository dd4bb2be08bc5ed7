// The main() of a benchmark of screens: an offscreen Qt application (unless
// a platform is named) with animations off, a silent log and a fresh home
// under the temporary directory, removed again at the end. The figures of the
// summary table are reported after the benchmarks ran.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <functional>

#include "Figures.h"

#include "platform/AppHome.h"
#include "platform/Log.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/views/Animation.h"

namespace tovera::bench {

/// `figures`, when given, reports the figures from the times measured.
inline int runOffscreenBenchmarks(int argc, char** argv, const char* homeName,
                                  const std::function<void(const TimesReporter&)>& figures = {}) {
    using platform::ui::Application;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application::prepare(Application::takeScaleArgument(argc, argv, 2));
    QApplication app(argc, argv);
    Application runtime;
    platform::ui::Animation::setEnabled(false);
    platform::setLogSink([](std::string_view) {});
    const auto home = std::filesystem::temp_directory_path() / homeName;
    std::filesystem::remove_all(home);
    platform::setHomeDirectory(home.string());
    benchmark::Initialize(&argc, argv);
    TimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (figures) figures(reporter);
    benchmark::Shutdown();
    std::filesystem::remove_all(home);
    return 0;
}

}  // namespace tovera::bench
