#include "framework/ButtonItem.h"

#include <QChildEvent>

#include "framework/NSUtil.h"
#include "framework/NetImageView.h"
#include "framework/NoticeView.h"
#include "platform/ui/views/Label.h"

namespace tovera {

ButtonItem::ButtonItem(const QRectF& frame, QWidget* parent) : Button(frame, parent) {
    icon_ = new NetImageView;
    icon_->setContentMode(platform::ui::ContentMode::ScaleAspectFit);
    icon_->setUserInteractionEnabled(false);
    icon_->setBackgroundColor(Qt::transparent);
    addSubview(icon_);
    label_ = new platform::ui::Label;
    label_->setTextAlignment(Qt::AlignHCenter);
    label_->setTextColor(Qt::black);
    label_->setFont(NSUtil::smallFont());
    label_->setUserInteractionEnabled(false);
    label_->setBackgroundColor(Qt::transparent);
    addSubview(label_);
    layoutSubviews();
}

void ButtonItem::setLable(const QString& text) {
    label_->setText(text);
}

void ButtonItem::setIconImage(const platform::ui::Image& image) {
    icon_->setImage(image);
}

void ButtonItem::setIconUrl(std::string_view url) {
    icon_->setImgUrl(url);
    icon_->load();
}

NoticeView* ButtonItem::noticeView() const {
    return findChild<NoticeView*>(QString(), Qt::FindDirectChildrenOnly);
}

QString ButtonItem::visibleText() const {
    return label_->text();
}

void ButtonItem::childEvent(QChildEvent* event) {
    Button::childEvent(event);
    const bool added =
        event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished;
    if (added && qobject_cast<NoticeView*>(event->child())) setNeedsLayout();
}

void ButtonItem::layoutSubviews() {
    Button::layoutSubviews();
    if (!icon_ || !label_) return;
    const double w = bounds().width();
    const double h = bounds().height();
    const double side = int(3 * w / 5);
    const double inset = int(w / 5);
    icon_->setFrame(QRectF(inset, inset, side, side));
    const double iconBottom = inset + side;
    label_->setFrame(QRectF(1, int(iconBottom - 2), int(w - 8), int(h - iconBottom + 8)));
    if (NoticeView* badge = noticeView()) {
        badge->setCenter(QPointF(inset + side, inset));
        badge->raise();
    }
}

}  // namespace tovera
