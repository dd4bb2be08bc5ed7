#include "platform/ui/navigation/StatusBar.h"

#include "platform/ui/views/ActivityIndicatorView.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTime>

namespace tovera::platform::ui {

StatusBar::StatusBar(QWidget* parent) : View(QRectF(0, 0, kScreenWidth, kStatusBarHeight), parent) {
    carrier_ = new Label(this);
    carrier_->setFont(Font::boldSystem(12));
    carrier_->setTextColor(Qt::white);
    carrier_->setText(QStringLiteral("Tovera"));
    clock_ = new Label(this);
    clock_->setFont(Font::boldSystem(13));
    clock_->setTextColor(Qt::white);
    clock_->setTextAlignment(Qt::AlignHCenter);
    spinner_ = new ActivityIndicatorView(ActivityIndicatorView::Style::White, this);
    spinner_->setFrame(QRectF(0, 3, 14, 14));
    layoutSubviews();
    tick();
}

StatusBar::~StatusBar() {
    timers().cancel(clockTimer_);
}

void StatusBar::setNetworkActivityIndicatorVisible(bool visible) {
    if (visible == networkActive_) return;
    networkActive_ = visible;
    if (visible)
        spinner_->startAnimating();
    else
        spinner_->stopAnimating();
}

QString StatusBar::clockText() const {
    return clock_->text();
}

void StatusBar::tick() {
    const QTime now = QTime::currentTime();
    clock_->setText(now.toString(QStringLiteral("HH:mm")));
    // Wake at the start of the next minute.
    const int msToNextMinute = (60 - now.second()) * 1000 - now.msec();
    clockTimer_ =
        timers().schedule(Timers::Duration(std::max(1000, msToNextMinute)), [this] { tick(); });
}

void StatusBar::layoutSubviews() {
    if (!carrier_) return;
    const QRectF b = bounds();
    carrier_->setFrame(QRectF(6, 0, 70, b.height()));
    const double carrierWidth = carrier_->sizeThatFits(QSizeF(70, b.height())).width();
    spinner_->setFrame(QRectF(6 + carrierWidth + 4, (b.height() - 14) / 2, 14, 14));
    clock_->setFrame(QRectF(b.width() / 2 - 40, 0, 80, b.height()));
}

void StatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF b = bounds();
    QLinearGradient gradient(b.topLeft(), b.bottomLeft());
    gradient.setColorAt(0, QColor(0x4a, 0x4a, 0x4a));
    gradient.setColorAt(1, QColor(0x1c, 0x1c, 0x1c));
    painter.fillRect(b, gradient);
    // Battery at the right edge.
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF body(b.right() - 32, 5, 24, 10);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body, 2, 2);
    painter.fillRect(QRectF(body.right() + 1, 8, 2, 4), Qt::white);
    painter.fillRect(body.adjusted(2, 2, -6, -2), Qt::white);
}

}  // namespace tovera::platform::ui
