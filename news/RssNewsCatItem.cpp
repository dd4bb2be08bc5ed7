#include "news/RssNewsCatItem.h"

#include "framework/NSUtil.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Label;

RssNewsCatItem::RssNewsCatItem(QWidget* parent)
    : CustomCell(QStringLiteral("RssNewsCatItem"), parent) {
    setFrame(QRectF(0, 0, 320, 44));
    setSelectionStyle(SelectionStyle::None);
    nameLabel_ = new Label(QRectF(15, 11, 120, 22), contentView());
    nameLabel_->setFont(NSUtil::normalFont());
    countLabel_ = new Label(QRectF(135, 11, 130, 22), contentView());
    countLabel_->setFont(NSUtil::smallFont());
    countLabel_->setTextColor(NSUtil::secondcolor());
    checkImage_ = new platform::ui::ImageView(QRectF(280, 12, 20, 20), contentView());
    checkImage_->setImage(platform::ui::Image::named(QStringLiteral("selected.png")));
    checkImage_->setContentMode(platform::ui::ContentMode::ScaleAspectFit);
}

void RssNewsCatItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    nameLabel_->setText(QString::fromStdString(info.getStringValueForKey("catname", "")));
    countLabel_->setText(QStringLiteral("(%1人订阅)")
                             .arg(QString::fromStdString(info.getStringValueForKey("num", ""))));
    checkImage_->setHidden(info.getIntValueForKey("subscribed", 0) != 1);
}

}  // namespace tovera
