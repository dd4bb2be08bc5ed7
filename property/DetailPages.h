// The content area of a detail screen whose buttons switch pages: one page
// at a time. The summary page is kept for the screen's life and scrolls by
// itself over the area; every other page, or the view of another screen
// shown as a page, is made anew and goes (with its screen) when the next one
// is shown.
#pragma once

#include <QPointer>

#include "platform/ui/navigation/ViewController.h"

#include <QStringList>

namespace tovera::platform::ui {
class ScrollView;
class TabBar;
class TabBarDelegate;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;

class DetailPages {
public:
    /// The views of a detail screen: the page buttons' strip at the top, the
    /// content area, and the tab bar at the bottom.
    struct Layout {
        platform::ui::View* root;
        ButtonsView* buttons;
        platform::ui::ScrollView* content;
        platform::ui::TabBar* tabBar;
    };
    /// Makes those views, the tab bar with `tabs` (tags by position) told to
    /// `delegate`.
    static Layout layout(const QStringList& tabs, platform::ui::TabBarDelegate* delegate);

    /// How a page other than the summary takes the area.
    enum class Fit { Fill, OwnHeight };

    /// Pages go into `area`; `summary` (a sibling of the area in the
    /// screen's view) is the kept one; `owner` owns the screens shown.
    DetailPages(platform::ui::ScrollView* area, platform::ui::ScrollView* summary,
                platform::ui::ViewController* owner);

    /// Shows `page`: filling the area, or as high as it is with the area
    /// scrolling it.
    void show(QWidget* page, Fit fit = Fit::Fill);
    /// Shows `screen`'s view as the page; the screen then belongs to the owner.
    void showScreen(platform::ui::ViewController* screen);

    QWidget* current() const { return page_; }
    platform::ui::ViewController* screen() const { return screen_; }

private:
    platform::ui::ScrollView* area_;
    platform::ui::ScrollView* summary_;
    platform::ui::ViewController* owner_;
    QPointer<QWidget> page_;
    QPointer<platform::ui::ViewController> screen_;
};

}  // namespace tovera
