// Acting on views as a user with a mouse and a keyboard would: every event
// goes through the window, so scroll views, buttons and cells see what they
// would see from a real pointer. Event times are simulated, not waited for.
#pragma once

#include <QPointF>
#include <QString>
#include <Qt>

class QWidget;

namespace tovera::platform::ui::testing {

/// Taps the middle of `widget` (or `point` in its coordinates). Returns
/// false when the widget is not on screen.
bool tap(QWidget* widget);
bool tapAt(QWidget* widget, const QPointF& point);
/// Two taps in quick succession.
bool doubleTap(QWidget* widget, const QPointF& point);

struct DragOptions {
    int steps = 10;
    int msPerStep = 16;
    /// Keep still at the end before releasing, so nothing flings.
    bool holdBeforeRelease = true;
    /// Leave the mouse pressed (finish with release()).
    bool keepPressed = false;
};

/// Presses at `start` (widget coordinates), moves by `delta` points in
/// steps, and releases. A pull of N points down is `drag(view, p, {0, N})`.
bool drag(QWidget* widget, const QPointF& start, const QPointF& delta, DragOptions options = {});
/// Releases a drag left pressed, where the pointer is.
void release();

/// Gives `widget` (or the text input inside it) the focus and types `text`
/// character by character, as a keyboard with an input method would.
bool type(QWidget* widget, const QString& text);
/// Presses and releases one key (with `modifiers`) on the focused widget,
/// or on the key window when nothing has the focus.
void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace tovera::platform::ui::testing
