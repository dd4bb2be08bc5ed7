#include "platform/ui/views/Switch.h"

#include "platform/ui/views/Font.h"

#include <QPainter>
#include <QPainterPath>

namespace tovera::platform::ui {

Switch::Switch(QWidget* parent) : Control(QRectF(0, 0, 79, 27), parent) {}

void Switch::setOn(bool on, bool) {
    if (on == on_) return;
    on_ = on;
    update();
}

void Switch::setOnTintColor(const QColor& color) {
    onTint_ = color;
    update();
}

QString Switch::visibleText() const {
    return on_ ? QStringLiteral("ON") : QStringLiteral("OFF");
}

void Switch::tapped() {
    on_ = !on_;
    update();
    emit valueChanged(this);
    Control::tapped();
}

void Switch::paintEvent(QPaintEvent* event) {
    Control::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF b = bounds().adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = b.height() / 2;
    QPainterPath track;
    track.addRoundedRect(b, radius, radius);
    painter.fillPath(track, on_ ? onTint_ : QColor(0xEE, 0xEE, 0xEE));
    painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
    painter.drawPath(track);
    const double knob = b.height() - 2;
    const QRectF knobRect(on_ ? b.right() - knob - 1 : b.left() + 1, b.top() + 1, knob, knob);
    const QRectF textRect = on_ ? QRectF(b.left(), b.top(), b.width() - knob, b.height())
                                : QRectF(b.left() + knob, b.top(), b.width() - knob, b.height());
    painter.setFont(Font::boldSystem(14));
    painter.setPen(on_ ? QColor(Qt::white) : QColor(0x80, 0x80, 0x80));
    painter.drawText(textRect, Qt::AlignCenter, visibleText());
    painter.setBrush(isHighlighted() ? QColor(0xE0, 0xE0, 0xE0) : QColor(Qt::white));
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    painter.drawEllipse(knobRect);
}

}  // namespace tovera::platform::ui
