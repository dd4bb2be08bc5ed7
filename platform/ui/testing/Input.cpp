#include "platform/ui/testing/Input.h"

#include "platform/ui/navigation/Window.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTextEdit>
#include <QWidget>
#include <QWindow>

namespace tovera::platform::ui::testing {

namespace {

// Simulated event time (ms); every gesture starts well after the last one so
// no two taps ever make a double click by accident.
int eventClock = 1000000;

struct Pressed {
    QPointer<QWidget> window;
    QPointF local;
};
Pressed pressed;

bool locate(QWidget* widget, const QPointF& point, QWindow** handle, QPointF* local) {
    if (!widget || !widget->isVisible()) return false;
    QWidget* top = widget->window();
    if (!top->windowHandle()) return false;
    *handle = top->windowHandle();
    *local = widget->mapTo(top, point);
    return true;
}

void send(QWindow* handle, const QPointF& local, Qt::MouseButtons state, Qt::MouseButton button,
          QEvent::Type type) {
    const QPointF global = handle->mapToGlobal(local.toPoint()) + (local - local.toPoint());
    qt_handleMouseEvent(handle, local, global, state, button, type, Qt::NoModifier, eventClock);
}

QWidget* textInputIn(QWidget* widget) {
    auto isInput = [](QWidget* w) {
        return qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
               qobject_cast<QPlainTextEdit*>(w);
    };
    if (isInput(widget)) return widget;
    for (QWidget* child : widget->findChildren<QWidget*>())
        if (isInput(child)) return child;
    return nullptr;
}

}  // namespace

bool tapAt(QWidget* widget, const QPointF& point) {
    QWindow* handle = nullptr;
    QPointF local;
    if (!locate(widget, point, &handle, &local)) return false;
    eventClock += 1000;
    send(handle, local, Qt::NoButton, Qt::NoButton, QEvent::MouseMove);
    eventClock += 10;
    send(handle, local, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    eventClock += 60;
    send(handle, local, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    QApplication::processEvents();
    return true;
}

bool tap(QWidget* widget) {
    if (!widget) return false;
    return tapAt(widget, QRectF(widget->rect()).center());
}

bool doubleTap(QWidget* widget, const QPointF& point) {
    QWindow* handle = nullptr;
    QPointF local;
    if (!locate(widget, point, &handle, &local)) return false;
    eventClock += 1000;
    for (int i = 0; i < 2; ++i) {
        eventClock += 40;
        send(handle, local, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
        eventClock += 40;
        send(handle, local, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    }
    QApplication::processEvents();
    return true;
}

bool drag(QWidget* widget, const QPointF& start, const QPointF& delta, DragOptions options) {
    QWindow* handle = nullptr;
    QPointF local;
    if (!locate(widget, start, &handle, &local)) return false;
    eventClock += 1000;
    send(handle, local, Qt::NoButton, Qt::NoButton, QEvent::MouseMove);
    eventClock += 10;
    send(handle, local, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    const int steps = std::max(1, options.steps);
    for (int i = 1; i <= steps; ++i) {
        eventClock += std::max(1, options.msPerStep);
        send(handle, local + delta * (double(i) / steps), Qt::LeftButton, Qt::NoButton,
             QEvent::MouseMove);
    }
    const QPointF end = local + delta;
    if (options.holdBeforeRelease) {
        eventClock += 200;
        send(handle, end, Qt::LeftButton, Qt::NoButton, QEvent::MouseMove);
    }
    pressed = {widget->window(), end};
    if (!options.keepPressed) release();
    QApplication::processEvents();
    return true;
}

void release() {
    if (!pressed.window || !pressed.window->windowHandle()) return;
    eventClock += 5;
    send(pressed.window->windowHandle(), pressed.local, Qt::NoButton, Qt::LeftButton,
         QEvent::MouseButtonRelease);
    pressed = {};
    QApplication::processEvents();
}

bool type(QWidget* widget, const QString& text) {
    QWidget* input = widget ? textInputIn(widget) : nullptr;
    if (!input || !input->isVisible()) return false;
    input->window()->activateWindow();
    input->setFocus(Qt::OtherFocusReason);
    // One character at a time: a character beyond the basic plane (an
    // emoji) is one commit of its two halves, never two.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        QInputMethodEvent event;
        event.setCommitString(text.mid(i, length));
        QCoreApplication::sendEvent(input, &event);
        i += length - 1;
    }
    QApplication::processEvents();
    return true;
}

void pressKey(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) focus = Window::keyWindow();
    if (!focus) return;
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) text = QStringLiteral("\r");
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    // Each press its own time, as a real keyboard's have.
    static quint64 clock = 1;
    press.setTimestamp(++clock);
    release.setTimestamp(clock);
    QCoreApplication::sendEvent(focus, &press);
    QCoreApplication::sendEvent(focus, &release);
    QApplication::processEvents();
}

}  // namespace tovera::platform::ui::testing
