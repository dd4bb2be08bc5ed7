#include "community/TopicDetail.h"

#include "community/CommunityText.h"
#include "community/FowardForm.h"
#include "community/TopicDetailItem.h"
#include "community/TopicLayout.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "platform/Alert.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TabBarItem;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {
constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kTabBarHeight = 49;
const char* const kDeleteApi = "delthread";
}  // namespace

TopicDetail::TopicDetail(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("浏览话题"));
}

void TopicDetail::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(Qt::white);
    tableView_ =
        new TableView(QRectF(0, 0, kWidth, kHeight - kTabBarHeight), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    root->addSubview(tableView_);
    tabBar_ =
        new platform::ui::TabBar(QRectF(0, kHeight - kTabBarHeight, kWidth, kTabBarHeight), root);
    tabBar_->setAutoresizingMask(platform::ui::View::FlexibleTopMargin |
                                 platform::ui::View::FlexibleWidth);
    tabBar_->setItems({new TabBarItem(QStringLiteral("转载"), {}, kForward, this),
                       new TabBarItem(QStringLiteral("回复"), {}, kReply, this),
                       new TabBarItem(QStringLiteral("删除"), {}, kDelete, this)});
    tabBar_->setDelegate(this);
    setView(root);
}

void TopicDetail::viewDidLoad() {
    QXViewController::viewDidLoad();
    addRefreshHeader(tableView_);
    reloadData();
    for (TabBarItem* item : tabBar_->items())
        barItems_ << item;
    tabBar_->setItems({});
}

void TopicDetail::viewDidAppear(bool animated) {
    QXViewController::viewDidAppear(animated);
    if (takeRefreshFlag()) reloadData();
}

void TopicDetail::reloadData() {
    loadFirstPage();
}

void TopicDetail::doRequest() {
    session().getTopicDetail(param().param(), this);
}

void TopicDetail::didLoad(const Value& reply, QXRequest* request) {
    if (request && request->params().getStringValueForKey("api", "") == kDeleteApi) {
        NSUtil::makeText(reply.getStringValueForKey("msg", "删除话题成功")).show();
        flagScreenBeneath(this);
        popScreen(this);
        return;
    }
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    tableView_->setTag(total());
    updateTabbar();
}

Dict TopicDetail::topicRecord() {
    const Dict* row = items().empty() ? nullptr : items().front().dict();
    return row ? *row : Dict();
}

void TopicDetail::updateTabbar() {
    const Dict first = topicRecord();
    QList<TabBarItem*> shown;
    if (!first.empty()) {
        shown << barItems_.value(kForward).data() << barItems_.value(kReply).data();
        const DSTovera& s = session();
        const std::string author = first.getStringValueForKey("uid", "");
        if (s.isUserLoggedin() && s.userId() && !author.empty() && *s.userId() == author)
            shown << barItems_.value(kDelete).data();
    }
    shown.removeAll(nullptr);
    tabBar_->setItems(shown);
}

void TopicDetail::tabBarDidSelectItem(platform::ui::TabBar* tabBar, TabBarItem* item) {
    switch (barItems_.indexOf(item)) {
        case kForward:
            forward();
            break;
        case kReply:
            reply();
            break;
        case kDelete:
            askToDelete();
            break;
        default:
            break;
    }
    tabBar->setSelectedItem(nullptr);
}

void TopicDetail::forward() {
    const Dict first = topicRecord();
    FowardForm::open(this, topic::text(first, "text"), first.getIntValueForKey("id", 0));
}

void TopicDetail::reply() {
    topic::reply(this, Value(param().rid()).intValue());
}

void TopicDetail::askToDelete() {
    QPointer<TopicDetail> self(this);
    platform::showAlert({"提示", "您确定要删除该话题吗?", {"确定", "取消"}, 0, [self](int index) {
                             if (self && index == 0) self->deleteTopic();
                         }});
}

void TopicDetail::deleteTopic() {
    // The deletion has a dictionary of its own, so that its keys never
    // reach the topic's page requests.
    QXParam close;
    close.setApi(kDeleteApi);
    close.setRid(topicRecord().getStringValueForKey("id", param().rid()));
    close.setUid(session().userId().value_or("0"));
    close.setType("3");
    close.setOperate("2");
    QXViewController::reloadData();
    session().userClose(close.param(), this);
}

int TopicDetail::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* TopicDetail::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<TopicDetailItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("TopicDetailItem")));
    if (!cell) cell = new TopicDetailItem;
    cell->setTag(indexPath.row);
    const Dict* row = items()[indexPath.row].dict();
    cell->setInfo(row ? *row : Dict());
    return cell;
}

double TopicDetail::heightForRowAtIndexPath(TableView*, const IndexPath& indexPath) {
    const Dict* row = items()[indexPath.row].dict();
    return TopicDetailItem::contentHeight(row ? *row : Dict());
}

}  // namespace tovera
