#include "platform/ui/views/ActivityIndicatorView.h"

#include <QPainter>
#include <QTimerEvent>

#include <cmath>
#include <numbers>

namespace tovera::platform::ui {

namespace {

constexpr int kSpokes = 12;
constexpr int kStepMs = 1000 / kSpokes;

}  // namespace

double ActivityIndicatorView::sideForStyle(Style style) {
    return style == Style::WhiteLarge ? 37 : 20;
}

ActivityIndicatorView::ActivityIndicatorView(Style style, QWidget* parent)
    : View(parent), style_(style) {
    setColor(style == Style::Gray ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white));
    setFrame(QRectF(0, 0, sideForStyle(style), sideForStyle(style)));
    hideWhileStopped();
}

void ActivityIndicatorView::setStyle(Style style) {
    style_ = style;
    color_ = style == Style::Gray ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white);
    update();
}

void ActivityIndicatorView::setColor(const QColor& color) {
    color_ = color;
    update();
}

void ActivityIndicatorView::startAnimating() {
    animating_ = true;
    showAgain();
    updateTimer();
}

void ActivityIndicatorView::stopAnimating() {
    animating_ = false;
    if (hidesWhenStopped_) hideWhileStopped();
    updateTimer();
}

void ActivityIndicatorView::setHidesWhenStopped(bool hides) {
    hidesWhenStopped_ = hides;
    if (animating_) return;
    if (hides)
        hideWhileStopped();
    else
        showAgain();
}

void ActivityIndicatorView::hideWhileStopped() {
    setHidden(true);
    hiddenWhileStopped_ = true;
}

void ActivityIndicatorView::showAgain() {
    // Only a spinner this class hid comes back; one its owner hid stays hidden.
    if (!hiddenWhileStopped_) return;
    hiddenWhileStopped_ = false;
    setHidden(false);
}

void ActivityIndicatorView::updateTimer() {
    // Frames are drawn only while the spinner turns and can be seen.
    if (animating_ && isVisible())
        timer_.start(kStepMs, this);
    else
        timer_.stop();
    update();
}

void ActivityIndicatorView::showEvent(QShowEvent* event) {
    View::showEvent(event);
    updateTimer();
}

void ActivityIndicatorView::hideEvent(QHideEvent* event) {
    View::hideEvent(event);
    updateTimer();
}

void ActivityIndicatorView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) return View::timerEvent(event);
    step_ = (step_ + 1) % kSpokes;
    update();
}

void ActivityIndicatorView::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF b = bounds();
    const double side = std::min(b.width(), b.height());
    const double outer = side / 2;
    const double inner = outer * 0.45;
    const double width = std::max(1.5, side / 11);
    painter.translate(b.center());
    for (int i = 0; i < kSpokes; ++i) {
        // The spoke at the current step is the brightest; the others fade behind it.
        const int age = (step_ - i + kSpokes) % kSpokes;
        QColor c = color_;
        c.setAlphaF(float(animating_ ? 1.0 - 0.75 * age / kSpokes : 0.5));
        painter.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap));
        const double angle = 2 * std::numbers::pi * i / kSpokes;
        const QPointF dir(std::sin(angle), -std::cos(angle));
        painter.drawLine(dir * inner, dir * (outer - width / 2));
    }
}

}  // namespace tovera::platform::ui
