#include "community/TopicHome.h"

#include "community/TopicDetail.h"
#include "community/TopicItem.h"
#include "core/DSTovera.h"
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
using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {
constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kStripHeight = 36;
}  // namespace

TopicHome::TopicHome(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("话题"));
    param().setType("1");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("发表话题"), BarButtonItem::Style::Bordered, [this] { postTopic(); }));
    // The first showing loads the list.
    param().setString("YES", "refresh");
}

void TopicHome::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(Qt::white);
    btnView_ = new ButtonsView(QRectF(0, 0, kWidth, kStripHeight), root);
    tableView_ = new TableView(QRectF(0, kStripHeight, kWidth, kHeight - kStripHeight),
                               TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    root->addSubview(tableView_);
    setView(root);
}

void TopicHome::viewDidLoad() {
    QXViewController::viewDidLoad();
    NSUtil::createBtns({"所有话题", "热门话题", "我的话题", "好友话题"}, btnView_,
                       [this](Button* button) { btnPressed(button); });
    addRefreshHeader(tableView_);
}

void TopicHome::viewDidAppear(bool animated) {
    QXViewController::viewDidAppear(animated);
    if (!takeRefreshFlag()) return;
    // The selected listing again (the first before any was chosen).
    if (Button* selected = NSUtil::getSelectedButton(btnView_)) btnPressed(selected);
}

void TopicHome::btnPressed(Button* button) {
    btnsView(btnView_, button);
    const auto index = btnView_->subviews().indexOf(button);
    if (index < 0) return;
    param().setType(std::to_string(index + 1));
    reloadData();
}

void TopicHome::postTopic() {
    if (!session().checkLogin()) return;
    Route form{Destination::AskForm, {}, QStringLiteral("发表话题")};
    form.param.setType("6");
    Navigator::open(this, form);
}

void TopicHome::reloadData() {
    loadFirstPage();
}

void TopicHome::doRequest() {
    session().getTopicList(param().param(), this);
}

void TopicHome::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    tableView_->setTag(total());
}

int TopicHome::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* TopicHome::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<TopicItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("TopicItem")));
    if (!cell) cell = new TopicItem;
    const Dict* row = items()[indexPath.row].dict();
    cell->setInfo(row ? *row : Dict());
    return cell;
}

double TopicHome::heightForRowAtIndexPath(TableView*, const IndexPath& indexPath) {
    const Dict* row = items()[indexPath.row].dict();
    return TopicItem::contentHeight(row ? *row : Dict());
}

void TopicHome::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= int(items().size())) return;
    Navigator::open(this, Route::toObject(Destination::Topic,
                                          items()[indexPath.row].getStringValueForKey("id", "0")));
}

}  // namespace tovera
