#include "platform/ui/views/View.h"

#include <QGraphicsOpacityEffect>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <cmath>

namespace tovera::platform::ui {

namespace {

QRect snapped(const QRectF& r) {
    const int left = int(std::lround(r.left()));
    const int top = int(std::lround(r.top()));
    const int right = int(std::lround(r.right()));
    const int bottom = int(std::lround(r.bottom()));
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

// One axis of autoresizing: the flexible parts (leading margin, size,
// trailing margin) share the change of the superview in proportion to their
// current lengths, or equally when they are all zero.
void resizeAxis(double& origin, double& length, double oldTotal, double newTotal, bool flexLead,
                bool flexSize, bool flexTrail) {
    const double delta = newTotal - oldTotal;
    if (delta == 0 || !(flexLead || flexSize || flexTrail)) return;
    const double lead = origin;
    const double trail = oldTotal - origin - length;
    double sum = (flexLead ? lead : 0) + (flexSize ? length : 0) + (flexTrail ? trail : 0);
    const int parts = int(flexLead) + int(flexSize) + int(flexTrail);
    auto share = [&](bool flexible, double value) {
        if (!flexible) return 0.0;
        return sum > 0 ? delta * value / sum : delta / parts;
    };
    const double dLead = share(flexLead, lead);
    const double dSize = share(flexSize, length);
    origin += dLead;
    length = std::max(0.0, length + dSize);
}

}  // namespace

View* asView(QWidget* widget) {
    return qobject_cast<View*>(widget);
}

View::View(QWidget* parent) : QWidget(parent) {
    setGeometry(0, 0, 0, 0);
    showWithVisibleParent();
}

View::View(const QRectF& frame, QWidget* parent) : QWidget(parent) {
    setGeometry(0, 0, 0, 0);
    setFrame(frame);
    showWithVisibleParent();
}

void View::showWithVisibleParent() {
    // A view is visible unless hidden, as on the phone; Qt would leave a
    // child created inside a visible widget hidden until shown.
    if (parentWidget() && parentWidget()->isVisible()) show();
}

View::~View() = default;

QRectF View::frame() const {
    return frame_;
}

void View::setFrame(const QRectF& frame) {
    const QSizeF oldSize = frame_.size();
    frame_ = QRectF(frame.topLeft(), frame.size().expandedTo(QSizeF(0, 0)));
    lastSize_ = frame_.size();
    const QRect g = snapped(frame_.translated(-superviewShift()));
    if (g != geometry()) setGeometry(g);
    if (oldSize != frame_.size()) {
        applyAutoresizing(oldSize, frame_.size());
        layoutPending_ = false;
        layoutSubviews();
    }
}

void View::setCenter(const QPointF& center) {
    QRectF f = frame();
    f.moveCenter(center);
    setFrame(f);
}

bool View::isHidden() const {
    return testAttribute(Qt::WA_WState_ExplicitShowHide) && testAttribute(Qt::WA_WState_Hidden);
}

void View::setAlpha(double alpha) {
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (alpha == alpha_) return;
    alpha_ = alpha;
    if (alpha_ >= 1.0) {
        setGraphicsEffect(nullptr);
    } else {
        auto* effect = qobject_cast<QGraphicsOpacityEffect*>(graphicsEffect());
        if (!effect) {
            effect = new QGraphicsOpacityEffect(this);
            setGraphicsEffect(effect);
        }
        effect->setOpacity(alpha_);
    }
    update();
}

void View::setBackgroundColor(const QColor& color) {
    if (color == backgroundColor_) return;
    backgroundColor_ = color;
    update();
}

void View::setCornerRadius(double radius) {
    cornerRadius_ = std::max(0.0, radius);
    update();
}

void View::setBorder(double width, const QColor& color) {
    borderWidth_ = std::max(0.0, width);
    borderColor_ = color;
    update();
}

bool View::isUserInteractionEnabled() const {
    return !testAttribute(Qt::WA_TransparentForMouseEvents);
}

void View::setUserInteractionEnabled(bool enabled) {
    setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

void View::addSubview(QWidget* view) {
    if (!view) return;
    const bool explicitlyHidden =
        view->testAttribute(Qt::WA_WState_ExplicitShowHide) && view->isHidden();
    if (view->parentWidget() != this) view->setParent(this);
    view->raise();
    if (!explicitlyHidden) view->show();
}

void View::insertSubviewAtIndex(QWidget* view, int index) {
    const QList<QWidget*> below = subviews();
    addSubview(view);
    if (index >= 0 && index < below.size() && below[index] != view) view->stackUnder(below[index]);
}

void View::insertSubviewBelow(QWidget* view, QWidget* sibling) {
    addSubview(view);
    if (sibling && sibling->parentWidget() == this && sibling != view) view->stackUnder(sibling);
}

void View::insertSubviewAbove(QWidget* view, QWidget* sibling) {
    const QList<QWidget*> all = subviews();
    const int at = int(all.indexOf(sibling));
    addSubview(view);
    if (at >= 0 && at + 1 < all.size() && all[at + 1] != view) view->stackUnder(all[at + 1]);
}

void View::removeFromSuperview() {
    if (!parentWidget()) return;
    hide();
    setParent(nullptr);
}

void View::removeAllSubviews() {
    for (QWidget* child : subviews()) {
        child->hide();
        child->deleteLater();
    }
}

void View::bringSubviewToFront(QWidget* view) {
    if (view && view->parentWidget() == this) view->raise();
}

void View::sendSubviewToBack(QWidget* view) {
    if (view && view->parentWidget() == this) view->lower();
}

QList<QWidget*> View::subviews() const {
    QList<QWidget*> out;
    for (QObject* child : children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow()) out << w;
    return out;
}

View* View::viewWithTag(int tag) {
    if (tag_ == tag) return this;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow()) continue;
        if (auto* v = asView(w)) {
            if (View* found = v->viewWithTag(tag)) return found;
        } else {
            for (View* inner : w->findChildren<View*>(Qt::FindDirectChildrenOnly))
                if (View* found = inner->viewWithTag(tag)) return found;
        }
    }
    return nullptr;
}

View* View::superview() const {
    return asView(parentWidget());
}

bool View::isDescendant(const QWidget* view) const {
    for (const QWidget* w = view; w; w = w->parentWidget())
        if (w == this) return true;
    return false;
}

QWidget* View::rootView(const QWidget* widget) {
    const QWidget* root = widget;
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (qobject_cast<const View*>(w)) root = w;
        if (w->isWindow()) break;
    }
    return const_cast<QWidget*>(root);
}

QPointF View::convertPoint(const QPointF& point, const QWidget* other) const {
    // Points of a scroll view are content points: its shift applies both ways.
    const QPointF inWindow = mapTo(rootView(this), point - subviewShift());
    if (!other) return inWindow;
    QPointF result = other->mapFrom(rootView(other), inWindow);
    if (auto* view = qobject_cast<const View*>(other)) result += view->subviewShift();
    return result;
}

QRectF View::convertRect(const QRectF& rect, const QWidget* other) const {
    return QRectF(convertPoint(rect.topLeft(), other), rect.size());
}

void View::setNeedsLayout() {
    if (layoutPending_) return;
    layoutPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { layoutIfNeeded(); }, Qt::QueuedConnection);
}

void View::layoutIfNeeded() {
    if (!layoutPending_) return;
    layoutPending_ = false;
    layoutSubviews();
}

QSizeF View::sizeThatFits(const QSizeF&) const {
    return frame().size();
}

void View::sizeToFit() {
    QRectF f = frame();
    f.setSize(sizeThatFits(f.size()));
    setFrame(f);
}

void View::paintEvent(QPaintEvent* event) {
    const bool border = borderWidth_ > 0 && borderColor_.alpha() > 0;
    if (backgroundColor_.alpha() == 0 && !border) return;
    QPainter painter(this);
    if (cornerRadius_ <= 0) {
        if (backgroundColor_.alpha() > 0) painter.fillRect(event->rect(), backgroundColor_);
        if (border) {
            const double half = borderWidth_ / 2;
            painter.setPen(QPen(borderColor_, borderWidth_));
            painter.drawRect(bounds().adjusted(half, half, -half, -half));
        }
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const double half = border ? borderWidth_ / 2 : 0;
    painter.setPen(border ? QPen(borderColor_, borderWidth_) : QPen(Qt::NoPen));
    painter.setBrush(backgroundColor_.alpha() > 0 ? QBrush(backgroundColor_) : QBrush(Qt::NoBrush));
    painter.drawRoundedRect(bounds().adjusted(half, half, -half, -half), cornerRadius_,
                            cornerRadius_);
}

void View::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    syncFrameWithGeometry();
    const QSizeF newSize = frame_.size();
    if (newSize == lastSize_) return;
    applyAutoresizing(lastSize_, newSize);
    lastSize_ = newSize;
    layoutPending_ = false;
    layoutSubviews();
}

void View::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    syncFrameWithGeometry();
}

void View::syncFrameWithGeometry() {
    // The widget was moved or resized by other means than setFrame.
    const QPointF shift = superviewShift();
    if (snapped(frame_.translated(-shift)) != geometry())
        frame_ = QRectF(geometry()).translated(shift);
}

QPointF View::superviewShift() const {
    if (isWindow() || fixedInScroll_) return {};
    const View* parent = superview();
    return parent ? parent->subviewShift() : QPointF();
}

void View::applyFrame() {
    const QRect g = snapped(frame_.translated(-superviewShift()));
    if (g != geometry()) setGeometry(g);
}

void View::applyAutoresizing(const QSizeF& oldSize, const QSizeF& newSize) {
    for (QObject* child : children()) {
        View* v = qobject_cast<View*>(child);
        if (!v || v->isWindow() || v->autoresizing_ == None) continue;
        const unsigned m = v->autoresizing_;
        QRectF f = v->frame();
        double x = f.x(), w = f.width(), y = f.y(), h = f.height();
        resizeAxis(x, w, oldSize.width(), newSize.width(), m & FlexibleLeftMargin,
                   m & FlexibleWidth, m & FlexibleRightMargin);
        resizeAxis(y, h, oldSize.height(), newSize.height(), m & FlexibleTopMargin,
                   m & FlexibleHeight, m & FlexibleBottomMargin);
        v->setFrame(QRectF(x, y, w, h));
    }
}

}  // namespace tovera::platform::ui
