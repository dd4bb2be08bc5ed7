// A scrolling view: its subviews sit in content coordinates and move with
// the content offset. Dragging with the mouse scrolls (past the edges too,
// springing back), a quick swipe keeps it moving and slowing, paging snaps
// to whole pages, and a zoom view can be scaled between limits. The
// delegate hears did-scroll, the start and end of dragging (with whether it
// will decelerate), the end of decelerating and the zoom.
#pragma once

#include "platform/Timers.h"
#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"

#include <QElapsedTimer>
#include <QPointer>

#include <deque>

namespace tovera::platform::ui {

class ScrollView;

class ScrollViewDelegate {
public:
    virtual ~ScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(ScrollView*) {}
    virtual void scrollViewWillBeginDragging(ScrollView*) {}
    virtual void scrollViewDidEndDragging(ScrollView*, bool /*willDecelerate*/) {}
    virtual void scrollViewDidEndDecelerating(ScrollView*) {}
    virtual void scrollViewDidEndScrollingAnimation(ScrollView*) {}
    /// The view that zooming scales (null: no zooming).
    virtual View* viewForZoomingInScrollView(ScrollView*) { return nullptr; }
    virtual void scrollViewDidZoom(ScrollView*) {}
    virtual void scrollViewDidEndZooming(ScrollView*, View*, double /*scale*/) {}
};

class ScrollView : public View {
    Q_OBJECT
public:
    explicit ScrollView(QWidget* parent = nullptr);
    explicit ScrollView(const QRectF& frame, QWidget* parent = nullptr);
    ~ScrollView() override;

    ScrollViewDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(ScrollViewDelegate* delegate) { delegate_ = delegate; }

    QSizeF contentSize() const { return contentSize_; }
    void setContentSize(const QSizeF& size);
    /// The content point at the top-left of the view; negative while the
    /// content is pulled past its top or left edge.
    QPointF contentOffset() const { return offset_; }
    void setContentOffset(const QPointF& offset, bool animated = false);
    EdgeInsets contentInset() const { return inset_; }
    void setContentInset(const EdgeInsets& inset);
    /// Scrolls the least needed to show `rect` (content coordinates).
    void scrollRectToVisible(const QRectF& rect, bool animated);

    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool bounces() const { return bounces_; }
    void setBounces(bool bounces) { bounces_ = bounces; }
    bool alwaysBounceVertical() const { return bounceVertical_; }
    void setAlwaysBounceVertical(bool bounce) { bounceVertical_ = bounce; }
    bool alwaysBounceHorizontal() const { return bounceHorizontal_; }
    void setAlwaysBounceHorizontal(bool bounce) { bounceHorizontal_ = bounce; }
    bool isPagingEnabled() const { return paging_; }
    void setPagingEnabled(bool paging) { paging_ = paging; }
    void setShowsVerticalScrollIndicator(bool shows) { showsVertical_ = shows; }
    void setShowsHorizontalScrollIndicator(bool shows) { showsHorizontal_ = shows; }
    /// Once a drag goes mostly one way it stays on that axis (default on).
    void setDirectionalLockEnabled(bool locked) { directionalLock_ = locked; }

    double minimumZoomScale() const { return minZoom_; }
    void setMinimumZoomScale(double scale) { minZoom_ = scale; }
    double maximumZoomScale() const { return maxZoom_; }
    void setMaximumZoomScale(double scale) { maxZoom_ = scale; }
    double zoomScale() const { return zoom_; }
    /// Scales the zoom view, keeping the content point at the middle of the
    /// view in place (or `anchor`, in the view's own coordinates).
    void setZoomScale(double scale, bool animated = false);
    void setZoomScale(double scale, const QPointF& anchor, bool animated);

    bool isDragging() const { return dragging_; }
    bool isDecelerating() const { return decelerating_; }
    bool isZooming() const { return zooming_; }

    /// The offsets the content rests between (content inset included).
    QPointF minimumOffset() const;
    QPointF maximumOffset() const;
    bool canScrollVertically() const;
    bool canScrollHorizontally() const;

    QPointF subviewShift() const override { return offset_; }

    // Driven by the drag tracker (pointer positions in global points, event
    // times in milliseconds).
    void beginDrag(const QPointF& globalPos, qint64 time);
    void dragMove(const QPointF& globalPos, qint64 time);
    void endDrag(const QPointF& globalPos, qint64 time);
    /// A touch landed on the view: any scrolling animation stops.
    void touchBegan();

protected:
    /// Called after every offset change, before the delegate hears of it.
    virtual void contentOffsetChanged() {}
    void layoutSubviews() override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    void applyOffset(const QPointF& offset);
    void settle(const QPointF& velocity);
    void animateTo(const QPointF& target, Timers::Duration duration, bool decelerating);
    void stopAnimation();
    QPointF clamped(const QPointF& offset) const;
    QPointF rubberBanded(const QPointF& offset) const;
    void showIndicators();
    void updateIndicators();

    WeakDelegate<ScrollViewDelegate> delegate_;
    QSizeF contentSize_;
    QPointF offset_;
    EdgeInsets inset_;
    bool scrollEnabled_ = true;
    bool bounces_ = true;
    bool bounceVertical_ = false;
    bool bounceHorizontal_ = false;
    bool paging_ = false;
    bool showsVertical_ = true;
    bool showsHorizontal_ = true;
    bool directionalLock_ = true;
    double minZoom_ = 1;
    double maxZoom_ = 1;
    double zoom_ = 1;
    QSizeF zoomBaseSize_;
    bool dragging_ = false;
    bool decelerating_ = false;
    bool zooming_ = false;

    // Drag state.
    QPointF dragStartPointer_;
    QPointF dragStartOffset_;
    int lockedAxis_ = 0;  // 0 none, 1 horizontal, 2 vertical
    struct Sample {
        qint64 time;
        QPointF pos;
    };
    std::deque<Sample> samples_;

    TimerId animation_ = 0;
    TimerId indicatorTimer_ = 0;
    View* verticalIndicator_ = nullptr;
    View* horizontalIndicator_ = nullptr;
};

}  // namespace tovera::platform::ui
