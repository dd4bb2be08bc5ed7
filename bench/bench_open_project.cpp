// Opening a new-build project as a user does (a screen pushed to its
// overview painted with the name, the latest sale news and the first photo
// from the picture cache) against opening a news article in the same run
// (pushed to its headline and body painted). Goal: the project at most
// 1.5 x the article. Both run in one app process on the embedded demo
// service, offscreen, after one warm-up opening of each.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

#include "app/SplashViewController.h"
#include "app/Startup.h"
#include "app/toveraAppDelegate.h"
#include "core/PreferenceKeys.h"
#include "framework/NetButton.h"
#include "news/NewsInfo.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/web/WebView.h"
#include "property/HousePreview.h"
#include "property/PhotoView.h"
#include "property/ToveraDetail.h"

namespace {

tovera::app::toveraAppDelegate* theApp = nullptr;

// Sees a paint of `widget` once `ready` holds.
class PaintedWhenReady : public QObject {
public:
    PaintedWhenReady(QWidget* widget, std::function<bool()> ready) : ready_(std::move(ready)) {
        widget->installEventFilter(this);
    }
    bool painted = false;
    bool ready() const { return ready_(); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && ready_()) painted = true;
        return false;
    }

private:
    std::function<bool()> ready_;
};

// Pushes `screen`, runs until `ready` holds and its view painted, pops it.
bool openAndWait(tovera::platform::ui::ViewController* screen, std::function<bool()> ready) {
    auto* nav = theApp->navigationController();
    nav->pushViewController(screen, false);
    PaintedWhenReady watch(screen->view(), std::move(ready));
    QDeadlineTimer deadline(std::chrono::seconds(10));
    while (!watch.painted && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!watch.painted && screen->view()->isVisible()) screen->view()->update();
    }
    if (!watch.painted)
        std::fprintf(stderr, "ready %d visible %d\n", int(watch.ready()),
                     int(screen->view()->isVisible()));
    nav->popViewControllerAnimated(false);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return watch.painted;
}

bool openProject() {
    auto* detail = new tovera::ToveraDetail;
    detail->setHid(1001);
    return openAndWait(detail, [detail] {
        tovera::HousePreview* hf = detail->hf();
        return hf && !hf->nameLbl()->text().isEmpty() && !detail->dataArray().empty() &&
               hf->photoView()->imageButton(0) &&
               !hf->photoView()->imageButton(0)->netimg().isNull();
    });
}

bool openArticle() {
    auto* article = new tovera::NewsInfo;
    article->param().setRid("50001");
    return openAndWait(article, [article] {
        return !article->titleLable()->text().isEmpty() && !article->contentText()->isLoading();
    });
}

void BM_BaselineOpenArticle(benchmark::State& state) {
    for (auto _ : state)
        if (!openArticle()) state.SkipWithError("the article did not show");
}

void BM_OpenProject(benchmark::State& state) {
    for (auto _ : state)
        if (!openProject()) state.SkipWithError("the project did not show");
}

BENCHMARK(BM_BaselineOpenArticle)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    tovera::platform::setLogSink([](std::string_view) {});
    QTemporaryDir home;
    tovera::app::Startup startup;
    tovera::app::CommandLine line;
    line.home = home.path().toStdString();
    if (!startup.begin(line, nullptr)) return 1;
    tovera::platform::ui::Application::prepare(2);
    QApplication qt(argc, argv);
    tovera::platform::ui::Application runtime;
    // A city chosen before, as on a phone used once: no city choice on top.
    tovera::platform::preferences().setString(tovera::PrefKey::kCityId, "3401");
    tovera::platform::preferences().setString(tovera::PrefKey::kCity, "合肥");
    tovera::app::toveraAppDelegate app;
    app.didFinishLaunching();
    theApp = &app;
    app.splash()->hidde();
    // Warm-up: the article in the local store, the photo in the picture cache.
    if (!openArticle() || !openProject()) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
