#include "platform/ui/views/ImageView.h"

#include <QPainter>

namespace tovera::platform::ui {

void drawDimmed(QPainter& painter, const Image& image, const QRectF& rect, ContentMode mode) {
    const qreal dpr = painter.device()->devicePixelRatioF();
    QImage layer((rect.size() * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    if (layer.isNull()) return;
    layer.setDevicePixelRatio(dpr);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        image.draw(p, QRectF(QPointF(), rect.size()), mode);
        p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        p.fillRect(QRectF(QPointF(), rect.size()), QColor(0, 0, 0, 90));
    }
    painter.drawImage(rect.topLeft(), layer);
}

ImageView::ImageView(QWidget* parent) : View(parent) {}

ImageView::ImageView(const QRectF& frame, QWidget* parent) : View(frame, parent) {}

ImageView::ImageView(const Image& image, QWidget* parent) : View(parent), image_(image) {
    setFrame(QRectF(QPointF(), image.size()));
}

void ImageView::setImage(const Image& image) {
    image_ = image;
    update();
}

void ImageView::setHighlightedImage(const Image& image) {
    highlightedImage_ = image;
    update();
}

void ImageView::setHighlighted(bool highlighted) {
    if (highlighted == highlighted_) return;
    highlighted_ = highlighted;
    update();
}

void ImageView::setDimmed(bool dimmed) {
    if (dimmed == dimmed_) return;
    dimmed_ = dimmed;
    update();
}

void ImageView::setContentMode(ContentMode mode) {
    mode_ = mode;
    update();
}

QSizeF ImageView::sizeThatFits(const QSizeF&) const {
    return image_.size();
}

void ImageView::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    const Image& shown = highlighted_ && !highlightedImage_.isNull() ? highlightedImage_ : image_;
    if (shown.isNull()) return;
    QPainter painter(this);
    if (dimmed_)
        drawDimmed(painter, shown, bounds(), mode_);
    else
        shown.draw(painter, bounds(), mode_);
}

}  // namespace tovera::platform::ui
