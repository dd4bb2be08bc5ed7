#include "news/MoreNewCat.h"

#include "core/DSTovera.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "news/NewsList.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {
// The categories the news home's strip shows before "更多", less the last
// of them (which this list repeats).
constexpr std::size_t kShownOnStrip = 3;
}  // namespace

MoreNewCat::MoreNewCat(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("更多"));
}

void MoreNewCat::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void MoreNewCat::viewWillAppear(bool) {
    if (dataArray_.empty()) reloadData();
}

void MoreNewCat::reloadData() {
    QXViewController::reloadData();
    param().setPage("1");
    session().getNewsSort(param().param(), this);
}

// A reply replaces the rows: a reload never lists a category twice.
void MoreNewCat::didLoad(const Value& reply, QXRequest*) {
    dataArray_ = reply["result"].items();
    if (dataArray_.size() > kShownOnStrip)
        dataArray_.erase(dataArray_.begin(), dataArray_.begin() + kShownOnStrip);
    tableView_->setTableFooterView(dataArray_.empty() ? noItemView() : nullptr);
    tableView_->reloadData();
}

int MoreNewCat::numberOfRowsInSection(TableView*, int) {
    return int(dataArray_.size());
}

TableViewCell* MoreNewCat::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    const QString identifier = QStringLiteral("MoreNewCat");
    TableViewCell* cell = table->dequeueReusableCellWithIdentifier(identifier);
    if (!cell) {
        cell = new TableViewCell(TableViewCell::Style::Default, identifier);
        cell->setSelectedBackgroundView(NSUtil::skinSelectionView());
        cell->textLabel()->setFont(NSUtil::normalFont());
    }
    cell->textLabel()->setText(QString::fromStdString(
        dataArray_[std::size_t(indexPath.row)].getStringValueForKey("catname", "")));
    return cell;
}

void MoreNewCat::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= int(dataArray_.size())) return;
    const Value& category = dataArray_[std::size_t(indexPath.row)];
    auto* list = new NewsList;
    list->setTitle(QString::fromStdString(category.getStringValueForKey("catname", "")));
    list->param().setType(category.getStringValueForKey("cid", "0"));
    Navigator::push(this, list);
}

}  // namespace tovera
