#include "property/SellList.h"

#include "core/DSTovera.h"
#include "framework/Navigator.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/Label.h"
#include "property/SellListItem.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

SellList::SellList(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("销售信息"));
}

void SellList::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setAllowsSelection(false);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void SellList::viewDidLoad() {
    QXViewController::viewDidLoad();
    addRefreshHeader(tableView_);
    setHeaderTitle(headerTitle_);
}

void SellList::viewWillAppear(bool) {
    reloadIfEmpty();
}

void SellList::setHeaderTitle(const QString& name) {
    headerTitle_ = name;
    if (!tableView_) return;
    if (name.isEmpty()) {
        tableView_->setTableHeaderView(nullptr);
        return;
    }
    platform::ui::Label* header = headerView();
    header->setText(name);
    tableView_->setTableHeaderView(header);
}

void SellList::addViewHouseButton() {
    auto* button = new BarButtonItem(QStringLiteral("查看楼盘"), BarButtonItem::Style::Plain);
    connect(button, &BarButtonItem::triggered, this, [this] { viewHouse(); });
    navigationItem()->setRightBarButtonItem(button);
}

void SellList::viewHouse() {
    Navigator::open(this, Route::toObject(Destination::Project, param().rid()));
}

void SellList::reloadData() {
    loadFirstPage();
}

void SellList::doRequest() {
    session().getHouseSellList(param().param(), this);
}

void SellList::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
}

int SellList::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* SellList::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<SellListItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("SellListItem")));
    if (!cell) cell = new SellListItem;
    const Dict* row = items()[indexPath.row].dict();
    cell->setInfo(row ? *row : Dict());
    cell->setTag(indexPath.row);
    return cell;
}

double SellList::heightForRowAtIndexPath(TableView*, const IndexPath& indexPath) {
    const Dict* row = items()[indexPath.row].dict();
    return SellListItem::height(row ? *row : Dict());
}

}  // namespace tovera
