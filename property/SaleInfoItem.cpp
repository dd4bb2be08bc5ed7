#include "property/SaleInfoItem.h"

#include "framework/NSUtil.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {
constexpr double kWidth = 320;
constexpr double kMargin = 10;

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}
}  // namespace

SaleInfoItem::SaleInfoItem(QWidget* parent) : CustomCell(QStringLiteral("SaleInfoItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, kHeight));
    houseBtn_ = new Button(QRectF(kMargin, 4, 190, 24), contentView());
    houseBtn_->setTitleColor(NSUtil::click());
    houseBtn_->setFont(NSUtil::normalFont());
    houseBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    connectButton(houseBtn_);

    dateLabel_ = new Label(QRectF(200, 4, kWidth - 200 - kMargin, 24), contentView());
    dateLabel_->setFont(NSUtil::smallFont());
    dateLabel_->setTextColor(NSUtil::secondcolor());
    dateLabel_->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);

    saleLabel_ = new Label(QRectF(kMargin, 30, kWidth - 2 * kMargin, 44), contentView());
    saleLabel_->setFont(NSUtil::smallFont());
    saleLabel_->setTextColor(NSUtil::black());
    saleLabel_->setNumberOfLines(2);
}

void SaleInfoItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    const QString category = text(info, "catname");
    const QString name = text(info, "housename");
    houseBtn_->setTitle(category.isEmpty() ? name : QStringLiteral("[%1]%2").arg(category, name));
    houseBtn_->setTag(info.getIntValueForKey("hid", 0));
    dateLabel_->setText(text(info, "update_at"));
    saleLabel_->setText(text(info, "saletext"));
}

}  // namespace tovera
