// Every button the tour's screens show, clicked once where it is drawn, on a
// fresh demo service: each click must change what the user sees (another
// screen, an overlay, a toggled or redrawn control) or send a request to the
// service; never nothing, never a crash. A button in a scrolling view is
// scrolled into sight first; one that another view covers fails, as the
// click lands on that view. Left out: disabled buttons, headings that take
// no clicks, the tab of the page already shown, and buttons a view clips
// away. Screens join the sweep by being in the tour.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPointer>

#include <chrono>
#include <string>
#include <vector>

#include "app/Tour.h"
#include "framework/ButtonsView.h"
#include "framework/ImageViewShow.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "tests/app/ServiceHome.h"
#include "tests/app/TourApp.h"

using namespace tovera;
using namespace tovera::app;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::testing::ServiceHome;
using tovera::testing::TourApp;

namespace {

constexpr auto kSettle = std::chrono::milliseconds(400);
constexpr auto kQuiet = std::chrono::milliseconds(300);
constexpr auto kAnswerTime = std::chrono::seconds(5);

// Whether the middle of `button` is inside every view that holds it (a
// view clips what lies outside it, so no click reaches it there).
bool inSight(Button* button, QWidget* window) {
    const QPoint middle = button->rect().center();
    for (QWidget* w = button; w && w != window; w = w->parentWidget())
        if (!w->rect().contains(button->mapTo(w, middle))) return false;
    return true;
}

// What a click at the middle of `button` lands on, when not the button
// itself or a view inside it.
QWidget* coveredBy(Button* button, QWidget* window) {
    QWidget* hit = window->childAt(button->mapTo(window, button->rect().center()));
    return hit == button || button->isAncestorOf(hit) ? nullptr : (hit ? hit : window);
}

// Whether the button and every view holding it take clicks.
bool takesClicks(QWidget* button) {
    for (QWidget* w = button; w; w = w->parentWidget())
        if (auto* view = qobject_cast<View*>(w); view && !view->isUserInteractionEnabled())
            return false;
    return true;
}

// The selected tab of a strip of page tabs: its page is the one showing.
bool isShownTab(const Button* button) {
    return button->isSelected() && qobject_cast<const ButtonsView*>(button->parentWidget());
}

// Scrolls every scroll view holding `button` so that it shows, well inside
// the view rather than at an edge a bar may cover, as a user scrolls to a
// button before clicking it.
void bringIntoSight(Button* button) {
    for (QWidget* w = button->parentWidget(); w; w = w->parentWidget()) {
        auto* scroll = qobject_cast<ScrollView*>(w);
        if (!scroll) continue;
        const QRectF shown(button->mapTo(scroll, QPoint()), QSizeF(button->size()));
        const double margin = scroll->frame().height() / 3;
        scroll->scrollRectToVisible(
            shown.translated(scroll->contentOffset()).adjusted(0, -margin, 0, margin), false);
    }
    processEvents();
}

// What the user sees and what the service heard, to tell whether a click did
// anything.
struct Look {
    std::vector<const ViewController*> screens;
    std::size_t requests = 0;
    QString alert;
    QString sheet;
    QString toast;
    QImage picture;

    bool operator==(const Look&) const = default;
};

class ButtonSweep : public ::testing::TestWithParam<const TourStop*> {
protected:
    void SetUp() override {
        // A blinking caret would make every screen with a field look busy.
        QApplication::setCursorFlashTime(0);
        ASSERT_TRUE(app_.launch());
    }

    Window* window() { return app_.app().window(); }

    Look look() {
        Look now;
        NavigationController* nav = app_.app().navigationController();
        for (const ViewController* vc : nav->viewControllers())
            now.screens.push_back(vc);
        for (const ViewController* modal = nav->modalViewController(); modal;
             modal = modal->modalViewController())
            now.screens.push_back(modal);
        now.requests = service_.service().operationCount();
        if (auto alert = currentAlert()) now.alert = alert->title + alert->message;
        if (auto sheet = currentActionSheet()) now.sheet = sheet->title;
        now.toast = currentToast();
        now.picture = window()->grab().toImage();
        return now;
    }

    // The stop's screen, freshly reached, with the buttons a click can reach.
    QList<QPointer<Button>> arrive(Tour& tour) {
        app_.leave();
        dismissOverlays();
        GetParam()->arrive(tour);
        waitFor([] { return false; }, kSettle);
        QList<QPointer<Button>> buttons;
        for (Button* button : findAllByClass<Button>(window()))
            if (button->isEnabled() && takesClicks(button) && !isShownTab(button))
                buttons << button;
        return buttons;
    }

    // Closes what the last click opened over the screens: alerts and sheets
    // by their cancel button, the picture viewer.
    void dismissOverlays() {
        if (ImageViewShow* viewer = ImageViewShow::inWindow(window())) viewer->setHidden(true);
        for (int i = 0; i < 5; ++i) {
            if (auto alert = currentAlert())
                answerAlert(alert->cancelIndex >= 0 ? alert->cancelIndex : 0);
            else if (auto sheet = currentActionSheet())
                answerActionSheet(sheet->cancelIndex >= 0 ? sheet->cancelIndex
                                                          : int(sheet->buttons.size()) - 1);
            else
                return;
            processEvents();
        }
    }

    static std::string describe(Button* button, QWidget* window) {
        const QPoint at = button->mapTo(window, button->rect().center());
        return "\"" + button->currentTitle().toStdString() + "\" (" +
               button->metaObject()->className() + ") at " + std::to_string(at.x()) + "," +
               std::to_string(at.y());
    }

    ServiceHome service_;
    TourApp app_;
};

TEST_P(ButtonSweep, EveryButtonDoesSomething) {
    Tour tour(app_.app());
    tour.setPatience(std::chrono::seconds(5));
    const int count = int(arrive(tour).size());
    for (int i = 0; i < count; ++i) {
        const QList<QPointer<Button>> buttons = arrive(tour);
        if (i >= buttons.size() || !buttons[i]) continue;
        const QPointer<Button> button = buttons[i];
        bringIntoSight(button);
        const std::string name = describe(button, window());
        if (!button || !inSight(button, window())) continue;
        // Quiet first: the answers and pictures of the arrival have landed.
        Look before = look();
        for (int wait = 0; wait < 5; ++wait) {
            waitFor([] { return false; }, kQuiet);
            Look again = look();
            if (again == before) break;
            before = std::move(again);
        }
        if (!button) continue;  // the screen rebuilt its rows meanwhile
        if (QWidget* cover = coveredBy(button, window())) {
            ADD_FAILURE() << GetParam()->name << ": the click on " << name << " lands on a "
                          << cover->metaObject()->className();
            continue;
        }
        ASSERT_TRUE(tap(button)) << name;
        const bool answered = waitFor([&] { return !(look() == before); }, kAnswerTime);
        EXPECT_TRUE(answered) << GetParam()->name << ": the click on " << name << " did nothing";
        dismissOverlays();
    }
}

std::vector<const TourStop*> everyStop() {
    std::vector<const TourStop*> stops;
    // The splash covers the whole window and has no button of its own.
    for (const TourStop& stop : tourStops())
        if (stop.name != "splash") stops.push_back(&stop);
    return stops;
}

INSTANTIATE_TEST_SUITE_P(EveryScreen, ButtonSweep, ::testing::ValuesIn(everyStop()),
                         [](const ::testing::TestParamInfo<const TourStop*>& stop) {
                             std::string name;
                             for (char c : stop.param->name)
                                 name += c == '-' ? '_' : c;
                             return name;
                         });

}  // namespace
