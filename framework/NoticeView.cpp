#include "framework/NoticeView.h"

#include <QPainter>

#include "platform/ui/views/Font.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/Label.h"

namespace tovera {

namespace {
constexpr int kMostShown = 99;
}

using platform::ui::Image;

NoticeView::NoticeView(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    setUserInteractionEnabled(false);
    label_ = new platform::ui::Label(bounds().adjusted(1, 1, -1, -1));
    label_->setTextColor(Qt::white);
    label_->setTextAlignment(Qt::AlignHCenter);
    addSubview(label_);
    setNum(0);
}

void NoticeView::setNum(int number) {
    num_ = number;
    // Three digits do not fit the round badge: larger counts read "99+" in a
    // smaller face.
    const bool many = number > kMostShown;
    label_->setText(many ? QStringLiteral("%1+").arg(kMostShown) : QString::number(number));
    label_->setFont(platform::ui::Font::boldSystem(many ? 9 : 12));
    setHidden(number < 1);
}

void NoticeView::layoutSubviews() {
    label_->setFrame(bounds().adjusted(1, 1, -1, -1));
}

void NoticeView::paintEvent(QPaintEvent* event) {
    View::paintEvent(event);
    QPainter painter(this);
    Image::named(QStringLiteral("number_bg.png"))
        .draw(painter, bounds(), platform::ui::ContentMode::ScaleAspectFit);
}

}  // namespace tovera
