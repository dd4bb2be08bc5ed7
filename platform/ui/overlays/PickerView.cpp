#include "platform/ui/overlays/PickerView.h"

#include "platform/ui/lists/DragTracker.h"
#include "platform/ui/views/Font.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace tovera::platform::ui {

PickerView::PickerView(QWidget* parent) : PickerView(QRectF(0, 0, kScreenWidth, 216), parent) {}

PickerView::PickerView(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    // The picker moves its columns itself; no scroll view takes its drags.
    setProperty("toveraHandlesDrag", true);
    setBackgroundColor(QColor(0x2B, 0x2E, 0x36));
}

void PickerView::reloadAllComponents() {
    PickerViewDataSource* ds = dataSource_.get();
    const int count = ds ? std::max(0, ds->numberOfComponentsInPickerView(this)) : 0;
    rows_.resize(count);
    positions_.resize(count);
    selected_.resize(count);
    for (int c = 0; c < count; ++c)
        reloadComponent(c);
    update();
}

void PickerView::reloadComponent(int component) {
    if (component < 0 || component >= rows_.size()) return;
    PickerViewDataSource* ds = dataSource_.get();
    rows_[component] = ds ? std::max(0, ds->numberOfRowsInComponent(this, component)) : 0;
    const int last = rows_[component] - 1;
    selected_[component] = last < 0 ? -1 : std::clamp(selected_[component], 0, last);
    positions_[component] = std::max(0, selected_[component]);
    update();
}

int PickerView::numberOfRowsInComponent(int component) const {
    return rows_.value(component);
}

int PickerView::selectedRowInComponent(int component) const {
    return component >= 0 && component < selected_.size() ? selected_[component] : -1;
}

void PickerView::selectRow(int row, int component, bool) {
    if (component < 0 || component >= rows_.size() || rows_[component] == 0) return;
    selected_[component] = std::clamp(row, 0, rows_[component] - 1);
    positions_[component] = selected_[component];
    update();
}

void PickerView::chooseRow(int row, int component) {
    if (component < 0 || component >= rows_.size() || rows_[component] == 0) return;
    selectRow(row, component);
    if (auto* d = delegate_.get()) d->didSelectRow(this, selected_[component], component);
}

void PickerView::setShowsSelectionIndicator(bool shows) {
    indicator_ = shows;
    update();
}

QString PickerView::titleForRow(int row, int component) const {
    auto* d = delegate_.get();
    return d ? d->titleForRow(const_cast<PickerView*>(this), row, component) : QString();
}

QString PickerView::visibleText() const {
    QStringList parts;
    for (int c = 0; c < selected_.size(); ++c)
        if (selected_[c] >= 0) parts << titleForRow(selected_[c], c);
    return parts.join(' ');
}

QRectF PickerView::componentRect(int component) const {
    const QRectF b = bounds().adjusted(10, 0, -10, 0);
    const int count = std::max<int>(1, int(rows_.size()));
    const double w = b.width() / count;
    return QRectF(b.left() + component * w, 0, w, b.height());
}

int PickerView::componentAt(double x) const {
    for (int c = 0; c < rows_.size(); ++c)
        if (componentRect(c).left() <= x && x < componentRect(c).right()) return c;
    return -1;
}

void PickerView::settle(int component) {
    const int row =
        std::clamp(int(std::lround(positions_[component])), 0, std::max(0, rows_[component] - 1));
    const bool changed = row != selected_[component];
    selected_[component] = row;
    positions_[component] = row;
    update();
    if (changed)
        if (auto* d = delegate_.get()) d->didSelectRow(this, row, component);
}

void PickerView::mousePressEvent(QMouseEvent* event) {
    dragComponent_ = componentAt(event->position().x());
    if (dragComponent_ < 0 || rows_[dragComponent_] == 0) {
        dragComponent_ = -1;
        return;
    }
    dragStartY_ = event->position().y();
    dragStartPosition_ = positions_[dragComponent_];
    dragged_ = false;
    event->accept();
}

void PickerView::mouseMoveEvent(QMouseEvent* event) {
    if (dragComponent_ < 0) return;
    const double dy = event->position().y() - dragStartY_;
    if (std::abs(dy) >= DragTracker::kDragThreshold) dragged_ = true;
    if (!dragged_) return;
    positions_[dragComponent_] =
        std::clamp(dragStartPosition_ - dy / kRowHeight, -0.45, rows_[dragComponent_] - 0.55);
    update();
}

void PickerView::mouseReleaseEvent(QMouseEvent* event) {
    const int component = dragComponent_;
    dragComponent_ = -1;
    if (component < 0) return;
    if (!dragged_) {
        // A tap on a row away from the middle brings that row to the middle.
        const double middle = bounds().height() / 2;
        const double rowsAway = std::round((event->position().y() - middle) / kRowHeight);
        positions_[component] = selected_[component] + rowsAway;
    }
    settle(component);
}

void PickerView::wheelEvent(QWheelEvent* event) {
    const int component = componentAt(event->position().x());
    if (component < 0 || rows_[component] == 0) {
        event->ignore();
        return;
    }
    const double steps = -event->angleDelta().y() / 120.0;
    positions_[component] = selected_[component] + (steps > 0 ? 1 : (steps < 0 ? -1 : 0));
    settle(component);
}

void PickerView::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF b = bounds();
    const double middle = b.height() / 2;
    painter.setFont(Font::boldSystem(20));
    for (int c = 0; c < rows_.size(); ++c) {
        QRectF column = componentRect(c).adjusted(2, 6, -2, -6);
        painter.fillRect(column, Qt::white);
        painter.save();
        painter.setClipRect(column);
        const int first = std::max(0, int(std::floor(positions_[c] - middle / kRowHeight)) - 1);
        const int last =
            std::min(rows_[c] - 1, int(std::ceil(positions_[c] + middle / kRowHeight)) + 1);
        for (int r = first; r <= last; ++r) {
            const double y = middle + (r - positions_[c]) * kRowHeight - kRowHeight / 2;
            painter.setPen(Qt::black);
            painter.drawText(QRectF(column.left() + 8, y, column.width() - 16, kRowHeight),
                             Qt::AlignVCenter | Qt::AlignHCenter, titleForRow(r, c));
        }
        // Rows fade towards the edges, like a turning wheel.
        QLinearGradient fade(column.topLeft(), column.bottomLeft());
        fade.setColorAt(0, QColor(0x20, 0x20, 0x20, 150));
        fade.setColorAt(0.35, QColor(0x20, 0x20, 0x20, 0));
        fade.setColorAt(0.65, QColor(0x20, 0x20, 0x20, 0));
        fade.setColorAt(1, QColor(0x20, 0x20, 0x20, 150));
        painter.fillRect(column, fade);
        painter.restore();
    }
    if (indicator_) {
        const QRectF band(b.left() + 6, middle - kRowHeight / 2, b.width() - 12, kRowHeight);
        painter.setPen(QPen(QColor(0x7D, 0x87, 0xA0), 1));
        painter.setBrush(QColor(0x9F, 0xAE, 0xD1, 70));
        painter.drawRoundedRect(band, 3, 3);
    }
}

}  // namespace tovera::platform::ui
