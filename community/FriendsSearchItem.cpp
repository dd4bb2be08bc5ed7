#include "community/FriendsSearchItem.h"

#include "community/CommunityText.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "framework/ReplyDispatch.h"
#include "framework/RootScreenServices.h"
#include "platform/Alert.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

FriendsSearchItem::FriendsSearchItem(QWidget* parent)
    : CustomCell(QStringLiteral("FriendsSearchItem"), parent) {
    setFrame(QRectF(0, 0, 320, kHeight));
    nameLabel_ = new Label(QRectF(15, 0, 230, kHeight), contentView());
    nameLabel_->setFont(NSUtil::normalFont());
    nameLabel_->setTextColor(NSUtil::black());
    button_ = new Button(QRectF(255, 8, 55, 28), contentView());
    button_->setFont(NSUtil::smallFont());
    button_->setTitleColor(NSUtil::click());
    button_->setBorder(1, NSUtil::click());
    button_->setCornerRadius(4);
    connectButton(button_);
    setType(0);
}

void FriendsSearchItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    memberId_ = info.getIntValueForKey("id", 0);
    nameLabel_->setText(shownName(Value(info)));
    nameLabel_->setTag(memberId_);
    const Value* group = info.find("groupid");
    button_->setHidden(!group || group->isNull() || group->intValue() >= 0);
}

void FriendsSearchItem::setType(int type) {
    if (type == 0) {
        button_->setTitle(QStringLiteral("添加"));
        button_->setTag(kAddTag);
        return;
    }
    button_->setTitle(QStringLiteral("取消"));
    button_->setTag(kCancelTag);
    button_->setHidden(false);
}

void FriendsSearchItem::btnPressed(Button* button) {
    DSTovera* session = RootScreenServices::shared().session();
    if (!session || button != button_) return;
    const std::string operate = button->tag() == kAddTag ? "1" : "2";
    Dict request{{"id", std::to_string(memberId_)},
                 {"uid", session->userId().value_or("0")},
                 {"operate", operate},
                 {"code", operate}};
    if (button->tag() == kAddTag)
        session->userApply(request, this);
    else
        session->userSetmsg(request, this);
}

void FriendsSearchItem::requestDidLoad(QXRequest* request, const Value& reply) {
    platform::showAlert({"提示", reply.getStringValueForKey("msg", "操作成功"), {"确定"}});
    if (ReplyDispatch::code(reply) == ReplyCode::Refused) return;
    // The row may show another member by now: report only for the one asked about.
    if (request && request->params().getIntValueForKey("id", 0) != memberId_) return;
    CustomCell::btnPressed(button_);
}

void FriendsSearchItem::requestDidFailWithError(QXRequest* request, const Error& error) {
    ReplyDispatch::showFailure(request, error, nullptr);
}

}  // namespace tovera
