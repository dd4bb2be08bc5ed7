#include "community/ActivityItem.h"

#include "framework/NSUtil.h"
#include "framework/NetImageView.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

constexpr double kWidth = 320;
constexpr double kLeft = 88;
constexpr double kTextWidth = kWidth - kLeft - 8;
constexpr QRectF kPicture(8, 8, 72, 64);

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

}  // namespace

ActivityItem::ActivityItem(QWidget* parent) : CustomCell(QStringLiteral("ActivityItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, kHeight));
    platform::ui::View* content = contentView();
    picView_ = new NetImageView(kPicture, content);
    picView_->setContentMode(platform::ui::ContentMode::ScaleAspectFill);

    titleLbl_ = new Label(QRectF(kLeft, 6, kTextWidth, 44), content);
    titleLbl_->setNumberOfLines(2);
    titleLbl_->setFont(NSUtil::normalFont());
    titleLbl_->setTextColor(NSUtil::black());

    userBtn_ = new Button(QRectF(kLeft, 54, 100, 20), content);
    userBtn_->setFont(NSUtil::smallFont());
    userBtn_->setTitleColor(NSUtil::click());
    userBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    connectButton(userBtn_);

    dateLbl_ = new Label(QRectF(kLeft, 54, kTextWidth, 20), content);
    dateLbl_->setFont(NSUtil::smallFont());
    dateLbl_->setTextColor(NSUtil::secondcolor());
}

void ActivityItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    const bool post = info.contains("user");
    userBtn_->setHidden(!post);
    if (post) {
        userBtn_->setTitle(text(info, "user"));
        const int uid = info.getIntValueForKey("uid", 0);
        userBtn_->titleLabel()->setTag(uid);
        userBtn_->setEnabled(uid > 0);
        dateLbl_->setText(text(info, "update_at"));
        dateLbl_->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        titleLbl_->setText(text(info, "title"));
    } else {
        dateLbl_->setText(QStringLiteral("报名截止:%1").arg(text(info, "endtime")));
        dateLbl_->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        titleLbl_->setText(text(info, "name"));
    }
    picView_->setImgUrl(info.getStringValueForKey(post ? "image" : "pic_sl", ""));
    picView_->load();
}

void ActivityItem::btnPressed(Button* button) {
    CustomCell::btnPressed(button);
    if (button == userBtn_ && button->titleLabel()->tag() > 0)
        RootScreenServices::shared().showUserInfo(button->titleLabel()->tag());
}

}  // namespace tovera
