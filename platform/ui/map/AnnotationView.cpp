#include "platform/ui/map/AnnotationView.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
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
      centerOffset_(0, -kPinHeight / 2) {
    updateDrawing();
}

void AnnotationView::updateDrawing() {
    // A plain pin gets no paint events of its own: the map draws it, which
    // keeps a map of many pins as quick to redraw as a bare one.
    setUpdatesEnabled(!drawnByMap());
    setAttribute(Qt::WA_DontShowOnScreen, drawnByMap());
    if (parentWidget()) parentWidget()->update();
}

bool AnnotationView::drawnByMap() const {
    return image_.isNull() && !userLocation_;
}

// A round head on a needle whose tip is the bottom middle. The needle is a
// plain fill and only the head is a picture, so that little is blended.
void AnnotationView::drawPin(QPainter& painter) const {
    const QRect g = geometry();
    const int head = g.width() - 4;
    const int middle = g.left() + g.width() / 2;
    painter.fillRect(QRectF(middle - 1, g.top() + head, 2, g.height() - head),
                     QColor(0x70, 0x70, 0x70));
    painter.drawPixmap(QPoint(g.left() + 2, g.top() + 1),
                       headPicture(pinColor_, head, devicePixelRatioF()));
}

void AnnotationView::setAnnotation(std::shared_ptr<MapAnnotation> annotation) {
    annotation_ = std::move(annotation);
}

void AnnotationView::setPinColor(PinColor color) {
    pinColor_ = color;
    updateDrawing();
}

void AnnotationView::setImage(const Image& image) {
    image_ = image;
    if (!image.isNull()) {
        QRectF f = frame();
        f.setSize(image.size());
        setFrame(f);
        centerOffset_ = QPointF();
    }
    updateDrawing();
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
    view->updateDrawing();
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
    }
}

// A map shows many pins of few kinds: each kind is drawn once, at the
// screen's resolution, and then copied.
QPixmap AnnotationView::headPicture(PinColor color, int side, double ratio) {
    static QHash<quint64, QPixmap> cache;
    const quint64 key = (quint64(color) << 48) | (quint64(side) << 24) | quint64(ratio * 100);
    if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
    QPixmap picture(QSize(side, side) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF head(0.5, 0.5, side - 1, side - 1);
    QRadialGradient shine(head.center() - QPointF(side / 5.0, side / 5.0), side / 2.0);
    shine.setColorAt(0, pinFill(color).lighter(160));
    shine.setColorAt(1, pinFill(color));
    painter.setBrush(shine);
    painter.setPen(QPen(pinFill(color).darker(140), 1));
    painter.drawEllipse(head);
    painter.end();
    cache.insert(key, picture);
    return picture;
}

}  // namespace tovera::platform::ui
