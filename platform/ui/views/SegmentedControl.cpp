#include "platform/ui/views/SegmentedControl.h"

#include "platform/ui/views/Font.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace tovera::platform::ui {

SegmentedControl::SegmentedControl(const QStringList& items, QWidget* parent)
    : Control(QRectF(0, 0, 60.0 * std::max<qsizetype>(1, items.size()), 30), parent),
      items_(items) {}

void SegmentedControl::setTitleForSegmentAtIndex(const QString& title, int index) {
    if (index < 0 || index >= items_.size()) return;
    items_[index] = title;
    update();
}

void SegmentedControl::insertSegmentWithTitle(const QString& title, int index) {
    items_.insert(std::clamp<qsizetype>(index, 0, items_.size()), title);
    update();
}

void SegmentedControl::removeAllSegments() {
    items_.clear();
    selected_ = -1;
    update();
}

void SegmentedControl::setSelectedSegmentIndex(int index) {
    selected_ = index >= 0 && index < items_.size() ? index : -1;
    update();
}

void SegmentedControl::chooseSegment(int index) {
    if (!isEnabled() || index < 0 || index >= items_.size()) return;
    selected_ = index;
    update();
    emit valueChanged(this);
    if (momentary_) {
        selected_ = -1;
        update();
    }
}

void SegmentedControl::setTintColor(const QColor& color) {
    tint_ = color;
    update();
}

QRectF SegmentedControl::rectForSegment(int index) const {
    const QRectF b = bounds();
    if (items_.isEmpty()) return {};
    const double w = b.width() / double(items_.size());
    return QRectF(index * w, 0, w, b.height());
}

void SegmentedControl::mouseReleaseEvent(QMouseEvent* event) {
    Control::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    for (int i = 0; i < items_.size(); ++i)
        if (rectForSegment(i).contains(event->position())) chooseSegment(i);
}

void SegmentedControl::paintEvent(QPaintEvent* event) {
    Control::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF b = bounds().adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outline;
    outline.addRoundedRect(b, 5, 5);
    painter.fillPath(outline, Qt::white);
    painter.setClipPath(outline);
    if (selected_ >= 0) painter.fillRect(rectForSegment(selected_), tint_);
    painter.setClipping(false);
    painter.setPen(QPen(tint_, 1));
    painter.drawPath(outline);
    painter.setFont(Font::boldSystem(13));
    for (int i = 0; i < items_.size(); ++i) {
        const QRectF r = rectForSegment(i);
        if (i > 0) painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(i == selected_ ? QColor(Qt::white) : tint_);
        painter.drawText(r, Qt::AlignCenter, items_[i]);
        painter.setPen(QPen(tint_, 1));
    }
}

}  // namespace tovera::platform::ui
