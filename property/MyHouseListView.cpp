#include "property/MyHouseListView.h"

#include "platform/ui/views/Label.h"
#include "property/BuyStateItem.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

MyHouseListView::MyHouseListView(const QRectF& frame, QWidget* parent, const Array& records)
    : QXRequestView(frame, parent) {
    tableView_ = new TableView(QRectF(QPointF(0, 0), frame.size()), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    addSubview(tableView_);
    setDataArray(records);
}

void MyHouseListView::setDataArray(const Array& records) {
    dataArray_ = records;
    tableView_->setTableFooterView(dataArray_.empty() ? noItemView() : nullptr);
    reloadData();
}

void MyHouseListView::reloadData() {
    tableView_->reloadData();
}

// Found by id: the rows above may have gone while the delete was on its way.
void MyHouseListView::recordRemoved(const std::string& id) {
    Array kept;
    for (const Value& record : dataArray_)
        if (record.getStringValueForKey("id", "0") != id) kept.push_back(record);
    setDataArray(kept);
}

int MyHouseListView::numberOfRowsInSection(TableView*, int) {
    return int(dataArray_.size());
}

TableViewCell* MyHouseListView::cellForRowAtIndexPath(TableView* table,
                                                      const IndexPath& indexPath) {
    auto* cell = qobject_cast<BuyStateItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("BuyStateItem")));
    if (!cell) cell = new BuyStateItem;
    cell->setDelegate(this);
    cell->setTag(indexPath.row);
    const Value& record = dataArray_[indexPath.row];
    cell->setInfo(record.dict() ? *record.dict() : Dict());
    return cell;
}

double MyHouseListView::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return BuyStateItem::kHeight;
}

}  // namespace tovera
