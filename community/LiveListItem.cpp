#include "community/LiveListItem.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "community/CommunityText.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/NetButton.h"
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

bool roomPicture(const Dict& info) {
    return !info.getStringValueForKey("picture", "").empty();
}

double textHeight(const Dict& info) {
    return NavigationStyle::readOnlyTextHeight(recordText(info, "message"), kTextWidth);
}

}  // namespace

LiveListItem::LiveListItem(QWidget* parent) : CustomCell(QStringLiteral("LiveListItem"), parent) {
    setFrame(QRectF(0, 0, kWidth, 80));
    setSelectionStyle(SelectionStyle::None);
    messageText_ = new TextView(QRectF(kMargin, 0, kTextWidth, 30), contentView());
    NavigationStyle::readOnlyText(messageText_);
    picButton_ = new NetButton(QRectF(kMargin, 0, kTextWidth, kPictureHeight), contentView());
    connectButton(picButton_);
    dateLbl_ = new Label(QRectF(kMargin, 0, 200, kBarHeight), contentView());
    dateLbl_->setFont(NSUtil::smallFont());
    dateLbl_->setTextColor(NSUtil::secondcolor());
    commentBtn_ = new Button(QRectF(kWidth - 90, 0, 85, kBarHeight), contentView());
    commentBtn_->setFont(NSUtil::smallFont());
    commentBtn_->setTitleColor(NSUtil::click());
    commentBtn_->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Right);
    connectButton(commentBtn_);
}

double LiveListItem::contentHeight(const Dict& info) {
    if (roomPicture(info)) return kRoomPictureHeight + 10;
    const double picture = recordText(info, "images").isEmpty() ? 0 : kPictureHeight;
    return textHeight(info) + picture + kBarHeight + 5;
}

void LiveListItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    setFrame(QRectF(frame().topLeft(), QSizeF(kWidth, contentHeight(info))));
    const bool room = roomPicture(info);
    messageText_->setHidden(room);
    dateLbl_->setHidden(room);
    commentBtn_->setHidden(room);
    const std::string picture = info.getStringValueForKey(room ? "picture" : "images", "");
    picButton_->setHidden(picture.empty());
    if (!picture.empty()) {
        picButton_->setImgUrl(picture);
        picButton_->load();
    }
    if (room) {
        picButton_->setFrame(QRectF(kMargin, 5, kTextWidth, kRoomPictureHeight));
        return;
    }
    const double textBottom = textHeight(info);
    messageText_->setFrame(QRectF(kMargin, 0, kTextWidth, textBottom));
    messageText_->setText(recordText(info, "message"));
    messageText_->editor()->moveCursor(QTextCursor::Start);
    double barTop = textBottom;
    if (!picture.empty()) {
        picButton_->setFrame(QRectF(kMargin, textBottom, kTextWidth, kPictureHeight));
        barTop += kPictureHeight;
    }
    dateLbl_->setFrame(QRectF(2 * kMargin, barTop, 200, kBarHeight));
    dateLbl_->setText(recordText(info, "update_at"));
    commentBtn_->setFrame(QRectF(kWidth - 90, barTop, 85, kBarHeight));
    commentBtn_->setTitle(QStringLiteral("评论(%1)").arg(recordText(info, "comment")));
    commentBtn_->titleLabel()->setTag(info.getIntValueForKey("id", 0));
}

}  // namespace tovera
