#include "community/MessageHome.h"

#include "community/MessageList.h"
#include "community/SendMessage.h"
#include "framework/ButtonsView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::View;

MessageHome::MessageHome(QObject* parent) : ViewController(parent) {
    setTitle(QStringLiteral("私信"));
    RootScreenServices::shared().setBackItem(navigationItem());
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("发送短信"), BarButtonItem::Style::Bordered, [this] { sendMessage(); }));
    msgController_ = new MessageList(this);
}

void MessageHome::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 416));
    btnsView_ = new ButtonsView(QRectF(0, 0, 320, kTabHeight), root);
    contentView_ = new View(QRectF(0, kTabHeight, 320, 416 - kTabHeight), root);
    contentView_->setAutoresizingMask(View::FlexibleHeight);
    setView(root);
}

void MessageHome::viewDidLoad() {
    NSUtil::createBtns({"全部", "系统短信", "好友短信", "推荐信息", "已发送"}, btnsView_,
                       [this](Button* button) { tabPressed(button); });
    View* list = msgController_->view();
    list->setFrame(contentView_->bounds());
    list->setAutoresizingMask(View::FlexibleSize);
    contentView_->addSubview(list);
    tabPressed(NSUtil::getSelectedButton(btnsView_));
    RootScreenServices::shared().newMessage();
}

void MessageHome::viewWillAppear(bool) {
    // A message sent, deleted or answered elsewhere shows on return.
    if (msgController_->param().param().remove("refresh")) msgController_->reloadData();
}

void MessageHome::tabPressed(Button* button) {
    if (!button) return;
    const QList<QWidget*> tabs = btnsView_->subviews();
    for (QWidget* child : tabs)
        if (auto* tab = qobject_cast<Button*>(child)) tab->setSelected(false);
    button->setSelected(true);
    msgController_->param().setType(std::to_string(tabs.indexOf(button) + 1));
    msgController_->reloadData();
}

void MessageHome::sendMessage() {
    Navigator::push(this, new SendMessage);
}

}  // namespace tovera
