#include "ask/AskHome.h"

#include "ask/AskForm.h"
#include "ask/AskList.h"
#include "framework/ButtonsView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;

namespace {
constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kStripHeight = 36;
}  // namespace

AskHome::AskHome(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("咨询"));
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("发表咨询"), BarButtonItem::Style::Bordered, [this] { showAskForm(); }));
}

void AskHome::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(Qt::white);
    btnView_ = new ButtonsView(QRectF(0, 0, kWidth, kStripHeight), root);
    contentView_ =
        new platform::ui::View(QRectF(0, kStripHeight, kWidth, kHeight - kStripHeight), root);
    contentView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    setView(root);
}

void AskHome::viewDidLoad() {
    QXViewController::viewDidLoad();
    asklistController_ = new AskList(this);
    asklistController_->setParentViewController(this);
    platform::ui::View* list = asklistController_->view();
    list->setFrame(QRectF(QPointF(0, 0), contentView_->frame().size()));
    contentView_->addSubview(list);
    NSUtil::createBtns({"待解决", "已解决", "我的咨询", "我参与的", "好友咨询"}, btnView_,
                       [this](Button* button) { btnPressed(button); });
    if (Button* selected = NSUtil::getSelectedButton(btnView_)) btnPressed(selected);
}

void AskHome::btnPressed(Button* button) {
    btnsView(btnView_, button);
    const auto index = btnView_->subviews().indexOf(button);
    if (index < 0 || !asklistController_) return;
    asklistController_->param().setType(std::to_string(index + 1));
    asklistController_->reloadData();
}

void AskHome::viewDidAppear(bool animated) {
    QXViewController::viewDidAppear(animated);
    if (!takeRefreshFlag()) return;
    if (Button* selected = NSUtil::getSelectedButton(btnView_)) btnPressed(selected);
}

void AskHome::showAskForm() {
    Navigator::push(this, new AskForm);
}

}  // namespace tovera
