// The base of every view of the toolkit: a widget placed by a frame in its
// superview's points, with a tag, an alpha, a background colour, an
// autoresizing mask and the subview operations screens use. Views own their
// subviews (Qt parent ownership), and a view created inside a visible view
// is visible at once unless hidden.
#pragma once

#include "platform/ui/views/Geometry.h"

#include <QColor>
#include <QList>
#include <QWidget>

namespace tovera::platform::ui {

class View : public QWidget {
    Q_OBJECT
public:
    /// How a view follows the size changes of its superview.
    enum Autoresizing : unsigned {
        None = 0,
        FlexibleLeftMargin = 1,
        FlexibleWidth = 2,
        FlexibleRightMargin = 4,
        FlexibleTopMargin = 8,
        FlexibleHeight = 16,
        FlexibleBottomMargin = 32,
        FlexibleSize = FlexibleWidth | FlexibleHeight,
    };

    explicit View(QWidget* parent = nullptr);
    explicit View(const QRectF& frame, QWidget* parent = nullptr);
    ~View() override;

    /// The frame in the superview's coordinates (points). Kept exactly as
    /// set; the widget itself sits on the nearest whole points. Setting it
    /// resizes autoresizing subviews and lays the view out at once.
    QRectF frame() const;
    void setFrame(const QRectF& frame);
    QRectF bounds() const { return {QPointF(), frame().size()}; }
    QPointF center() const { return frame().center(); }
    void setCenter(const QPointF& center);

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    /// Explicitly hidden (unlike QWidget::isHidden, false for a view that is
    /// merely not on screen yet).
    bool isHidden() const;

    double alpha() const { return alpha_; }
    void setAlpha(double alpha);

    /// Transparent by default.
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);

    /// Rounds the corners of the background and border (children are not clipped).
    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius);
    /// A border drawn inside the bounds (0: none).
    void setBorder(double width, const QColor& color);
    double borderWidth() const { return borderWidth_; }

    bool isUserInteractionEnabled() const;
    void setUserInteractionEnabled(bool enabled);

    unsigned autoresizingMask() const { return autoresizing_; }
    void setAutoresizingMask(unsigned mask) { autoresizing_ = mask; }

    /// Adds `view` on top of the others (taking ownership) and shows it
    /// unless it was hidden explicitly.
    void addSubview(QWidget* view);
    void insertSubviewAtIndex(QWidget* view, int index);
    void insertSubviewBelow(QWidget* view, QWidget* sibling);
    void insertSubviewAbove(QWidget* view, QWidget* sibling);
    /// Takes the view out of its superview. It is hidden and has no parent
    /// afterwards: whoever holds it owns it (add it again, or delete it).
    void removeFromSuperview();
    /// Deletes every subview (later, so a subview may call this from a handler).
    void removeAllSubviews();
    void bringSubviewToFront(QWidget* view);
    void sendSubviewToBack(QWidget* view);
    /// The direct subviews, bottom to top.
    QList<QWidget*> subviews() const;
    /// This view or the first descendant (depth first, bottom to top) with
    /// the tag; descendants that are not toolkit views carry no tag.
    View* viewWithTag(int tag);
    /// The superview when it is a toolkit view.
    View* superview() const;
    /// Whether `view` is this view or one of its descendants.
    bool isDescendant(const QWidget* view) const;

    /// The outermost view holding `widget` (the phone window, which may sit
    /// inside a desktop frame that is no view), or the top-level widget.
    static QWidget* rootView(const QWidget* widget);

    /// Converts a point or rectangle of this view into `other`'s coordinates
    /// (both must be in one window; null means the window).
    QPointF convertPoint(const QPointF& point, const QWidget* other) const;
    QRectF convertRect(const QRectF& rect, const QWidget* other) const;

    /// Lays out the subviews again before the next paint.
    void setNeedsLayout();
    void layoutIfNeeded();
    void setNeedsDisplay() { update(); }

    /// The size the view would like within `size` (default: its own size).
    virtual QSizeF sizeThatFits(const QSizeF& size) const;
    /// Resizes to sizeThatFits of the current size.
    void sizeToFit();

    /// The text the view shows, as a user reads it (tests find views by it).
    virtual QString visibleText() const { return {}; }

    /// How far subviews are drawn from their frames: a scroll view's content
    /// offset (subview frames stay in content coordinates).
    virtual QPointF subviewShift() const { return {}; }
    /// Places the widget again from its frame (after the superview's shift changed).
    void applyFrame();
    /// A view fixed in its scroll view (an indicator, a background) ignores
    /// the content offset.
    void setFixedInScroll(bool fixed) { fixedInScroll_ = fixed; }
    bool isFixedInScroll() const { return fixedInScroll_; }

protected:
    /// Positions subviews; called after every size change and setNeedsLayout.
    virtual void layoutSubviews() {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void applyAutoresizing(const QSizeF& oldSize, const QSizeF& newSize);
    void syncFrameWithGeometry();
    void showWithVisibleParent();
    QPointF superviewShift() const;

    QRectF frame_;
    int tag_ = 0;
    double alpha_ = 1.0;
    QColor backgroundColor_ = Qt::transparent;
    double cornerRadius_ = 0;
    double borderWidth_ = 0;
    QColor borderColor_;
    unsigned autoresizing_ = None;
    bool layoutPending_ = false;
    bool fixedInScroll_ = false;
    QSizeF lastSize_{0, 0};
};

/// The toolkit view of a widget, when it is one.
View* asView(QWidget* widget);

}  // namespace tovera::platform::ui
