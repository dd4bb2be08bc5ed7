#include "ask/AskListItem.h"

#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kLeft = 45;
constexpr double kTextWidth = kWidth - kLeft - 8;
constexpr double kTop = 5;
constexpr double kHouseHeight = 22;
constexpr double kBottomRow = 68;
constexpr double kRowHeight = 22;

QString text(const Dict& info, std::string_view key, std::string_view fallback = "") {
    return QString::fromStdString(info.getStringValueForKey(key, fallback));
}

Button* linkButton(const QRectF& frame, QWidget* parent) {
    auto* button = new Button(frame, parent);
    button->setFont(NSUtil::smallFont());
    button->setTitleColor(NSUtil::click());
    button->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    return button;
}

Label* smallLabel(const QRectF& frame, QWidget* parent) {
    auto* label = new Label(frame, parent);
    label->setFont(NSUtil::smallFont());
    label->setTextColor(NSUtil::secondcolor());
    return label;
}

}  // namespace

AskListItem::AskListItem(QWidget* parent) : CustomCell(QStringLiteral("AskListItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, kHeight));
    solveImg_ = new platform::ui::ImageView(QRectF(8, 30, 30, 30), contentView());
    houseBtn_ = linkButton(QRectF(kLeft, kTop, kTextWidth, kHouseHeight), contentView());
    houseBtn_->setTag(kHouseTag);
    askLbl_ = new Label(QRectF(kLeft, kTop, kTextWidth, kBottomRow - kTop), contentView());
    askLbl_->setFont(NSUtil::normalFont());
    askLbl_->setTextColor(NSUtil::black());
    askLbl_->setNumberOfLines(0);
    userBtn_ = linkButton(QRectF(kLeft, kBottomRow, 75, kRowHeight), contentView());
    userBtn_->setTag(kUserTag);
    replyLbl_ = smallLabel(QRectF(kLeft + 77, kBottomRow, 63, kRowHeight), contentView());
    dateLbl_ =
        smallLabel(QRectF(kLeft + 140, kBottomRow, kTextWidth - 140, kRowHeight), contentView());
    dateLbl_->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connectButton(houseBtn_);
    connectButton(userBtn_);
}

void AskListItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    info_ = info;
    const int hid = info.getIntValueForKey("hid", 0);
    double titleTop = kTop;
    const bool showHouse = houseBtn_->tag() == kHouseTag && hid != 0;
    houseBtn_->setHidden(!showHouse);
    houseBtn_->setEnabled(showHouse);
    if (showHouse) {
        houseBtn_->setTitle(text(info, "house"));
        houseBtn_->titleLabel()->setTag(hid);
        titleTop += houseBtn_->frame().height();
    }
    solveImg_->setImage(platform::ui::Image::named(info.getIntValueForKey("solve", 0) != 0
                                                       ? QStringLiteral("ask_ok.png")
                                                       : QStringLiteral("ask_help.png")));
    askLbl_->setText(text(info, "title"));
    askLbl_->setFrame(QRectF(kLeft, titleTop, kTextWidth, userBtn_->frame().top() - titleTop));
    userBtn_->setTitle(text(info, "user"));
    userBtn_->titleLabel()->setTag(info.getIntValueForKey("uid", 0));
    replyLbl_->setText(QStringLiteral("回答数(%1)").arg(text(info, "reply", "0")));
    dateLbl_->setText(text(info, "date"));
}

void AskListItem::btnPressed(Button* button) {
    CustomCell::btnPressed(button);
    const int id = button->titleLabel()->tag();
    if (button->tag() == kHouseTag)
        Navigator::open(nullptr, Route::toObject(Destination::Project, std::to_string(id)));
    else if (button->tag() == kUserTag)
        RootScreenServices::shared().showUserInfo(id);
}

}  // namespace tovera
