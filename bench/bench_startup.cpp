// Start-up of the app as a user sees it: from starting the process to the
// first page of the home list painted, offscreen, with the embedded demo
// service. Each start is its own process (this program run again with
// --child-app HOME), which prints a line when the home list is first
// painted with rows. Cases: a home used once before (service seeded, splash
// picture downloaded; goal: median under 400 ms and at most 1.5 x the
// baseline) and an empty home, seeding included (goal < 1.5 s). Baseline, in
// the same run: a process with a bare Qt window that fetches one loopback URL
// with libcurl and paints the answer (--child-bare URL).
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Figures.h"
#include "app/Startup.h"
#include "app/toveraAppDelegate.h"
#include "core/ServiceSettings.h"
#include "core/SplashPicture.h"
#include "platform/Log.h"
#include "platform/ui/runtime/Application.h"
#include "property/Tovera.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string selfPath;

std::map<std::string, std::vector<double>>& samples() {
    static std::map<std::string, std::vector<double>> all;
    return all;
}

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// ---- The child processes ---------------------------------------------------

// Prints "painted" at the first paint of a widget once `ready` holds.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* widget, std::function<bool()> ready = {})
        : ready_(std::move(ready)) {
        widget->installEventFilter(this);
    }
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted && (!ready_ || ready_())) {
            painted = true;
            std::puts("painted");
            std::fflush(stdout);
        }
        return false;
    }

private:
    std::function<bool()> ready_;
};

int runUntilPainted(const FirstPaint& watch) {
    QDeadlineTimer deadline(std::chrono::seconds(20));
    QTimer wake;
    wake.start(5);
    while (!watch.painted && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    return watch.painted ? 0 : 1;
}

std::size_t collect(char* data, std::size_t size, std::size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

int bareChild(int argc, char** argv, const std::string& url) {
    QApplication qt(argc, argv);
    QWidget window;
    window.resize(640, 960);
    auto* label = new QLabel(&window);
    label->setGeometry(20, 60, 600, 40);
    std::string body;
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    const CURLcode rc = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    if (rc != CURLE_OK) return 1;
    label->setText(QString::fromStdString(body));
    FirstPaint watch(label);
    window.show();
    return runUntilPainted(watch);
}

int appChild(int argc, char** argv, const std::string& home) {
    tovera::platform::setLogSink([](std::string_view) {});
    tovera::app::Startup startup;
    tovera::app::CommandLine line;
    line.home = home;
    if (!startup.begin(line, nullptr)) return 1;
    tovera::platform::ui::Application::prepare(2);
    QApplication qt(argc, argv);
    tovera::platform::ui::Application runtime;
    tovera::app::toveraAppDelegate app;
    app.didFinishLaunching();
    auto* root =
        qobject_cast<tovera::Tovera*>(app.navigationController()->viewControllers().value(0));
    if (!root) return 1;
    root->view();
    FirstPaint watch(root->tableView(), [root] { return !root->dataArray().empty(); });
    return runUntilPainted(watch);
}

// ---- The parent ------------------------------------------------------------

// Milliseconds from starting `arguments` as a child to its "painted" line
// (the child's shutdown is not timed); negative when it never painted.
double timedChild(const std::string& arguments) {
    const std::string command = "exec '" + selfPath + "' " + arguments + " 2>/dev/null";
    const auto start = Clock::now();
    FILE* child = ::popen(command.c_str(), "r");
    if (!child) return -1;
    char line[64] = {};
    const bool painted = std::fgets(line, sizeof line, child) && std::string(line) == "painted\n";
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const int status = ::pclose(child);
    return painted && status == 0 ? ms : -1;
}

void record(benchmark::State& state, const std::string& name, double ms) {
    if (ms < 0) state.SkipWithError("the start did not reach the first paint");
    state.SetIterationTime(ms / 1000);
    samples()[name].push_back(ms);
    state.counters["median_ms"] = medianOf(samples()[name]);
}

void BM_BaselineBareWindowWithLoopbackFetch(benchmark::State& state) {
    // The demo service the app embeds, started here the app's way.
    QTemporaryDir home;
    tovera::app::Startup startup;
    tovera::app::CommandLine line;
    line.home = home.path().toStdString();
    if (!startup.begin(line, nullptr)) {
        state.SkipWithError("service did not start");
        return;
    }
    const std::string url = tovera::serviceSettings().toveraHttpRequestDomain() +
                            std::string(tovera::SplashPicture::kQuery);
    for (auto _ : state)
        record(state, "baseline", timedChild("--child-bare '" + url + "'"));
}
BENCHMARK(BM_BaselineBareWindowWithLoopbackFetch)
    ->Iterations(15)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_StartToHomeListOnAHomeUsedOnce(benchmark::State& state) {
    QTemporaryDir home;
    const std::string child = "--child-app '" + home.path().toStdString() + "'";
    timedChild(child);  // the first start seeds and downloads the splash
    for (auto _ : state)
        record(state, "used", timedChild(child));
}
BENCHMARK(BM_StartToHomeListOnAHomeUsedOnce)
    ->Iterations(15)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_FirstStartOnAnEmptyHome(benchmark::State& state) {
    for (auto _ : state) {
        QTemporaryDir home;
        record(state, "first", timedChild("--child-app '" + home.path().toStdString() + "'"));
    }
}
BENCHMARK(BM_FirstStartOnAnEmptyHome)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::string(argv[1]) == "--child-bare") return bareChild(1, argv, argv[2]);
    if (argc == 3 && std::string(argv[1]) == "--child-app") return appChild(1, argv, argv[2]);

    selfPath = argv[0];
    tovera::platform::setLogSink([](std::string_view) {});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    const double baseline = medianOf(samples()["baseline"]);
    const double used = medianOf(samples()["used"]);
    const double first = medianOf(samples()["first"]);
    using tovera::bench::reportFigure;
    reportFigure({"start to the first home page, home used once", used, "ms", 0, 400});
    reportFigure(
        {"start to the first home page against bare Qt + libcurl", used, "ms", baseline, 1.5});
    reportFigure({"first start on an empty home, seeding included", first, "ms", 0, 1500});
    return 0;
}
