#include "property/HouseList.h"

#include "core/DSTovera.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "property/HouseDetail.h"
#include "property/HouseListItem.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

HouseList::HouseList(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("二手房"));
    param().setApi("oldhouse");
    RootScreenServices::shared().setBackItem(navigationItem());
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("筛选"), platform::ui::BarButtonItem::Style::Plain,
        [this] { openFilter(); }));
}

void HouseList::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void HouseList::viewDidLoad() {
    QXViewController::viewDidLoad();
    addRefreshHeader(tableView_);
    if (items().empty() || param().param().contains("force")) reloadData();
}

void HouseList::openFilter() {
    Route filter{Destination::ProjectFilter};
    filter.param.setApi(param().api());
    Navigator::open(this, filter);
}

void HouseList::reloadData() {
    if (tableView_) tableView_->setTag(0);
    loadFirstPage();
}

void HouseList::doRequest() {
    session().getOldhouseSearch(param().param(), this);
}

void HouseList::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    if (tableView_) tableView_->setTag(total());
}

int HouseList::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* HouseList::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<HouseListItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("HouseListItem")));
    if (!cell) cell = new HouseListItem;
    const Value& row = items()[indexPath.row];
    cell->setInfo(row.dict() ? *row.dict() : Dict());
    cell->setType(param().api());
    return cell;
}

double HouseList::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return HouseListItem::kHeight;
}

void HouseList::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= int(items().size())) return;
    auto* detail = new HouseDetail;
    detail->setTitle(QStringLiteral("%1详情").arg(title()));
    detail->param().setApi(param().api());
    detail->param().setRid(items()[indexPath.row].getStringValueForKey("id", "0"));
    Navigator::push(this, detail);
}

}  // namespace tovera
