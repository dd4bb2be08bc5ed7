#include "ask/ReplyItem.h"

#include <QPlainTextEdit>
#include <QTextCursor>

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
using platform::ui::TextView;

namespace {

constexpr double kWidth = 320;
constexpr double kMargin = 5;
constexpr double kTextWidth = kWidth - 2 * kMargin;
constexpr double kEmptyTextHeight = 30;

QString text(const Dict& info, std::string_view key) {
    return QString::fromStdString(info.getStringValueForKey(key, ""));
}

double textHeight(const QString& value) {
    return value.isEmpty() ? kEmptyTextHeight
                           : NavigationStyle::readOnlyTextHeight(value, kTextWidth);
}

}  // namespace

ReplyItem::ReplyItem(QWidget* parent) : CustomCell(QStringLiteral("ReplyItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, 80));
    setSelectionStyle(SelectionStyle::None);
    replyText_ = new TextView(QRectF(kMargin, 0, kTextWidth, kEmptyTextHeight), contentView());
    NavigationStyle::readOnlyText(replyText_);
    netButton_ = new NetButton(QRectF(10, 0, kPictureSide, kPictureSide), contentView());
    connect(netButton_, &platform::ui::Control::touchUpInside, this, [this] { showBig(); });
    bottomBar_ = new platform::ui::View(QRectF(0, 0, kWidth, kBarHeight), contentView());
    userBtn_ = new Button(QRectF(kMargin, 0, 110, kBarHeight), bottomBar_);
    userBtn_->setFont(NSUtil::smallFont());
    userBtn_->setTitleColor(NSUtil::click());
    userBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
    userBtn_->setTag(kUserTag);
    connect(userBtn_, &platform::ui::Control::touchUpInside, this, [this] { showUser(); });
    dateLbl_ = new platform::ui::Label(QRectF(120, 0, 120, kBarHeight), bottomBar_);
    dateLbl_->setFont(NSUtil::smallFont());
    dateLbl_->setTextColor(NSUtil::secondcolor());
    bestBtn_ = Button::withType(Button::Type::RoundedRect, bottomBar_);
    bestBtn_->setFrame(QRectF(kWidth - 75, 3, 70, kBarHeight - 6));
    bestBtn_->setFont(NSUtil::smallFont());
    bestBtn_->setTitle(QStringLiteral("设为最佳"));
    bestBtn_->setTag(kBestTag);
    connectButton(bestBtn_);
}

double ReplyItem::contentHeight(const Dict& info) {
    const double picture = text(info, "picture").isEmpty() ? 0 : kPictureSide;
    return textHeight(text(info, "text")) + picture + kBarHeight + 8;
}

void ReplyItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    const double height = contentHeight(info);
    setFrame(QRectF(frame().topLeft(), QSizeF(kWidth, height)));
    const QString answer = text(info, "text");
    const double textBottom = textHeight(answer);
    replyText_->setFrame(QRectF(kMargin, 0, kTextWidth, textBottom));
    replyText_->setText(answer);
    replyText_->editor()->moveCursor(QTextCursor::Start);
    double barTop = textBottom;
    const std::string picture = info.getStringValueForKey("picture", "");
    netButton_->setHidden(picture.empty());
    if (!picture.empty()) {
        netButton_->setFrame(QRectF(10, textBottom, kPictureSide, kPictureSide));
        netButton_->setImgUrl(picture);
        netButton_->load();
        barTop += kPictureSide;
    }
    userBtn_->setTitle(text(info, "name"));
    userBtn_->titleLabel()->setTag(info.getIntValueForKey("uid", 0));
    dateLbl_->setText(text(info, "date"));
    bestBtn_->titleLabel()->setTag(info.getIntValueForKey("id", 0));
    bestBtn_->setHidden(false);
    bottomBar_->setFrame(QRectF(0, barTop + 4, kWidth, kBarHeight));
}

void ReplyItem::setAskInfo(const std::string& viewerId) {
    const std::string author = std::to_string(userBtn_->titleLabel()->tag());
    if (viewerId == "0" || viewerId.empty() || author == viewerId) bestBtn_->setHidden(true);
}

void ReplyItem::setClosed(int closed) {
    if (closed == 1) bestBtn_->setHidden(true);
}

void ReplyItem::showBig() {
    ImageViewShow* viewer = ImageViewShow::inWindow(platform::ui::Window::keyWindow());
    if (!viewer || netButton_->imgurlArray().empty()) return;
    viewer->setPicsArray(netButton_->imgurlArray());
    viewer->setHidden(false);
}

void ReplyItem::showUser() {
    RootScreenServices::shared().showUserInfo(userBtn_->titleLabel()->tag());
}

}  // namespace tovera
