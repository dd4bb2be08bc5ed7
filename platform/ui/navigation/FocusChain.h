// Tab and Shift+Tab for a desktop keyboard: the keyboard focus walks the
// fields and controls that show in the front layer of the window (an
// alert, a sheet or a picker when one is up, else the screen with its bars)
// in reading order, top to bottom and left to right, whatever order the
// screen made them in. A ring is drawn around the control that has the
// focus so the user sees where Enter or Space will act.
#pragma once

#include "platform/ui/views/View.h"

#include <QPointer>
#include <QTimer>

namespace tovera::platform::ui {

class Window;

class FocusChain {
public:
    /// The views Tab reaches in `window`, in reading order.
    static QList<QWidget*> reachable(Window* window);
    /// Moves the focus to the next (or previous) reachable view, wrapping
    /// around; false when there is none.
    static bool move(Window* window, bool forward);
    /// The control the keyboard acts on with Enter or Space: the focused
    /// control that is not a text field, when it shows.
    static class Control* focusedControl(Window* window);
};

/// The ring around the focused view; it follows it as it moves or scrolls
/// and hides when the focus leaves the reachable views.
class FocusRing : public View {
    Q_OBJECT
public:
    explicit FocusRing(Window* window);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    Window* window_;
    QPointer<QWidget> target_;
    QTimer tracking_;
};

}  // namespace tovera::platform::ui
