// Every screen of the tour, read as a screen reader reads it: each control
// a user can act on that shows in the window (buttons, switches, tab items,
// fields, text boxes, list rows, map pins) answers with a role and a name,
// and the press action of a control does what a click does.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>

#include <string>

#include "app/Tour.h"
#include "platform/ui/accessibility/Accessibility.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/testing/Wait.h"
#include "property/Tovera.h"
#include "tests/app/ServiceHome.h"
#include "tests/app/TourApp.h"

using namespace tovera;
using namespace tovera::app;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::testing::ServiceHome;
using tovera::testing::TourApp;

namespace {

// Whether `widget` shows in the window: visible, with its middle inside
// every view that holds it.
bool onScreen(const QWidget* widget, const QWidget* window) {
    if (!widget->isVisibleTo(window) || widget->width() < 2 || widget->height() < 2) return false;
    const QPoint middle = widget->rect().center();
    for (const QWidget* w = widget; w && w != window; w = w->parentWidget())
        if (!w->rect().contains(widget->mapTo(w, middle))) return false;
    return true;
}

std::string describe(const QWidget* widget, const QWidget* window) {
    const QPoint at = widget->mapTo(window, QPoint());
    return std::string(widget->metaObject()->className()) + " at " + std::to_string(at.x()) + "," +
           std::to_string(at.y()) + " " + std::to_string(widget->width()) + "x" +
           std::to_string(widget->height());
}

class AccessibilityWalk : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app_.launch()); }
    Window* window() { return app_.app().window(); }

    // The interactive views on screen that a reader could not name.
    std::vector<std::string> unnamed() {
        std::vector<std::string> found;
        for (QWidget* widget : window()->findChildren<QWidget*>()) {
            if (!accessibility::isInteractive(widget) || !onScreen(widget, window())) continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
            if (!face) {
                found.push_back(describe(widget, window()) + ": no interface");
                continue;
            }
            const QAccessible::Role role = face->role();
            if (role == QAccessible::NoRole || role == QAccessible::Client ||
                role == QAccessible::Pane)
                found.push_back(describe(widget, window()) + ": no role");
            if (face->text(QAccessible::Name).trimmed().isEmpty())
                found.push_back(describe(widget, window()) + ": no name");
        }
        return found;
    }

    ServiceHome service_;
    TourApp app_;
};

TEST_F(AccessibilityWalk, EveryControlOfEveryScreenHasARoleAndAName) {
    Tour tour(app_.app());
    tour.setPatience(std::chrono::seconds(10));
    for (const TourStop& stop : tourStops()) {
        if (stop.name == "splash") continue;
        ASSERT_TRUE(stop.arrive(tour)) << stop.name;
        tour.waitFor([] { return false; }, std::chrono::milliseconds(150));
        for (const std::string& problem : unnamed())
            ADD_FAILURE() << stop.name << ": " << problem;
    }
}

TEST_F(AccessibilityWalk, ATabItemIsAPageTabAndItsPressActionChoosesIt) {
    Tovera* home = app_.home();
    ASSERT_TRUE(home);
    TabBar* bar = nullptr;
    for (TabBar* candidate : window()->findChildren<TabBar*>())
        if (onScreen(candidate, window())) bar = candidate;
    ASSERT_TRUE(bar);
    ASSERT_GE(bar->items().size(), 2);
    QWidget* second = bar->viewForItem(bar->items().at(1));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(second);
    ASSERT_TRUE(face);
    EXPECT_EQ(face->role(), QAccessible::PageTab);
    EXPECT_EQ(face->text(QAccessible::Name), bar->items().at(1)->title());
    EXPECT_FALSE(face->state().selected);
    QAccessibleActionInterface* actions = face->actionInterface();
    ASSERT_TRUE(actions);
    actions->doAction(QAccessibleActionInterface::pressAction());
    processEvents();
    EXPECT_TRUE(face->state().selected);
    EXPECT_EQ(bar->selectedItem(), bar->items().at(1));
}

}  // namespace
