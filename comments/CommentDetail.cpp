#include "comments/CommentDetail.h"

#include "comments/CommentForm.h"
#include "comments/CommentList.h"
#include "comments/PostReply.h"
#include "framework/NavigationStyle.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/View.h"

namespace tovera {

using platform::ui::BarButtonItem;

CommentDetail::CommentDetail(QObject* parent) : ViewController(parent) {
    setTitle(QStringLiteral("评论"));
    RootScreenServices::shared().setBackItem(navigationItem());
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("发表评论"), BarButtonItem::Style::Bordered, [this] { postComment(); }));
    commentList_ = new CommentList(this);
}

void CommentDetail::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, 320, 416));
    platform::ui::View* list = commentList_->view();
    list->setFrame(root->bounds());
    list->setAutoresizingMask(platform::ui::View::FlexibleSize);
    root->addSubview(list);
    setView(root);
}

void CommentDetail::viewDidAppear(bool) {
    if (!commentList_->param().param().remove("refresh")) return;
    commentList_->reloadData();
    PostReply::refreshBeneath(*this);
}

void CommentDetail::postComment() {
    auto* form = new CommentForm;
    form->param().setRid(commentList_->param().rid());
    form->param().setType("8");
    const std::string ptype = commentList_->param().ptype();
    if (!ptype.empty()) form->param().setPtype(ptype);
    if (platform::ui::NavigationController* nav = navigationController())
        nav->pushViewController(form, true);
    else
        delete form;
}

}  // namespace tovera
