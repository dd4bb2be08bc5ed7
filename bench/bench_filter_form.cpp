// The filter form opening with every option list built: the form pushed onto
// a navigation stack in a window, each field backed by a configuration list
// opened in the picker in turn (the picker filled and shown), and the window
// painted. Both layouts; the goal is under 50 ms for each. The service lists
// (cities, districts, business areas) wait for a reply and are not part of it.

#include <benchmark/benchmark.h>

#include <chrono>
#include <initializer_list>

#include "OffscreenBench.h"
#include "framework/JVPickView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/runtime/Application.h"
#include "property/HouseSearch.h"
#include "property/LabelButton.h"

using namespace tovera;
using namespace tovera::platform::ui;

namespace {

using Clock = std::chrono::steady_clock;

void openForm(benchmark::State& state, const char* api, std::initializer_list<int> fields) {
    Window window;
    auto* nav = new NavigationController(new ViewController);
    window.setRootViewController(nav);
    window.makeKeyAndVisible();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        const auto start = Clock::now();
        auto* form = new HouseSearch;
        form->param().setApi(api);
        nav->pushViewController(form, false);
        for (int field : fields) {
            form->btnPressed(form->row(field));
            if (!form->pkView() || form->pkView()->isHidden())
                state.SkipWithError("the picker did not open");
        }
        window.repaint();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        state.SetIterationTime(ms / 1000);
        nav->popViewControllerAnimated(false);
        QCoreApplication::processEvents();
    }
}

void BM_NewBuildFilterForm(benchmark::State& state) {
    openForm(state, "tovera", {1, 4, 5, 6});
}

void BM_SecondHandFilterForm(benchmark::State& state) {
    openForm(state, "oldhouse", {1, 2, 3, 6});
}

BENCHMARK(BM_NewBuildFilterForm)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_SecondHandFilterForm)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

int main(int argc, char** argv) {
    using namespace tovera::bench;
    return runOffscreenBenchmarks(
        argc, argv, "tovera-bench-filter-form", [](const TimesReporter& times) {
            reportFigure({"new-build filter form opened with its lists",
                          times.time("BM_NewBuildFilterForm"), "ms", 0, 50});
            reportFigure({"second-hand filter form opened with its lists",
                          times.time("BM_SecondHandFilterForm"), "ms", 0, 50});
        });
}
