#include "ask/AskDetail.h"

#include "ask/AskDetailView.h"
#include "ask/AskForm.h"
#include "comments/PostReply.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "platform/Alert.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/TabBarItem.h"

namespace tovera {

using platform::ui::TabBarItem;

namespace {
constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kTabBarHeight = 49;
const char* const kCloseApi = "closeask";
}  // namespace

AskDetail::AskDetail(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("咨询详情"));
}

void AskDetail::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(NSUtil::listview_item());
    tabBar_ =
        new platform::ui::TabBar(QRectF(0, kHeight - kTabBarHeight, kWidth, kTabBarHeight), root);
    tabBar_->setAutoresizingMask(platform::ui::View::FlexibleTopMargin |
                                 platform::ui::View::FlexibleWidth);
    tabBar_->setItems({new TabBarItem(QStringLiteral("提问"), {}, kNewQuestion),
                       new TabBarItem(QStringLiteral("关闭"), {}, kClose),
                       new TabBarItem(QStringLiteral("回答"), {}, kAnswer)});
    tabBar_->setDelegate(this);
    setView(root);
}

void AskDetail::viewDidLoad() {
    QXViewController::viewDidLoad();
    for (TabBarItem* item : tabBar_->items())
        tabbarItems_ << item;
    tabBar_->setItems({});
    scrollView_ = new AskDetailView(
        QRectF(0, 0, view()->bounds().width(), view()->bounds().height() - kTabBarHeight));
    scrollView_->setBackgroundColor(NSUtil::listview_item());
    view()->addSubview(scrollView_);
    detail_ = Dict();
}

void AskDetail::viewDidAppear(bool animated) {
    QXViewController::viewDidAppear(animated);
    if (detail_.empty() || takeRefreshFlag())
        reloadData();
    else
        scrollView_->updateReply();
}

void AskDetail::reloadData() {
    QXViewController::reloadData();
    detail_ = Dict();
    doRequest();
}

void AskDetail::doRequest() {
    session().getAskDetail(param().param(), this);
}

void AskDetail::didLoad(const Value& reply, QXRequest* request) {
    if (request && request->params().getStringValueForKey("api", "") == kCloseApi) {
        NSUtil::makeText(reply.getStringValueForKey("msg", "操作成功")).show();
        PostReply::refreshBeneath(*this);
        platform::ui::NavigationController* nav = navigationController();
        if (nav && nav->topViewController() == this) nav->popViewControllerAnimated(true);
        return;
    }
    const Dict* record = reply.dict();
    if (!record) return;
    detail_.merge(*record);
    updateTabbar();
    scrollView_->setInfo(detail_);
}

void AskDetail::updateTabbar() {
    QList<TabBarItem*> items;
    auto item = [this](Tab tab) { return tabbarItems_.value(tab).data(); };
    items << item(kNewQuestion);
    if (detail_.getIntValueForKey("closed", 0) != 1) items << item(kAnswer);
    const DSTovera& s = session();
    if (s.isUserLoggedin() && s.userId() && *s.userId() == detail_.getStringValueForKey("uid", "0"))
        items.insert(items.size() == 1 ? 0 : 1, item(kClose));
    items.removeAll(nullptr);
    tabBar_->setItems(items);
}

void AskDetail::tabBarDidSelectItem(platform::ui::TabBar* tabBar, TabBarItem* item) {
    switch (tabbarItems_.indexOf(item)) {
        case kNewQuestion:
            Navigator::push(this, new AskForm);
            break;
        case kClose:
            askToClose();
            break;
        case kAnswer:
            reply();
            break;
        default:
            break;
    }
    tabBar->setSelectedItem(nullptr);
}

void AskDetail::askToClose() {
    QPointer<AskDetail> self(this);
    platform::showAlert({"提示", "您确定要关闭咨询?", {"确定", "取消"}, 0, [self](int index) {
                             if (self && index == 0) self->closeAsk();
                         }});
}

void AskDetail::closeAsk() {
    // The close request has a dictionary of its own, so that its keys never
    // reach the question's request.
    QXParam close;
    close.setApi(kCloseApi);
    close.setRid(detail_.getStringValueForKey("id", param().rid()));
    close.setType("1");
    close.setOperate("2");
    QXViewController::reloadData();
    session().userClose(close.param(), this);
}

void AskDetail::reply() {
    auto* form = new AskForm;
    form->setTitle(QStringLiteral("回答咨询"));
    form->param().setRid(detail_.getStringValueForKey("id", "0"));
    form->param().setType("3");
    Navigator::push(this, form);
}

}  // namespace tovera
