#include "platform/ui/lists/ScrollView.h"

#include "platform/ui/lists/DragTracker.h"
#include "platform/ui/views/Animation.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

namespace tovera::platform::ui {

namespace {

constexpr qint64 kVelocityWindowMs = 100;
constexpr double kFlingThreshold = 120;      // points per second
constexpr double kPageFlingThreshold = 300;  // points per second
constexpr double kFlingTravel = 0.35;        // seconds of travel at release speed
constexpr Timers::Duration kSnapDuration{300};
constexpr Timers::Duration kIndicatorLinger{500};
constexpr double kWheelStep = 40;  // points per wheel notch
constexpr double kIndicatorWidth = 3;

double sign(double v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

}  // namespace

ScrollView::ScrollView(QWidget* parent) : ScrollView(QRectF(), parent) {}

ScrollView::ScrollView(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    DragTracker::install();
    for (View** indicator : {&verticalIndicator_, &horizontalIndicator_}) {
        *indicator = new View(this);
        (*indicator)->setFixedInScroll(true);
        (*indicator)->setBackgroundColor(QColor(0, 0, 0, 115));
        (*indicator)->setCornerRadius(kIndicatorWidth / 2);
        (*indicator)->setUserInteractionEnabled(false);
        (*indicator)->setHidden(true);
    }
}

ScrollView::~ScrollView() {
    Animation::cancel(animation_);
    timers().cancel(indicatorTimer_);
}

void ScrollView::setContentSize(const QSizeF& size) {
    contentSize_ = size.expandedTo(QSizeF(0, 0));
    updateIndicators();
}

void ScrollView::setContentOffset(const QPointF& offset, bool animated) {
    if (animated) {
        animateTo(offset, kSnapDuration, false);
        return;
    }
    stopAnimation();
    applyOffset(offset);
}

void ScrollView::setContentInset(const EdgeInsets& inset) {
    inset_ = inset;
    updateIndicators();
}

QPointF ScrollView::minimumOffset() const {
    return QPointF(-inset_.left, -inset_.top);
}

QPointF ScrollView::maximumOffset() const {
    const QSizeF size = frame().size();
    const QPointF min = minimumOffset();
    return QPointF(std::max(min.x(), contentSize_.width() + inset_.right - size.width()),
                   std::max(min.y(), contentSize_.height() + inset_.bottom - size.height()));
}

bool ScrollView::canScrollVertically() const {
    return scrollEnabled_ && (maximumOffset().y() > minimumOffset().y() || bounceVertical_);
}

bool ScrollView::canScrollHorizontally() const {
    return scrollEnabled_ && (maximumOffset().x() > minimumOffset().x() || bounceHorizontal_);
}

QPointF ScrollView::clamped(const QPointF& offset) const {
    const QPointF min = minimumOffset();
    const QPointF max = maximumOffset();
    return QPointF(std::clamp(offset.x(), min.x(), max.x()),
                   std::clamp(offset.y(), min.y(), max.y()));
}

QPointF ScrollView::rubberBanded(const QPointF& offset) const {
    if (!bounces_) return clamped(offset);
    // Past an edge the content follows the pointer, up to half the view.
    const QSizeF size = frame().size();
    const QPointF min = minimumOffset();
    const QPointF max = maximumOffset();
    return QPointF(
        std::clamp(offset.x(), min.x() - size.width() / 2, max.x() + size.width() / 2),
        std::clamp(offset.y(), min.y() - size.height() / 2, max.y() + size.height() / 2));
}

void ScrollView::scrollRectToVisible(const QRectF& rect, bool animated) {
    const QSizeF size = frame().size();
    QPointF target = offset_;
    if (rect.bottom() > target.y() + size.height()) target.setY(rect.bottom() - size.height());
    if (rect.top() < target.y()) target.setY(rect.top());
    if (rect.right() > target.x() + size.width()) target.setX(rect.right() - size.width());
    if (rect.left() < target.x()) target.setX(rect.left());
    target = clamped(target);
    if (target != offset_) setContentOffset(target, animated);
}

void ScrollView::applyOffset(const QPointF& offset) {
    if (offset == offset_) return;
    const QPointF old = offset_;
    offset_ = offset;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow()) continue;
        if (View* v = asView(w)) {
            if (!v->isFixedInScroll()) v->applyFrame();
            continue;
        }
        // A plain widget keeps its content position in a property.
        QVariant stored = w->property("toveraContentPos");
        const QPointF contentPos = stored.isValid() ? stored.toPointF() : QPointF(w->pos()) + old;
        w->setProperty("toveraContentPos", contentPos);
        w->move((contentPos - offset_).toPoint());
    }
    contentOffsetChanged();
    updateIndicators();
    if (auto* d = delegate_.get()) d->scrollViewDidScroll(this);
}

void ScrollView::layoutSubviews() {
    updateIndicators();
}

void ScrollView::childEvent(QChildEvent* event) {
    View::childEvent(event);
    // Indicators stay above the content.
    if (event->type() == QEvent::ChildAdded && verticalIndicator_ && horizontalIndicator_) {
        verticalIndicator_->raise();
        horizontalIndicator_->raise();
    }
}

void ScrollView::touchBegan() {
    stopAnimation();
}

void ScrollView::beginDrag(const QPointF& globalPos, qint64 time) {
    stopAnimation();
    dragging_ = true;
    dragStartPointer_ = globalPos;
    dragStartOffset_ = offset_;
    lockedAxis_ = 0;
    samples_.clear();
    samples_.push_back({time, globalPos});
    showIndicators();
    if (auto* d = delegate_.get()) d->scrollViewWillBeginDragging(this);
}

void ScrollView::dragMove(const QPointF& globalPos, qint64 time) {
    if (!dragging_) return;
    QPointF delta = globalPos - dragStartPointer_;
    const bool horizontal = canScrollHorizontally();
    const bool vertical = canScrollVertically();
    if (!horizontal) delta.setX(0);
    if (!vertical) delta.setY(0);
    if (directionalLock_ && horizontal && vertical && lockedAxis_ == 0 &&
        (std::abs(delta.x()) > 10 || std::abs(delta.y()) > 10))
        lockedAxis_ = std::abs(delta.x()) > std::abs(delta.y()) ? 1 : 2;
    if (lockedAxis_ == 1) delta.setY(0);
    if (lockedAxis_ == 2) delta.setX(0);
    applyOffset(rubberBanded(dragStartOffset_ - delta));
    samples_.push_back({time, globalPos});
    while (samples_.size() > 2 && time - samples_.front().time > kVelocityWindowMs)
        samples_.pop_front();
}

void ScrollView::endDrag(const QPointF& globalPos, qint64 time) {
    if (!dragging_) return;
    dragMove(globalPos, time);
    // The pointer's speed over its last moments; none when it rested.
    QPointF velocity;
    while (!samples_.empty() && time - samples_.front().time > kVelocityWindowMs)
        samples_.pop_front();
    if (samples_.size() >= 2) {
        const auto& first = samples_.front();
        const auto& last = samples_.back();
        const double dt = double(last.time - first.time) / 1000.0;
        if (dt > 0) velocity = -(last.pos - first.pos) / dt;
    }
    if (!canScrollHorizontally() || lockedAxis_ == 2) velocity.setX(0);
    if (!canScrollVertically() || lockedAxis_ == 1) velocity.setY(0);
    dragging_ = false;
    settle(velocity);
}

void ScrollView::settle(const QPointF& velocity) {
    auto target = [&] {
        if (paging_) {
            const QSizeF page = frame().size();
            auto axis = [&](double offset, double start, double v, double size, double max) {
                if (size <= 0) return offset;
                const double startPage = std::round(start / size);
                double p = std::abs(v) > kPageFlingThreshold ? startPage + sign(v)
                                                             : std::round(offset / size);
                p = std::clamp(p, 0.0, std::ceil(max / size));
                return std::clamp(p * size, 0.0, std::max(0.0, max));
            };
            const QPointF max = maximumOffset();
            return QPointF(
                axis(offset_.x(), dragStartOffset_.x(), velocity.x(), page.width(), max.x()),
                axis(offset_.y(), dragStartOffset_.y(), velocity.y(), page.height(), max.y()));
        }
        QPointF t = offset_;
        if (std::abs(velocity.x()) > kFlingThreshold) t.rx() += velocity.x() * kFlingTravel;
        if (std::abs(velocity.y()) > kFlingThreshold) t.ry() += velocity.y() * kFlingTravel;
        // A content already past an edge springs back rather than flying on.
        if (offset_ != clamped(offset_)) t = offset_;
        return clamped(t);
    };
    const bool willDecelerate = target() != offset_;
    if (auto* d = delegate_.get()) d->scrollViewDidEndDragging(this, willDecelerate);
    // The delegate may have changed the insets (a pull-to-refresh header).
    const QPointF destination = target();
    if (destination == offset_) {
        showIndicators();
        return;
    }
    const bool fling = !paging_ && offset_ == clamped(offset_);
    Timers::Duration duration = kSnapDuration;
    if (fling) {
        const double speed = std::max(1.0, std::hypot(velocity.x(), velocity.y()));
        const double distance =
            std::hypot(destination.x() - offset_.x(), destination.y() - offset_.y());
        duration = Timers::Duration(std::clamp(int(distance / speed * 2000), 250, 1200));
    }
    animateTo(destination, duration, true);
}

void ScrollView::animateTo(const QPointF& target, Timers::Duration duration, bool decelerating) {
    stopAnimation();
    decelerating_ = decelerating;
    const QPointF start = offset_;
    showIndicators();
    animation_ = Animation::run(
        this, duration,
        [this, start, target](double t) { applyOffset(start + (target - start) * t); },
        [this, decelerating] {
            animation_ = 0;
            decelerating_ = false;
            showIndicators();
            if (auto* d = delegate_.get()) {
                if (decelerating)
                    d->scrollViewDidEndDecelerating(this);
                else
                    d->scrollViewDidEndScrollingAnimation(this);
            }
        },
        Animation::Curve::EaseOut);
}

void ScrollView::stopAnimation() {
    if (animation_) Animation::cancel(animation_);
    animation_ = 0;
    decelerating_ = false;
}

void ScrollView::setZoomScale(double scale, bool animated) {
    setZoomScale(scale, QRectF(QPointF(), frame().size()).center(), animated);
}

void ScrollView::setZoomScale(double scale, const QPointF& anchor, bool animated) {
    View* zoomView = delegate_ ? delegate_->viewForZoomingInScrollView(this) : nullptr;
    if (!zoomView) return;
    scale = std::clamp(scale, minZoom_, std::max(minZoom_, maxZoom_));
    if (!zoomBaseSize_.isValid() || zoomBaseSize_.isEmpty())
        zoomBaseSize_ = zoomView->frame().size() / zoom_;
    const double from = zoom_;
    // The content point under the anchor stays under it.
    const QPointF point = (offset_ + anchor) / from;
    QPointer<View> guard(zoomView);
    auto apply = [this, guard, point, anchor](double s) {
        if (!guard) return;
        zoom_ = s;
        const QSizeF size = zoomBaseSize_ * s;
        guard->setFrame(QRectF(QPointF(), size));
        contentSize_ = size;
        stopAnimation();
        applyOffset(clamped(point * s - anchor));
        if (auto* d = delegate_.get()) d->scrollViewDidZoom(this);
    };
    zooming_ = true;
    Animation::run(
        this, animated ? Timers::Duration(300) : Timers::Duration(0),
        [apply, from, scale](double t) { apply(from + (scale - from) * t); },
        [this, guard, scale] {
            zooming_ = false;
            if (auto* d = delegate_.get()) d->scrollViewDidEndZooming(this, guard, scale);
        });
}

void ScrollView::mousePressEvent(QMouseEvent* event) {
    // A press on the scroll view itself (not on a subview that takes it)
    // belongs to it, so a drag can start there.
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        event->ignore();
}

void ScrollView::wheelEvent(QWheelEvent* event) {
    if (!scrollEnabled_) {
        event->ignore();
        return;
    }
    QPointF steps = QPointF(event->angleDelta()) / 120.0;
    if (event->modifiers() & Qt::ControlModifier) {
        if (delegate_ && delegate_->viewForZoomingInScrollView(this)) {
            setZoomScale(zoom_ * std::pow(1.1, steps.y()), event->position(), false);
            event->accept();
            return;
        }
    }
    QPointF delta =
        event->pixelDelta().isNull() ? steps * kWheelStep : QPointF(event->pixelDelta());
    if (!canScrollVertically() && canScrollHorizontally() && delta.x() == 0)
        delta = QPointF(delta.y(), 0);
    if (!canScrollHorizontally()) delta.setX(0);
    if (!canScrollVertically()) delta.setY(0);
    QPointF target;
    if (paging_) {
        const QSizeF page = frame().size();
        target = offset_ - QPointF(sign(delta.x()) * page.width(), sign(delta.y()) * page.height());
    } else {
        target = offset_ - delta;
    }
    target = clamped(target);
    if (target == offset_) {
        event->ignore();  // an outer scroll view may take it
        return;
    }
    event->accept();
    if (paging_) {
        animateTo(target, kSnapDuration, true);
        return;
    }
    stopAnimation();
    showIndicators();
    applyOffset(target);
}

void ScrollView::showIndicators() {
    // The indicators show while the content moves and a moment after.
    timers().cancel(indicatorTimer_);
    indicatorTimer_ = 0;
    if (!dragging_ && !decelerating_) {
        QPointer<ScrollView> guard(this);
        indicatorTimer_ = timers().schedule(kIndicatorLinger, [guard] {
            if (!guard) return;
            guard->indicatorTimer_ = 0;
            guard->updateIndicators();
        });
    }
    updateIndicators();
}

void ScrollView::updateIndicators() {
    if (!verticalIndicator_) return;
    const QSizeF size = frame().size();
    const bool visible = dragging_ || decelerating_ || indicatorTimer_ != 0;
    auto place = [&](View* indicator, bool vertical) {
        const double viewLength = vertical ? size.height() : size.width();
        const double contentLength = vertical ? contentSize_.height() : contentSize_.width();
        const double offset = vertical ? offset_.y() : offset_.x();
        const bool shows = vertical ? showsVertical_ : showsHorizontal_;
        if (!visible || !shows || contentLength <= viewLength || viewLength <= 0) {
            indicator->setHidden(true);
            return;
        }
        const double track = viewLength - 2 * kIndicatorWidth;
        double length = std::max(12.0, track * viewLength / contentLength);
        double position = (offset / (contentLength - viewLength)) * (track - length);
        // Past an edge the indicator shrinks instead of leaving its track.
        if (position < 0) {
            length = std::max(6.0, length + position);
            position = 0;
        }
        if (position + length > track) {
            const double over = position + length - track;
            length = std::max(6.0, length - over);
            position = track - length;
        }
        if (vertical)
            indicator->setFrame(QRectF(size.width() - kIndicatorWidth - 2,
                                       kIndicatorWidth + position, kIndicatorWidth, length));
        else
            indicator->setFrame(QRectF(kIndicatorWidth + position,
                                       size.height() - kIndicatorWidth - 2, length,
                                       kIndicatorWidth));
        indicator->setHidden(false);
        indicator->raise();
    };
    place(verticalIndicator_, true);
    place(horizontalIndicator_, false);
}

}  // namespace tovera::platform::ui
