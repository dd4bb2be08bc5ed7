#include "community/FriendItem.h"

#include "community/CommunityText.h"
#include "community/SendMessage.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/ReplyDispatch.h"
#include "framework/RootScreenServices.h"
#include "platform/Alert.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

namespace {

Button* rowButton(const QRectF& frame, int tag, const QString& title, QWidget* parent) {
    auto* button = new Button(frame, parent);
    button->setTag(tag);
    button->setTitle(title);
    button->setFont(NSUtil::smallFont());
    button->setTitleColor(NSUtil::click());
    return button;
}

}  // namespace

FriendItem::FriendItem(QWidget* parent) : CustomCell(QStringLiteral("FriendItem"), parent) {
    setFrame(QRectF(0, 0, 320, kHeight));
    platform::ui::View* content = contentView();
    nameLabel_ = new Label(QRectF(15, 0, 150, kHeight), content);
    nameLabel_->setFont(NSUtil::normalFont());
    nameLabel_->setTextColor(NSUtil::black());
    shieldBtn_ = rowButton(QRectF(165, 8, 60, 28), kShieldTag, QStringLiteral("屏蔽"), content);
    messageBtn_ = rowButton(QRectF(228, 8, 40, 28), kMessageTag, QStringLiteral("私信"), content);
    remarkBtn_ = rowButton(QRectF(271, 8, 44, 28), kRemarkTag, QStringLiteral("备注"), content);
    for (Button* button : {shieldBtn_, messageBtn_, remarkBtn_})
        connectButton(button);
}

void FriendItem::setFriend(const Value& record, bool special) {
    friendId_ = record.getIntValueForKey("id", 0);
    name_ = record.getStringValueForKey("name", "");
    shielded_ = record.getIntValueForKey("bool", 0) == 1;
    nameLabel_->setText(shownName(record));
    nameLabel_->setTag(friendId_);
    shieldBtn_->setHidden(special);
    remarkBtn_->setHidden(special);
    showShield();
}

void FriendItem::showShield() {
    shieldBtn_->setTitle(shielded_ ? QStringLiteral("取消屏蔽") : QStringLiteral("屏蔽"));
}

void FriendItem::btnPressed(Button* button) {
    switch (button->tag()) {
        case kShieldTag:
            shield();
            break;
        case kMessageTag: {
            auto* form = new SendMessage;
            form->sendTo(QString::fromStdString(name_));
            Navigator::push(nullptr, form);
            break;
        }
        default:
            CustomCell::btnPressed(button);
            break;
    }
}

void FriendItem::shield() {
    DSTovera* session = RootScreenServices::shared().session();
    if (!session) return;
    // The request names the friend, so a reply that comes back after the
    // row was reused for another friend changes nothing here.
    Dict request{{"id", std::to_string(friendId_)},
                 {"uid", session->userId().value_or("0")},
                 {"operate", shielded_ ? "0" : "1"},
                 {"code", shielded_ ? "0" : "1"}};
    session->userShieldmsg(request, this);
}

void FriendItem::requestDidLoad(QXRequest* request, const Value& reply) {
    platform::showAlert({"提示", reply.getStringValueForKey("msg", "未知"), {"确定"}});
    if (ReplyDispatch::code(reply) != ReplyCode::Accepted ||
        reply.getIntValueForKey("code", -1) != 0)
        return;
    if (!request || request->params().getIntValueForKey("id", 0) != friendId_) return;
    shielded_ = request->params().getStringValueForKey("operate", "0") == "1";
    showShield();
    CustomCell::btnPressed(shieldBtn_);
}

void FriendItem::requestDidFailWithError(QXRequest* request, const Error& error) {
    ReplyDispatch::showFailure(request, error, nullptr);
}

}  // namespace tovera
