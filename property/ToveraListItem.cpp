#include "property/ToveraListItem.h"

#include "framework/NSUtil.h"
#include "framework/NetImageView.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kMargin = 8;
constexpr QRectF kThumbnail(kMargin, 8, 80, 64);
constexpr double kTextLeft = 96;

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

}  // namespace

ToveraListItem::ToveraListItem(QWidget* parent)
    : CustomCell(QStringLiteral("ToveraListItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, kHeight));
    platform::ui::View* content = contentView();

    imgView_ = new NetImageView(kThumbnail, content);
    imgView_->setContentMode(platform::ui::ContentMode::ScaleAspectFill);

    titleLabel_ = new Label(QRectF(kTextLeft, 6, kWidth - kTextLeft - 60, 22), content);
    titleLabel_->setTextColor(NSUtil::black());
    titleLabel_->setFont(NSUtil::normalFont());

    stateLabel_ = new Label(QRectF(kWidth - 58, 6, 50, 22), content);
    stateLabel_->setTextAlignment(Qt::AlignRight);
    stateLabel_->setTextColor(NSUtil::redcolor());
    stateLabel_->setFont(NSUtil::smallFont());

    introLbl_ = new Label(QRectF(kTextLeft, 30, kWidth - kTextLeft - kMargin, 40), content);
    introLbl_->setNumberOfLines(2);
    introLbl_->setTextColor(NSUtil::secondcolor());
    introLbl_->setFont(NSUtil::smallFont());

    focusBtn_ = new Button(QRectF(kWidth - kMargin - 70, 52, 70, 24), content);
    focusBtn_->setTag(kUnfollowTag);
    focusBtn_->setTitleColor(NSUtil::click());
    focusBtn_->setFont(NSUtil::smallFont());
    focusBtn_->setHidden(true);
    focusBtn_->setEnabled(false);
    connectButton(focusBtn_);
}

QString ToveraListItem::priceText(const Dict& info) {
    if (Value(info.getStringValueForKey("price", "0")).intValue() != 0)
        return QStringLiteral("%1元/平方米").arg(text(info, "price"));
    return QStringLiteral("一房一价");
}

QString ToveraListItem::stateName(int state) {
    const Value names = NSUtil::config("salestate");
    if (state < 0 || std::size_t(state) >= names.items().size()) return {};
    return QString::fromStdString(names[state].toText());
}

void ToveraListItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    const QString catname = text(info, "catname");
    titleLabel_->setText((catname.isEmpty() ? QString() : QStringLiteral("[%1]").arg(catname)) +
                         text(info, "name"));
    introLbl_->setText(
        QStringLiteral("均价:%1\r\n地址:%2").arg(priceText(info), text(info, "address")));
    stateLabel_->setText(stateName(info.getIntValueForKey("state", 0)));

    imgView_->setImgUrl(info.getStringValueForKey("pic_sl", ""));
    imgView_->load();

    focusBtn_->setTitle(QStringLiteral("关注度:%1")
                            .arg(QString::fromStdString(info.getStringValueForKey("focus", "0"))));
    focusBtn_->setEnabled(false);
    focusBtn_->setHidden(true);
}

void ToveraListItem::setitemtype(std::string_view api) {
    if (api != "housefocus") return;
    focusBtn_->setTitle(QStringLiteral("取消关注"));
    focusBtn_->setEnabled(true);
    focusBtn_->setHidden(false);
    contentView()->bringSubviewToFront(focusBtn_);
    // The address ends before the button instead of running under it.
    QRectF text = introLbl_->frame();
    text.setRight(focusBtn_->frame().left() - 2);
    introLbl_->setFrame(text);
}

}  // namespace tovera
