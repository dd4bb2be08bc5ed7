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
#include <initializer_list>
#include <memory>
#include <utility>

#include "Figures.h"
#include "app/SplashViewController.h"
#include "app/Startup.h"
#include "app/toveraAppDelegate.h"
#include "core/PreferenceKeys.h"
#include "framework/ButtonsView.h"
#include "framework/GridView.h"
#include "framework/NetButton.h"
#include "framework/NetImageView.h"
#include "news/NewsInfo.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/web/WebView.h"
#include "property/Gallery.h"
#include "property/HouseDetail.h"
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

// ---- Picture-heavy screens, pictures in the cache ---------------------------
// Each opened until its pictures are painted, against the same screen
// painted with its content but without waiting for a picture.

// Whether every remote picture on screen under `root` has arrived.
bool picturesShown(QWidget* root) {
    const auto onScreen = [](QWidget* w) {
        return w->isVisible() && !w->visibleRegion().isEmpty();
    };
    for (auto* view : root->findChildren<tovera::NetImageView*>())
        if (onScreen(view) && !view->imgUrl().empty() && view->netimg().isNull()) return false;
    for (auto* button : root->findChildren<tovera::NetButton*>())
        if (onScreen(button) && !button->imgUrl().empty() && button->netimg().isNull())
            return false;
    return true;
}

bool openOverview(bool withPictures) {
    auto* detail = new tovera::ToveraDetail;
    detail->setHid(1001);
    return openAndWait(detail, [detail, withPictures] {
        return !detail->hf()->nameLbl()->text().isEmpty() && !detail->dataArray().empty() &&
               (!withPictures || picturesShown(detail->view()));
    });
}

bool openGallery(bool withPictures) {
    auto* gallery = new tovera::Gallery;
    gallery->param().setRid("1001");
    gallery->getGrid();
    return openAndWait(gallery, [gallery, withPictures] {
        return !gallery->items().empty() && gallery->gridView()->isVisible() &&
               (!withPictures || picturesShown(gallery->view()));
    });
}

// The listing's pictures page: chosen on its strip once the listing is there.
bool openListingPictures(bool withPictures) {
    auto* detail = new tovera::HouseDetail;
    detail->param().setRid("20058");
    return openAndWait(detail, [detail, withPictures] {
        if (detail->detail().empty()) return false;
        auto* button = qobject_cast<tovera::platform::ui::Button*>(
            detail->btnView()->subviews().value(tovera::HouseDetail::kPictures));
        QWidget* page = detail->currentPage();
        if (button && !button->isSelected()) {
            detail->btnPressed(button);
            return false;
        }
        return page && page->isVisible() && (!withPictures || picturesShown(page));
    });
}

void picturesBench(benchmark::State& state, bool (*open)(bool), bool withPictures) {
    for (auto _ : state)
        if (!open(withPictures)) state.SkipWithError("the screen did not show");
}

BENCHMARK_CAPTURE(picturesBench, OverviewWithoutPictures, openOverview, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(picturesBench, OverviewWithPictures, openOverview, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(picturesBench, GalleryWithoutPictures, openGallery, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(picturesBench, GalleryWithPictures, openGallery, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(picturesBench, ListingPicturesWithoutPictures, openListingPictures, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(picturesBench, ListingPicturesWithPictures, openListingPictures, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

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
    // Warm-up: the article in the local store, the photos in the picture cache.
    for (const auto& [name, open] : std::initializer_list<std::pair<const char*, bool (*)()>>{
             {"article", openArticle},
             {"project", openProject},
             {"overview", [] { return openOverview(true); }},
             {"gallery", [] { return openGallery(true); }},
             {"listing pictures", [] { return openListingPictures(true); }}}) {
        if (!open()) {
            std::fprintf(stderr, "the %s did not show\n", name);
            return 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    tovera::bench::TimesReporter times;
    benchmark::RunSpecifiedBenchmarks(&times);
    using tovera::bench::reportFigure;
    reportFigure({"open a project against a news article", times.time("BM_OpenProject"), "ms",
                  times.time("BM_BaselineOpenArticle"), 1.5});
    for (const char* screen : {"Overview", "Gallery", "ListingPictures"}) {
        const std::string name = screen;
        reportFigure({name + " first paint, cached pictures against none",
                      times.time("picturesBench/" + name + "WithPictures"), "ms",
                      times.time("picturesBench/" + name + "WithoutPictures"), 1.5});
    }
    benchmark::Shutdown();
    return 0;
}
