#include "property/HomeCell.h"

#include "framework/ImageLoader.h"
#include "framework/NSUtil.h"
#include "platform/Dialer.h"
#include "platform/ui/overlays/ActionSheet.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::ActionSheet;
using platform::ui::Button;
using platform::ui::ImageView;
using platform::ui::Label;

HomeCell::HomeCell() : CustomCell(QStringLiteral("HomeCell")) {
    // The standard label stays empty here; it must not take the taps meant
    // for the telephone button below it.
    textLabel()->setUserInteractionEnabled(false);
    iconView_ = new ImageView(QRectF(8, 8, 80, 60));
    iconView_->setContentMode(platform::ui::ContentMode::ScaleAspectFill);
    contentView()->addSubview(iconView_);

    nameLbl_ = new Label(QRectF(96, 6, 216, 22));
    nameLbl_->setFont(NSUtil::normalFont());
    nameLbl_->setTextColor(NSUtil::black());
    contentView()->addSubview(nameLbl_);

    priceLbl_ = new Label(QRectF(96, 28, 216, 20));
    priceLbl_->setFont(NSUtil::smallFont());
    priceLbl_->setTextColor(NSUtil::redcolor());
    contentView()->addSubview(priceLbl_);

    telBtn_ = new Button(QRectF(96, 48, 180, 22));
    telBtn_->setFont(NSUtil::smallFont());
    telBtn_->setTitleColor(NSUtil::bluecolor());
    telBtn_->setContentEdgeInsets({0, 0, 0, 0});
    contentView()->addSubview(telBtn_);
    connectButton(telBtn_);
}

QString HomeCell::priceText(const Dict& info) {
    const std::string price = info.getStringValueForKey("price", "0");
    const QString shown = Value(price).intValue() != 0
                              ? QStringLiteral("%1元/平方米").arg(QString::fromStdString(price))
                              : QStringLiteral("一房一价");
    return QStringLiteral("均价:%1").arg(shown);
}

void HomeCell::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    nameLbl_->setText(QStringLiteral("[%1]%2").arg(
        QString::fromStdString(info.getStringValueForKey("type", "")),
        QString::fromStdString(info.getStringValueForKey("name", ""))));
    priceLbl_->setText(priceText(info));
    telBtn_->setTitle(QString::fromStdString(info.getStringValueForKey("tel", "")));
    iconView_->setImage(ImageLoader::noPicture());
}

void HomeCell::imageDidLoad(const platform::ui::Image& image, int index) {
    // A reused cell may still receive the picture of the row it showed
    // before, possibly after its own row's: that one is dropped, never shown
    // and never put in place of the row's own.
    if (index != tag()) return;
    iconView_->setImage(image);
}

void HomeCell::btnPressed(Button* button) {
    if (button == telBtn_) {
        const QString title = telBtn_->titleForState(Button::Normal);
        // Offering to dial nothing would only open an empty call.
        if (title.trimmed().isEmpty()) {
            NSUtil::makeText("没有提供相关号码!").show();
        } else {
            ActionSheet* sheet =
                ActionSheet::create(QStringLiteral("拨打:%1").arg(title), nullptr,
                                    QStringLiteral("取消"), QStringLiteral("确定"), {});
            // The number is taken now: the cell may show another row by the
            // time the sheet is answered.
            sheet->setOnButton([number = NSUtil::dialNumber(title.toStdString())](int index) {
                if (index == 0) platform::Dialer::shared().openUrl("tel:" + number);
            });
            sheet->showInView(window());
        }
    }
    CustomCell::btnPressed(button);
}

}  // namespace tovera
