#include "community/FriendGroupItem.h"

#include "framework/NSUtil.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;

FriendGroupItem::FriendGroupItem(QWidget* parent)
    : CustomCell(QStringLiteral("FriendGroupItem"), parent) {
    setFrame(QRectF(0, 0, 320, kHeight));
    nameLabel_ = new Label(QRectF(15, 0, 180, kHeight), contentView());
    nameLabel_->setFont(NSUtil::normalFont());
    nameLabel_->setTextColor(NSUtil::black());
    modifyBtn_ = new Button(QRectF(200, 8, 50, 28), contentView());
    modifyBtn_->setTitle(QStringLiteral("重命名"));
    modifyBtn_->setTag(kModifyTag);
    deleteBtn_ = new Button(QRectF(258, 8, 50, 28), contentView());
    deleteBtn_->setTitle(QStringLiteral("删除"));
    deleteBtn_->setTag(kDeleteTag);
    for (Button* button : {modifyBtn_, deleteBtn_}) {
        button->setFont(NSUtil::smallFont());
        button->setTitleColor(NSUtil::click());
        connectButton(button);
    }
}

void FriendGroupItem::setInfo(const Dict& info) {
    CustomCell::setInfo(info);
    groupId_ = info.getIntValueForKey("id", 0);
    nameLabel_->setText(QString::fromStdString(info.getStringValueForKey("name", "")));
    nameLabel_->setTag(groupId_);
    modifyBtn_->setHidden(isFixed(groupId_));
    deleteBtn_->setHidden(isFixed(groupId_));
}

QString FriendGroupItem::groupName() const {
    return nameLabel_->text();
}

}  // namespace tovera
