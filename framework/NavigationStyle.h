// The skinned look of the navigation bar and its buttons: a bar button
// created with a title and style is a custom button on the skin's button
// picture, sized by its title; the bar draws the skin's "top_bg"; editable
// text views get a thin grey frame.
#pragma once

#include <QString>

#include <functional>

#include "platform/ui/navigation/BarButtonItem.h"

namespace tovera::platform::ui {
class NavigationBar;
class NavigationItem;
class TextView;
}  // namespace tovera::platform::ui

namespace tovera {

class NavigationStyle {
public:
    /// A bar button item shown as a skinned custom button: title font 15
    /// points, background "top_back" (bordered and back styles) or
    /// "top_btn_bg" (plain), as wide as its title + 18 (back) or + 10 and as
    /// high as its title + 10. Without an action it goes back (the root
    /// screen's back). Changing the item's title measures the button again.
    static platform::ui::BarButtonItem* barButtonItem(const QString& title,
                                                      platform::ui::BarButtonItem::Style style,
                                                      std::function<void()> action = {});
    /// Sets the left item of `item` to a back-style "返回" going back.
    static void setBackItem(platform::ui::NavigationItem* item);
    /// The bar draws the skinned "top_bg" of the skin in use.
    static void applySkin(platform::ui::NavigationBar* bar);
    /// A 1-point grey frame around an editable text view.
    static void frameTextView(platform::ui::TextView* textView);
    /// A text view that only shows its text: not editable, the normal font,
    /// black on a clear background.
    static void readOnlyText(platform::ui::TextView* textView);
    /// The height a read-only text view `width` points wide needs for `text`.
    static double readOnlyTextHeight(const QString& text, double width);
};

}  // namespace tovera
