#include "platform/ui/lists/DragTracker.h"

#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/views/Control.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>

namespace tovera::platform::ui {

MouseEventKey MouseEventKey::of(const QMouseEvent* event) {
    return MouseEventKey{int(event->type()), event->timestamp(), event->globalPosition()};
}

void DragTracker::install() {
    static DragTracker* tracker = nullptr;
    if (tracker || !QCoreApplication::instance()) return;
    tracker = new DragTracker(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(tracker);
}

DragTracker::DragTracker(QObject* parent) : QObject(parent) {}

bool DragTracker::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (synthesizing_ || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
                          type != QEvent::MouseMove && type != QEvent::MouseButtonRelease))
        return false;
    // A mouse event travels up the parents; each hop passes this filter.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;  // the window's copy; the widgets' copies follow
    auto* mouse = static_cast<QMouseEvent*>(event);
    const MouseEventKey key = MouseEventKey::of(mouse);
    if (key == last_) return state_ == State::Dragging;
    last_ = key;
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (mouse->button() == Qt::LeftButton) pressed(widget, mouse);
            return false;
        case QEvent::MouseMove:
            return moved(mouse);
        case QEvent::MouseButtonRelease:
            return released(mouse);
        default:
            return false;
    }
}

void DragTracker::pressed(QWidget* receiver, QMouseEvent* event) {
    state_ = State::Idle;
    chain_.clear();
    active_ = nullptr;
    for (QWidget* w = receiver; w && !w->isWindow(); w = w->parentWidget()) {
        // Views that drag on their own (maps, pickers) keep their drags.
        if (chain_.isEmpty() && w->property("toveraHandlesDrag").toBool()) return;
        if (auto* scroll = qobject_cast<ScrollView*>(w);
            scroll && scroll->isScrollEnabled() && scroll->isUserInteractionEnabled())
            chain_ << scroll;
    }
    if (chain_.isEmpty()) return;
    for (const auto& scroll : chain_)
        scroll->touchBegan();
    state_ = State::Pending;
    receiver_ = receiver;
    pressGlobal_ = event->globalPosition();
    pressTime_ = qint64(event->timestamp());
}

bool DragTracker::moved(QMouseEvent* event) {
    if (state_ == State::Idle) return false;
    if (!(event->buttons() & Qt::LeftButton)) {
        state_ = State::Idle;
        return false;
    }
    if (state_ == State::Dragging) {
        if (active_) active_->dragMove(event->globalPosition(), qint64(event->timestamp()));
        return true;
    }
    const QPointF delta = event->globalPosition() - pressGlobal_;
    if (std::hypot(delta.x(), delta.y()) < kDragThreshold) return false;
    const bool mostlyVertical = std::abs(delta.y()) >= std::abs(delta.x());
    ScrollView* taker = nullptr;
    for (const auto& scroll : chain_) {
        if (!scroll) continue;
        const bool fits =
            mostlyVertical ? scroll->canScrollVertically() : scroll->canScrollHorizontally();
        if (fits) {
            taker = scroll;
            break;
        }
    }
    if (!taker) {
        // Nothing here scrolls that way: the press carries on as it is.
        state_ = State::Idle;
        return false;
    }
    state_ = State::Dragging;
    active_ = taker;
    cancelPress(taker);
    taker->beginDrag(pressGlobal_, pressTime_);
    taker->dragMove(event->globalPosition(), qint64(event->timestamp()));
    return true;
}

bool DragTracker::released(QMouseEvent* event) {
    const State state = state_;
    state_ = State::Idle;
    if (state != State::Dragging) return false;
    if (active_) active_->endDrag(event->globalPosition(), qint64(event->timestamp()));
    active_ = nullptr;
    return true;
}

void DragTracker::cancelPress(ScrollView* taker) {
    // Whatever took the press below the scroll view lets go without acting:
    // toolkit views hear a cancel, other widgets a release far outside them.
    for (QWidget* w = receiver_; w && w != taker; w = w->parentWidget()) {
        if (qobject_cast<View*>(w)) {
            QEvent cancel(Control::touchCancelEventType());
            QCoreApplication::sendEvent(w, &cancel);
        } else {
            synthesizing_ = true;
            const QPointF far(-100000, -100000);
            QMouseEvent release(QEvent::MouseButtonRelease, far, far, Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            QCoreApplication::sendEvent(w, &release);
            synthesizing_ = false;
        }
    }
}

}  // namespace tovera::platform::ui
