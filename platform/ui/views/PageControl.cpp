#include "platform/ui/views/PageControl.h"

#include <QMouseEvent>
#include <QPainter>

namespace tovera::platform::ui {

namespace {

constexpr double kDot = 7;
constexpr double kSpacing = 16;

}  // namespace

PageControl::PageControl(QWidget* parent) : Control(parent) {}

PageControl::PageControl(const QRectF& frame, QWidget* parent) : Control(frame, parent) {}

void PageControl::setNumberOfPages(int pages) {
    pages_ = std::max(0, pages);
    current_ = std::clamp(current_, 0, std::max(0, pages_ - 1));
    updateHidden();
    update();
}

void PageControl::setCurrentPage(int page) {
    current_ = std::clamp(page, 0, std::max(0, pages_ - 1));
    update();
}

void PageControl::setHidesForSinglePage(bool hides) {
    hidesForSingle_ = hides;
    updateHidden();
}

void PageControl::updateHidden() {
    if (hidesForSingle_) setHidden(pages_ <= 1);
}

void PageControl::setDotImages(const Image& current, const Image& other) {
    currentImage_ = current;
    otherImage_ = other;
    update();
}

QSizeF PageControl::sizeForNumberOfPages(int pages) {
    return QSizeF(std::max(0, pages) * kSpacing, 36);
}

QPointF PageControl::dotCenter(int index) const {
    const QRectF b = bounds();
    const double width = pages_ * kSpacing;
    const double left = b.center().x() - width / 2;
    return QPointF(left + kSpacing * (index + 0.5), b.center().y());
}

QString PageControl::visibleText() const {
    return pages_ > 0 ? QStringLiteral("%1/%2").arg(current_ + 1).arg(pages_) : QString();
}

void PageControl::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    Control::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !inside || !isEnabled()) return;
    int page = current_;
    if (event->position().x() > bounds().center().x()) {
        if (current_ + 1 < pages_) page = current_ + 1;
    } else if (current_ > 0) {
        page = current_ - 1;
    }
    if (page == current_) return;
    current_ = page;
    update();
    emit valueChanged(this);
}

void PageControl::paintEvent(QPaintEvent* event) {
    Control::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < pages_; ++i) {
        const QPointF c = dotCenter(i);
        const Image& picture = i == current_ ? currentImage_ : otherImage_;
        if (!picture.isNull()) {
            QRectF r(QPointF(), picture.size());
            r.moveCenter(c);
            picture.draw(painter, r);
            continue;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(i == current_ ? QColor(Qt::white) : QColor(255, 255, 255, 90));
        painter.drawEllipse(c, kDot / 2, kDot / 2);
    }
}

}  // namespace tovera::platform::ui
