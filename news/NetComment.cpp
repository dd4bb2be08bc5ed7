#include "news/NetComment.h"

#include "comments/CommentList.h"
#include "framework/ButtonsView.h"
#include "framework/NSUtil.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::View;

namespace {

constexpr double kStripHeight = 40;
// The listing ("type") of each tab button, in button order.
constexpr const char* kListingTypes[] = {"6", "8", "9", "7"};

}  // namespace

NetComment::NetComment(QObject* parent) : ViewController(parent) {
    setTitle(QStringLiteral("网友评论"));
    RootScreenServices::shared().setBackItem(navigationItem());
    commentList_ = new CommentList(this);
}

void NetComment::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 416));
    btnsView_ = new ButtonsView(QRectF(0, 0, 320, kStripHeight));
    root->addSubview(btnsView_);
    contentView_ = new View(QRectF(0, kStripHeight, 320, 416 - kStripHeight));
    contentView_->setAutoresizingMask(View::FlexibleSize);
    root->addSubview(contentView_);
    setView(root);
}

void NetComment::viewDidLoad() {
    NSUtil::createBtns({"一周热评", "最新评论", "我的评论", "好友评论"}, btnsView_,
                       [this](Button* button) { btnPressed(button); });
    commentList_->setHiddeTitle(false);
    if (Button* selected = NSUtil::getSelectedButton(btnsView_)) btnPressed(selected);
    // The list loads the chosen listing when its view is built.
    View* list = commentList_->view();
    list->setFrame(contentView_->bounds());
    list->setAutoresizingMask(View::FlexibleSize);
    contentView_->addSubview(list);
}

void NetComment::btnPressed(Button* button) {
    const QList<QWidget*> buttons = btnsView_->subviews();
    const qsizetype index = buttons.indexOf(button);
    if (index < 0 || index >= qsizetype(std::size(kListingTypes))) return;
    for (QWidget* other : buttons)
        if (auto* b = qobject_cast<Button*>(other)) b->setSelected(b == button);
    commentList_->param().setType(kListingTypes[index]);
    if (commentList_->isViewLoaded()) commentList_->reloadData();
}

}  // namespace tovera
