// Every list screen scrolled through 1000 rows, top to bottom, a frame at a
// time (kStep points, each frame painted): the home list, a news list, the
// project list, the listing list and the inbox, in the app on the embedded
// demo service (each screen opened as the tour opens it, its rows then
// repeated to 1000). Baseline in the same run: the toolkit's table with
// plain text cells, as tall as the screen's list. Figures per screen: the
// median frame (goal under 8 ms, at most 2 x the baseline) and the cells
// built while scrolling (goal: no more than fit on the list plus kSpareCells).
#include <QElapsedTimer>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "EmbeddedApp.h"
#include "Figures.h"
#include "app/Tour.h"
#include "community/MessageHome.h"
#include "community/MessageList.h"
#include "news/News.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Label.h"
#include "property/HouseList.h"
#include "property/HouseTableView.h"
#include "property/Tovera.h"
#include "property/ToveraList.h"

namespace {

using namespace tovera;
using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

constexpr int kRows = 1000;
constexpr double kStep = 40;
constexpr int kSpareCells = 4;

struct Scroll {
    double medianMs = 0;
    int cellsBuilt = 0;
    int cellsThatFit = 0;
};

// Scrolls `table` from top to bottom, timing each frame; counts the cells
// it shows that were not shown before (a cell reused keeps its object).
Scroll scrollThrough(TableView* table) {
    table->setContentOffset({0, 0});
    table->repaint();
    std::set<TableViewCell*> seen;
    std::vector<QPointer<TableViewCell>> alive;
    Scroll result;
    std::vector<double> frames;
    const double bottom = table->maximumOffset().y();
    QElapsedTimer timer;
    for (double y = kStep; y <= bottom + kStep; y += kStep) {
        timer.start();
        table->setContentOffset({0, std::min(y, bottom)});
        table->repaint();
        frames.push_back(double(timer.nsecsElapsed()) / 1e6);
        for (TableViewCell* cell : table->visibleCells()) {
            if (seen.insert(cell).second) {
                alive.emplace_back(cell);
            } else if (std::none_of(alive.begin(), alive.end(),
                                    [cell](const auto& p) { return p == cell; })) {
                alive.emplace_back(cell);  // a new cell where a deleted one was
                ++result.cellsBuilt;
            }
        }
    }
    result.cellsBuilt += int(seen.size());
    std::sort(frames.begin(), frames.end());
    result.medianMs = frames.empty() ? 0 : frames[frames.size() / 2];
    const double rowHeight = table->numberOfRowsInSection(0) > 0
                                 ? table->rectForRowAtIndexPath({0, 0}).height()
                                 : table->rowHeight();
    result.cellsThatFit = int(std::ceil(table->height() / std::max(1.0, rowHeight))) + 1;
    return result;
}

// The baseline: plain text cells.
class PlainRows : public platform::ui::TableViewDataSource, public platform::ui::TableViewDelegate {
public:
    int numberOfRowsInSection(TableView*, int) override { return kRows; }
    TableViewCell* cellForRowAtIndexPath(TableView* table, const IndexPath& path) override {
        TableViewCell* cell = table->dequeueReusableCellWithIdentifier("plain");
        if (!cell) cell = new TableViewCell(TableViewCell::Style::Default, "plain");
        cell->textLabel()->setText(QString("合肥滨湖新区第%1批商品房预售许可公示").arg(path.row));
        return cell;
    }
    double heightForRowAtIndexPath(TableView*, const IndexPath&) override { return rowHeight; }
    double rowHeight = 80;
};

Scroll baseline(app::toveraAppDelegate& app, const QRectF& frame, double rowHeight) {
    PlainRows rows;
    rows.rowHeight = rowHeight;
    auto* table = new TableView(frame, TableView::Style::Plain);
    table->setDataSource(&rows);
    table->setDelegate(&rows);
    app.window()->addSubview(table);
    table->reloadData();
    const Scroll scroll = scrollThrough(table);
    delete table;
    return scroll;
}

// A list screen: the tour stop that opens it and its list once open.
struct ListScreen {
    const char* name;
    const char* stop;
    std::function<QXViewController*(app::toveraAppDelegate&)> list;
    std::function<TableView*(QXViewController*)> table;
};

template <class Screen>
Screen* top(app::toveraAppDelegate& app) {
    return qobject_cast<Screen*>(app.navigationController()->topViewController());
}

std::vector<ListScreen> listScreens() {
    return {
        {"home list", "home",
         [](app::toveraAppDelegate& app) -> QXViewController* { return top<Tovera>(app); },
         [](QXViewController* l) { return qobject_cast<Tovera*>(l)->tableView(); }},
        {"news list", "news",
         [](app::toveraAppDelegate& app) -> QXViewController* {
             auto* news = top<News>(app);
             return news ? news->newsListController() : nullptr;
         },
         [](QXViewController* l) { return qobject_cast<NewsList*>(l)->tableView(); }},
        {"project list", "project-list",
         [](app::toveraAppDelegate& app) -> QXViewController* {
             auto* projects = top<ToveraList>(app);
             return projects ? projects->list() : nullptr;
         },
         [](QXViewController* l) { return qobject_cast<HouseTableView*>(l)->tableView(); }},
        {"listing list", "listings",
         [](app::toveraAppDelegate& app) -> QXViewController* { return top<HouseList>(app); },
         [](QXViewController* l) { return qobject_cast<HouseList*>(l)->tableView(); }},
        {"inbox", "messages",
         [](app::toveraAppDelegate& app) -> QXViewController* {
             auto* inbox = top<MessageHome>(app);
             return inbox ? inbox->msgController() : nullptr;
         },
         [](QXViewController* l) { return qobject_cast<MessageList*>(l)->tableView(); }},
    };
}

// The stop's rows repeated to kRows, no more pages to come.
void fillTo1000Rows(QXViewController* list) {
    const Array loaded = list->items();
    Array rows;
    for (int i = 0; i < kRows; ++i)
        rows.push_back(loaded[std::size_t(i) % loaded.size()]);
    list->items() = std::move(rows);
}

}  // namespace

int main(int argc, char** argv) {
    bench::EmbeddedApp embedded(argc, argv);
    if (!embedded.started()) return 1;
    app::toveraAppDelegate& app = embedded.delegate();
    app::Tour tour(app);
    tour.setPatience(std::chrono::seconds(20));
    int failures = 0;
    for (const ListScreen& screen : listScreens()) {
        const auto stop =
            std::find_if(app::tourStops().begin(), app::tourStops().end(),
                         [&](const app::TourStop& s) { return s.name == screen.stop; });
        QXViewController* list =
            stop != app::tourStops().end() && stop->arrive(tour) ? screen.list(app) : nullptr;
        if (!list || list->items().empty()) {
            std::fprintf(stderr, "%s: the screen did not show rows\n", screen.name);
            ++failures;
            continue;
        }
        tour.waitFor([] { return true; });
        fillTo1000Rows(list);
        TableView* table = screen.table(list);
        table->reloadData();
        tour.waitFor([] { return true; });
        const Scroll ours = scrollThrough(table);
        const double rowHeight = table->rectForRowAtIndexPath({0, 0}).height();
        const QRectF frame(0, 64, table->width(), table->height());
        const Scroll plain = baseline(app, frame, rowHeight);
        const std::string name = screen.name;
        using bench::reportFigure;
        reportFigure({name + ", 1000 rows: median frame", ours.medianMs, "ms", 0, 8});
        reportFigure({name + ", 1000 rows: frame against plain text cells", ours.medianMs, "ms",
                      plain.medianMs, 2});
        reportFigure({name + ", 1000 rows: cells built", double(ours.cellsBuilt), "cells", 0,
                      double(ours.cellsThatFit + kSpareCells)});
        // The rows go back to what the service sent, for the next stop.
        list->items().clear();
        table->reloadData();
    }
    return failures == 0 ? 0 : 1;
}
