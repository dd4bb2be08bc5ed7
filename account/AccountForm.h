// The building blocks the account screens share: a scrolling form area,
// captioned text fields and switches placed by row, a form button, and the
// character count their length checks use.
#pragma once

#include <QList>
#include <QRectF>
#include <QString>

namespace tovera::platform::ui {
class Button;
class ScrollView;
class Switch;
class TextField;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class AccountForm {
public:
    /// Height of one field row, and the gap between rows.
    static constexpr double kRowHeight = 32;
    static constexpr double kRowGap = 12;

    /// The top edge of form row `row` (from 0).
    static double rowTop(int row) { return 30 + row * (kRowHeight + kRowGap); }
    /// A screen-sized view holding a scroll view of its full size (returned)
    /// in which the form is laid out; `root` receives the screen's view.
    static platform::ui::ScrollView* scrollForm(platform::ui::View*& root);
    /// A caption on the left of row `row` and a bordered text field beside it.
    static platform::ui::TextField* addField(platform::ui::View* parent, int row,
                                             const QString& caption, bool secure);
    /// A short caption and a switch beside it in half `column` (0 or 1) of
    /// row `row`: two switches share a row, which keeps a form short enough
    /// to show above the keyboard.
    static platform::ui::Switch* addSwitch(platform::ui::View* parent, int row, int column,
                                           const QString& caption);
    /// A button in the skin colour.
    static platform::ui::Button* addButton(platform::ui::View* parent, const QRectF& frame,
                                           const QString& title);

    /// Characters as a user counts them (code points, not UTF-16 units).
    static int characterCount(const QString& text) { return int(text.toUcs4().size()); }
    /// Whether the text has fewer than `min` or more than `max` characters.
    static bool lengthOutside(const QString& text, int min, int max) {
        const int n = characterCount(text);
        return n < min || n > max;
    }
};

}  // namespace tovera
