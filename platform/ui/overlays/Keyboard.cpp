#include "platform/ui/overlays/Keyboard.h"

#include "platform/ui/views/Geometry.h"
#include "platform/ui/views/View.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>

namespace tovera::platform::ui {

Keyboard& Keyboard::shared() {
    static Keyboard* keyboard = new Keyboard;  // lives as long as the process
    return *keyboard;
}

Keyboard::Keyboard() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, [this] { scheduleSettle(); });
}

namespace {
bool& onScreenFlag() {
    static bool on = false;
    return on;
}
}  // namespace

bool Keyboard::onScreen() {
    return onScreenFlag();
}

void Keyboard::setOnScreen(bool on) {
    onScreenFlag() = on;
}

QRectF Keyboard::shownFrame() {
    const double height = onScreen() ? kKeyboardHeight : 0;
    return QRectF(0, kScreenHeight - height, kScreenWidth, height);
}

bool Keyboard::isTextInput(const QWidget* widget) {
    if (!widget || !widget->isEnabled()) return false;
    if (widget->property("toveraTextInput").toBool()) return true;
    if (auto* line = qobject_cast<const QLineEdit*>(widget)) return !line->isReadOnly();
    if (auto* text = qobject_cast<const QTextEdit*>(widget)) return !text->isReadOnly();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) return !plain->isReadOnly();
    return false;
}

void Keyboard::dismiss() {
    if (QWidget* focus = QApplication::focusWidget(); focus && isTextInput(focus))
        focus->clearFocus();
    scheduleSettle();
}

void Keyboard::focusNextInput() {
    QWidget* from = input_ ? input_.data() : QApplication::focusWidget();
    if (!from) return;
    for (QWidget* next = from->nextInFocusChain(); next && next != from;
         next = next->nextInFocusChain()) {
        if (next->window() == from->window() && isTextInput(next) && next->isVisible()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    dismiss();
}

double Keyboard::heightAbove(const QWidget* view, const QRectF& keyboardFrame) {
    const double height = view->height();
    if (keyboardFrame.isEmpty()) return height;
    const double top = keyboardFrame.top() - view->mapTo(View::rootView(view), QPointF(0, 0)).y();
    return std::clamp(top, 0.0, height);
}

void Keyboard::scheduleSettle() {
    // Focus moves in steps (out of one widget, into another, or through a
    // widget being destroyed); the keyboard follows where it ends up.
    if (settlePending_) return;
    settlePending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { settle(); }, Qt::QueuedConnection);
}

void Keyboard::settle() {
    settlePending_ = false;
    QWidget* focus = QApplication::focusWidget();
    const bool wanted = isTextInput(focus) && focus->isVisible();
    const QRectF shown = shownFrame();
    const QRectF below = shown.translated(0, shown.height());
    if (wanted && (!visible_ || focus != input_)) {
        const KeyboardInfo info{visible_ ? shown : below, shown};
        input_ = focus;
        visible_ = true;
        emit willShow(info);
        emit didShow(info);
    } else if (!wanted && visible_) {
        const KeyboardInfo info{shown, below};
        input_ = nullptr;
        visible_ = false;
        emit willHide(info);
        emit didHide(info);
    }
}

}  // namespace tovera::platform::ui
