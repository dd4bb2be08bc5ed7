#include "platform/ui/map/AnnotationView.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace tovera::platform::ui {

namespace {

constexpr double kPinWidth = 22;
constexpr double kPinHeight = 36;
constexpr double kDot = 20;

QColor pinFill(AnnotationView::PinColor color) {
    switch (color) {
        case AnnotationView::PinColor::Green:
            return QColor(0x2E, 0xB8, 0x4B);
        case AnnotationView::PinColor::Purple:
            return QColor(0x9B, 0x4D, 0xCA);
        case AnnotationView::PinColor::Red:
            break;
    }
    return QColor(0xE0, 0x2F, 0x2F);
}

}  // namespace

AnnotationView::AnnotationView(std::shared_ptr<MapAnnotation> annotation,
                               const QString& reuseIdentifier, QWidget* parent)
    : View(QRectF(0, 0, kPinWidth, kPinHeight), parent),
      annotation_(std::move(annotation)),
      reuseIdentifier_(reuseIdentifier),
      centerOffset_(0, -kPinHeight / 2) {}

void AnnotationView::setAnnotation(std::shared_ptr<MapAnnotation> annotation) {
    annotation_ = std::move(annotation);
}

void AnnotationView::setPinColor(PinColor color) {
    pinColor_ = color;
    update();
}

void AnnotationView::setImage(const Image& image) {
    image_ = image;
    if (!image.isNull()) {
        QRectF f = frame();
        f.setSize(image.size());
        setFrame(f);
        centerOffset_ = QPointF();
    }
    update();
}

void AnnotationView::adopt(QPointer<View>& slot, View* view) {
    if (slot == view) return;
    if (slot) slot->deleteLater();
    slot = view;
    if (view) {
        view->setParent(this);
        view->hide();
    }
}

void AnnotationView::setLeftCalloutAccessoryView(View* view) {
    adopt(left_, view);
}

void AnnotationView::setRightCalloutAccessoryView(View* view) {
    adopt(right_, view);
}

AnnotationView* AnnotationView::userLocationView(std::shared_ptr<MapAnnotation> annotation) {
    auto* view = new AnnotationView(std::move(annotation));
    view->userLocation_ = true;
    view->setFrame(QRectF(0, 0, kDot, kDot));
    view->setCenterOffset(QPointF());
    return view;
}

QString AnnotationView::visibleText() const {
    return annotation_ ? annotation_->title() : QString();
}

void AnnotationView::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF b = bounds();
    if (!image_.isNull()) {
        image_.draw(painter, b, ContentMode::ScaleAspectFit);
        return;
    }
    if (userLocation_) {
        painter.setBrush(QColor(0x2F, 0x7C, 0xF6, 60));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(b);
        painter.setBrush(QColor(0x2F, 0x7C, 0xF6));
        painter.setPen(QPen(Qt::white, 2));
        painter.drawEllipse(b.center(), 6, 6);
        return;
    }
    // A pin: a round head on a needle whose tip is the bottom middle.
    const double head = b.width() - 4;
    const QPointF tip(b.center().x(), b.bottom());
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 2));
    painter.drawLine(QPointF(tip.x(), head), tip);
    const QRectF headRect(b.center().x() - head / 2, 1, head, head);
    QRadialGradient shine(headRect.center() - QPointF(head / 5, head / 5), head / 2);
    shine.setColorAt(0, pinFill(pinColor_).lighter(160));
    shine.setColorAt(1, pinFill(pinColor_));
    painter.setBrush(shine);
    painter.setPen(QPen(pinFill(pinColor_).darker(140), 1));
    painter.drawEllipse(headRect);
}

}  // namespace tovera::platform::ui
