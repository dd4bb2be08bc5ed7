#include "platform/ui/views/Control.h"

#include <QMouseEvent>

namespace tovera::platform::ui {

namespace {

// A touch that leaves the control by less than this still counts as inside,
// as with a finger.
constexpr double kTrackingSlop = 70;

}  // namespace

Control::Control(QWidget* parent) : View(parent) {}

Control::Control(const QRectF& frame, QWidget* parent) : View(frame, parent) {}

QEvent::Type Control::touchCancelEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled_) setHighlighted(false);
    stateChanged();
}

void Control::setSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    stateChanged();
}

void Control::setHighlighted(bool highlighted) {
    if (highlighted == highlighted_) return;
    highlighted_ = highlighted;
    stateChanged();
}

void Control::setContentHorizontalAlignment(HorizontalAlignment alignment) {
    hAlign_ = alignment;
    setNeedsLayout();
}

void Control::sendTap() {
    if (!enabled_ || !isUserInteractionEnabled()) return;
    emit touchDown(this);
    tapped();
}

void Control::tapped() {
    emit touchUpInside(this);
}

bool Control::insideTrackingArea(const QPointF& point) const {
    return QRectF(rect())
        .adjusted(-kTrackingSlop, -kTrackingSlop, kTrackingSlop, kTrackingSlop)
        .contains(point);
}

void Control::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !enabled_) {
        event->ignore();
        return;
    }
    tracking_ = true;
    setHighlighted(true);
    emit touchDown(this);
    event->accept();
}

void Control::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a quick double tap is an ordinary press here.
    mousePressEvent(event);
}

void Control::mouseMoveEvent(QMouseEvent* event) {
    if (!tracking_) return;
    setHighlighted(insideTrackingArea(event->position()));
}

void Control::mouseReleaseEvent(QMouseEvent* event) {
    if (!tracking_ || event->button() != Qt::LeftButton) return;
    tracking_ = false;
    const bool inside = insideTrackingArea(event->position());
    setHighlighted(false);
    if (inside && enabled_)
        tapped();
    else
        emit touchUpOutside(this);
}

bool Control::event(QEvent* event) {
    if (event->type() == touchCancelEventType()) {
        if (tracking_) {
            tracking_ = false;
            setHighlighted(false);
            emit touchCancel(this);
        }
        return true;
    }
    return View::event(event);
}

}  // namespace tovera::platform::ui
