// Memory over a long session, in one app process on the embedded demo
// service, offscreen: every stop of the tour (but the pages by address,
// which need the web-page engine), then 200 screens opened and left in turn
// (articles, projects, listings, questions, user pages, the map, and the
// project, listing, news and question lists), each list scrolled to its end
// (at most kMorePages pages more). Figures: the peak resident memory (VmHWM;
// goal at most 150 MB) and the growth of the resident memory between the
// 100th and the 200th screen (VmRSS; goal under 5 MB). The web-page engine
// must never load: the run fails when its module is mapped.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "EmbeddedApp.h"
#include "Figures.h"
#include "app/Tour.h"
#include "app/toveraAppDelegate.h"
#include "ask/AskDetail.h"
#include "ask/AskHome.h"
#include "ask/AskList.h"
#include "community/UserInfo.h"
#include "framework/QXViewController.h"
#include "news/News.h"
#include "news/NewsInfo.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Label.h"
#include "property/HouseDetail.h"
#include "property/HouseList.h"
#include "property/HousePreview.h"
#include "property/HouseTableView.h"
#include "property/LocationHome.h"
#include "property/ToveraDetail.h"
#include "property/ToveraList.h"

namespace {

using namespace tovera;
using platform::ui::ViewController;

constexpr int kScreens = 200;
constexpr int kMorePages = 4;
constexpr auto kScreenPatience = std::chrono::seconds(10);

// A line of /proc/self/status ("VmRSS", "VmHWM") in megabytes.
double statusMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) / 1024;
    return 0;
}

bool webPageEngineLoaded() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find("tovera_webpage") != std::string::npos ||
            line.find("WebEngineCore") != std::string::npos)
            return true;
    return false;
}

// One kind of screen the session opens: built for its n-th opening, shown
// once `ready` holds.
struct ScreenKind {
    const char* name;
    std::function<ViewController*(int n)> build;
    std::function<bool(ViewController*)> ready;
};

template <class Screen>
Screen* as(ViewController* screen) {
    return qobject_cast<Screen*>(screen);
}

std::string id(int first, int count, int n) {
    return std::to_string(first + n % count);
}

std::vector<ScreenKind> screenKinds() {
    return {
        {"article",
         [](int n) {
             auto* article = new NewsInfo;
             article->param().setRid(id(50001, 142, n * 7));
             return article;
         },
         [](ViewController* s) { return !as<NewsInfo>(s)->titleLable()->text().isEmpty(); }},
        {"project",
         [](int n) {
             auto* detail = new ToveraDetail;
             detail->setHid(std::stoi(id(1001, 250, n * 13)));
             return detail;
         },
         [](ViewController* s) { return !as<ToveraDetail>(s)->hf()->nameLbl()->text().isEmpty(); }},
        {"listing",
         [](int n) {
             auto* detail = new HouseDetail;
             detail->param().setRid(id(20001, 400, n * 31));
             return detail;
         },
         [](ViewController* s) { return !as<HouseDetail>(s)->detail().empty(); }},
        {"question",
         [](int n) {
             auto* question = new AskDetail;
             question->param().setRid(id(60001, 300, n * 11));
             return question;
         },
         [](ViewController* s) { return !as<AskDetail>(s)->detail().empty(); }},
        {"user page",
         [](int n) {
             auto* page = new UserInfo;
             page->param().setRid(id(1, 40, n * 3));
             return page;
         },
         [](ViewController* s) { return !as<UserInfo>(s)->record().empty(); }},
        {"map", [](int) { return new LocationHome; },
         [](ViewController* s) { return !as<LocationHome>(s)->dataArray().empty(); }},
        {"project list", [](int) { return new ToveraList; },
         [](ViewController* s) {
             auto* list = as<ToveraList>(s)->list();
             return list && !list->items().empty();
         }},
        {"listing list", [](int) { return new HouseList; },
         [](ViewController* s) { return !as<HouseList>(s)->items().empty(); }},
        {"news list",
         [](int) {
             auto* news = new News;
             news->hasBtnsView(true);
             return news;
         },
         [](ViewController* s) {
             auto* list = as<News>(s)->newsListController();
             return list && !list->items().empty();
         }},
        {"question list", [](int) { return new AskHome; },
         [](ViewController* s) {
             auto* list = as<AskHome>(s)->asklistController();
             return list && !list->items().empty();
         }},
    };
}

// Scrolls every list of `screen` to its end, loading up to kMorePages more
// pages of a paged list on the way.
void scrollListsToTheEnd(app::Tour& tour, ViewController* screen) {
    for (int page = 0; page <= kMorePages; ++page) {
        bool grew = false;
        for (auto* table : screen->view()->findChildren<platform::ui::TableView*>()) {
            if (!table->isVisible()) continue;
            for (double y = 0; y < table->maximumOffset().y(); y += table->height()) {
                table->setContentOffset({0, y});
                table->repaint();
            }
            table->setContentOffset(table->maximumOffset());
            table->repaint();
        }
        QList<QXViewController*> lists = screen->findChildren<QXViewController*>();
        lists << qobject_cast<QXViewController*>(screen);
        for (QXViewController* list : lists) {
            if (!list || list->items().empty() || int(list->items().size()) >= list->total())
                continue;
            const std::size_t had = list->items().size();
            list->dataGrow();
            grew = tour.waitFor([list, had] { return list->items().size() > had; },
                                std::chrono::seconds(3)) ||
                   grew;
        }
        if (!grew) return;
    }
}

struct Session {
    double rssAt100 = 0;
    double rssAt200 = 0;
    int opened = 0;
    bool failed = false;
};

Session runSession(app::toveraAppDelegate& app) {
    Session session;
    app::Tour tour(app);
    tour.setPatience(kScreenPatience);
    for (const app::TourStop& stop : app::tourStops()) {
        // Pages by address need the web-page engine, which this run never loads.
        if (stop.name == "activity-signup" || stop.name == "splash") continue;
        if (!stop.arrive(tour))
            std::fprintf(stderr, "tour stop %s not reached\n", stop.name.c_str());
        tour.waitFor([] { return true; });
    }
    auto* navigation = app.navigationController();
    navigation->popToRootViewControllerAnimated(false);
    tour.waitFor([] { return true; });

    const std::vector<ScreenKind> kinds = screenKinds();
    for (int n = 0; n < kScreens; ++n) {
        const ScreenKind& kind = kinds[std::size_t(n) % kinds.size()];
        ViewController* screen = kind.build(n / int(kinds.size()));
        navigation->pushViewController(screen, false);
        if (tour.waitFor([&] { return kind.ready(screen); }))
            scrollListsToTheEnd(tour, screen);
        else
            std::fprintf(stderr, "screen %d (%s) did not show\n", n + 1, kind.name);
        navigation->popViewControllerAnimated(false);
        tour.waitFor([] { return true; });
        ++session.opened;
        if (n + 1 == kScreens / 2) session.rssAt100 = statusMegabytes("VmRSS");
        if (n + 1 == kScreens) session.rssAt200 = statusMegabytes("VmRSS");
    }
    session.failed = webPageEngineLoaded();
    return session;
}

}  // namespace

int main(int argc, char** argv) {
    bench::EmbeddedApp embedded(argc, argv);
    if (!embedded.started()) return 1;
    const auto start = std::chrono::steady_clock::now();
    const Session session = runSession(embedded.delegate());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "tour and %d screens in %.0f s; resident after screen 100: %.1f MB, after 200: "
        "%.1f MB\n",
        session.opened, seconds, session.rssAt100, session.rssAt200);
    if (session.failed) {
        std::fprintf(stderr, "the web-page engine was loaded\n");
        return 1;
    }
    using bench::reportFigure;
    reportFigure(
        {"peak resident memory, tour and 200 screens", statusMegabytes("VmHWM"), "MB", 0, 150});
    // At least a hundredth of a megabyte, so that no growth still reads as measured.
    reportFigure({"resident growth from screen 100 to 200",
                  std::max(0.01, session.rssAt200 - session.rssAt100), "MB", 0, 5});
    return 0;
}
