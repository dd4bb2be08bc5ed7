#include "property/HouseListItem.h"

#include "framework/NSUtil.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kMargin = 10;
constexpr double kPriceWidth = 100;

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

}  // namespace

HouseListItem::HouseListItem(QWidget* parent)
    : CustomCell(QStringLiteral("HouseListItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, kHeight));
    platform::ui::View* content = contentView();
    auto label = [content](const QRectF& frame, const QFont& font, const QColor& color) {
        auto* made = new Label(frame, content);
        made->setFont(font);
        made->setTextColor(color);
        return made;
    };
    const double wide = kWidth - 2 * kMargin - kPriceWidth;
    nameLbl_ =
        label(QRectF(kMargin, 6, kWidth - 2 * kMargin, 22), NSUtil::normalFont(), NSUtil::black());
    unitLbl_ = label(QRectF(kMargin, 30, wide / 2, 18), NSUtil::smallFont(), NSUtil::secondcolor());
    sizeLbl_ = label(QRectF(kMargin + wide / 2, 30, wide / 2, 18), NSUtil::smallFont(),
                     NSUtil::secondcolor());
    priceLbl_ = label(QRectF(kWidth - kMargin - kPriceWidth, 30, kPriceWidth, 18),
                      NSUtil::normalFont(), NSUtil::redcolor());
    priceLbl_->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    dateLbl_ = label(QRectF(kMargin, 46, kWidth - 2 * kMargin, 16), NSUtil::smallFont(), Qt::gray);
}

QString HouseListItem::nameText(const Dict& info) {
    QString heading = text(info, "title");
    if (heading.isEmpty()) heading = text(info, "name");
    const QString source = text(info, "source");
    // A listing that names no source gets no empty brackets.
    return source.isEmpty() ? heading : QStringLiteral("[%1]%2").arg(source, heading);
}

QString HouseListItem::priceText(const Dict& info, std::string_view api) {
    if (info.getIntValueForKey("price", 0) <= 0) return QStringLiteral("面议");
    return text(info, "price") +
           (api == "oldhouse" ? QStringLiteral("万元") : QStringLiteral("元/月"));
}

void HouseListItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    info_ = info;
    nameLbl_->setText(nameText(info));
    unitLbl_->setText(text(info, "unit"));
    sizeLbl_->setText(QStringLiteral("%1平方米").arg(text(info, "size")));
    dateLbl_->setText(text(info, "update_at"));
    setType("oldhouse");
}

void HouseListItem::setType(std::string_view api) {
    priceLbl_->setText(priceText(info_, api));
}

}  // namespace tovera
