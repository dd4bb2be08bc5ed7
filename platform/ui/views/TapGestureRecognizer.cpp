#include "platform/ui/views/TapGestureRecognizer.h"

#include "platform/ui/lists/DragTracker.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>

#include <cmath>

namespace tovera::platform::ui {

namespace {

int doubleTapInterval() {
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

bool isInside(const QWidget* view, QObject* target) {
    for (auto* w = qobject_cast<QWidget*>(target); w; w = w->parentWidget())
        if (w == view) return true;
    return false;
}

}  // namespace

TapGestureRecognizer::TapGestureRecognizer(QWidget* view, int taps)
    : QObject(view), view_(view), taps_(std::clamp(taps, 1, 2)) {
    // Releases go to whichever widget took the press, so the whole
    // application is watched and filtered by where the press landed.
    QCoreApplication::instance()->installEventFilter(this);
}

TapGestureRecognizer::~TapGestureRecognizer() {
    timers().cancel(waiting_);
}

bool TapGestureRecognizer::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    if (!qobject_cast<QWidget*>(watched)) return false;  // the window's copy
    auto* mouse = static_cast<QMouseEvent*>(event);
    // Only the first widget that sees an event counts (the one under the pointer).
    const MouseEventKey key = MouseEventKey::of(mouse);
    if (key == last_) return false;
    last_ = key;
    if (!view_ || !view_->isVisible()) return false;
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            if (mouse->button() != Qt::LeftButton || !isInside(view_, watched)) {
                pressed_ = false;
                count_ = 0;
                return false;
            }
            const qint64 now = qint64(mouse->timestamp());
            if (count_ > 0 && now - lastRelease_ > doubleTapInterval()) count_ = 0;
            pressed_ = true;
            secondOfDouble_ = type == QEvent::MouseButtonDblClick;
            pressGlobal_ = mouse->globalPosition();
            timers().cancel(waiting_);
            waiting_ = 0;
            return false;
        }
        case QEvent::MouseMove: {
            if (!pressed_) return false;
            const QPointF d = mouse->globalPosition() - pressGlobal_;
            if (std::hypot(d.x(), d.y()) >= DragTracker::kDragThreshold) {
                pressed_ = false;  // a drag, not a tap
                count_ = 0;
            }
            return false;
        }
        case QEvent::MouseButtonRelease: {
            if (!pressed_ || mouse->button() != Qt::LeftButton) return false;
            pressed_ = false;
            ++count_;
            lastRelease_ = qint64(mouse->timestamp());
            location_ = view_->mapFromGlobal(mouse->globalPosition());
            if (count_ < taps_) return false;
            count_ = 0;
            // The second tap of a double tap belongs to the double-tap recogniser.
            if (waitFor_ && secondOfDouble_) return false;
            if (!waitFor_) {
                fire();
                return false;
            }
            // Wait until a second tap can no longer come (a new press
            // cancels the wait).
            QPointer<TapGestureRecognizer> guard(this);
            waiting_ = timers().schedule(Timers::Duration(doubleTapInterval()), [guard] {
                if (!guard) return;
                guard->waiting_ = 0;
                guard->fire();
            });
            return false;
        }
        default:
            return false;
    }
}

void TapGestureRecognizer::fire() {
    emit recognized(this);
}

}  // namespace tovera::platform::ui
