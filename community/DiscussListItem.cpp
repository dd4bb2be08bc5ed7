#include "community/DiscussListItem.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "community/CommunityText.h"
#include "framework/ImageViewShow.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/NetButton.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;
using platform::ui::TextView;

namespace {

constexpr double kWidth = 320;
constexpr double kMargin = 5;
constexpr double kTextWidth = kWidth - 2 * kMargin;

double textHeight(const Dict& info) {
    return NavigationStyle::readOnlyTextHeight(recordText(info, "content"), kTextWidth);
}

}  // namespace

DiscussListItem::DiscussListItem(QWidget* parent)
    : CustomCell(QStringLiteral("DiscussListItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, 80));
    setSelectionStyle(SelectionStyle::None);
    nameBtn_ = new Button(QRectF(2 * kMargin, 0, 200, kLineHeight), contentView());
    nameBtn_->setFont(NSUtil::smallFont());
    nameBtn_->setTitleColor(NSUtil::click());
    nameBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    connect(nameBtn_, &platform::ui::Control::touchUpInside, this, [this] { showUser(); });
    contentText_ = new TextView(QRectF(kMargin, kLineHeight, kTextWidth, 30), contentView());
    NavigationStyle::readOnlyText(contentText_);
    picButton_ = new NetButton(QRectF(10, 0, kPictureSide, kPictureSide), contentView());
    connect(picButton_, &platform::ui::Control::touchUpInside, this, [this] { showBig(); });
    dateLbl_ = new Label(QRectF(2 * kMargin, 0, kTextWidth, kLineHeight), contentView());
    dateLbl_->setFont(NSUtil::smallFont());
    dateLbl_->setTextColor(NSUtil::secondcolor());
}

double DiscussListItem::contentHeight(const Dict& info) {
    const double picture = recordText(info, "picture").isEmpty() ? 0 : kPictureSide;
    return kLineHeight + textHeight(info) + picture + kLineHeight + 4;
}

void DiscussListItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    setFrame(QRectF(frame().topLeft(), QSizeF(kWidth, contentHeight(info))));
    nameBtn_->setTitle(recordText(info, "name"));
    nameBtn_->titleLabel()->setTag(info.getIntValueForKey("id", 0));
    const double textBottom = kLineHeight + textHeight(info);
    contentText_->setFrame(QRectF(kMargin, kLineHeight, kTextWidth, textBottom - kLineHeight));
    contentText_->setText(recordText(info, "content"));
    contentText_->editor()->moveCursor(QTextCursor::Start);
    double dateTop = textBottom;
    const std::string picture = info.getStringValueForKey("picture", "");
    picButton_->setHidden(picture.empty());
    if (!picture.empty()) {
        picButton_->setFrame(QRectF(10, textBottom, kPictureSide, kPictureSide));
        picButton_->setImgUrl(picture);
        picButton_->load();
        dateTop += kPictureSide;
    }
    dateLbl_->setFrame(QRectF(2 * kMargin, dateTop, kTextWidth, kLineHeight));
    dateLbl_->setText(recordText(info, "update_at"));
}

void DiscussListItem::showUser() {
    RootScreenServices::shared().showUserInfo(nameBtn_->titleLabel()->tag());
}

void DiscussListItem::showBig() {
    ImageViewShow* viewer = ImageViewShow::inWindow(platform::ui::Window::keyWindow());
    if (!viewer || picButton_->imgurlArray().empty()) return;
    viewer->setPicsArray(picButton_->imgurlArray());
    viewer->setHidden(false);
}

}  // namespace tovera
