#include "community/ActivityHome.h"

#include "community/ActivityDetail.h"
#include "community/ActivityItem.h"
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

ActivityHome::ActivityHome(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("活动"));
    param().setType("1");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("意向城市"), BarButtonItem::Style::Bordered, [this] { wangtedCity(); }));
}

void ActivityHome::loadView() {
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

void ActivityHome::viewDidLoad() {
    QXViewController::viewDidLoad();
    NSUtil::createBtns({"正在进行", "历史活动"}, btnView_,
                       [this](Button* button) { btnPressed(button); });
    addRefreshHeader(tableView_);
    if (Button* selected = NSUtil::getSelectedButton(btnView_)) btnPressed(selected);
}

void ActivityHome::btnPressed(Button* button) {
    btnsView(btnView_, button);
    const auto index = btnView_->subviews().indexOf(button);
    if (index < 0) return;
    param().setType(std::to_string(index + 1));
    reloadData();
}

void ActivityHome::wangtedCity() {
    if (!session().checkLogin()) return;
    Route edit{Destination::ProfileEdit, {}, QStringLiteral("修改意向城市")};
    edit.param.setRid(session().userId() ? Value(*session().userId()) : Value("0"));
    edit.param.setType("2");
    Navigator::open(this, edit);
}

void ActivityHome::reloadData() {
    loadFirstPage();
}

void ActivityHome::doRequest() {
    if (const std::optional<std::string>& uid = session().userId(); uid && !uid->empty())
        param().setUid(*uid);
    else
        param().param().remove("uid");
    session().getActivityList(param().param(), this);
}

void ActivityHome::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    tableView_->setTag(total());
}

int ActivityHome::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* ActivityHome::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<ActivityItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("ActivityItem")));
    if (!cell) cell = new ActivityItem;
    const Dict* row = items()[indexPath.row].dict();
    cell->setInfo(row ? *row : Dict());
    return cell;
}

double ActivityHome::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return ActivityItem::kHeight;
}

void ActivityHome::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= int(items().size())) return;
    auto* detail = new ActivityDetail;
    detail->param().setRid(items()[indexPath.row].getStringValueForKey("id", "0"));
    Navigator::push(this, detail);
}

}  // namespace tovera
