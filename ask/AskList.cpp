#include "ask/AskList.h"

#include "ask/AskDetail.h"
#include "ask/AskListItem.h"
#include "core/DSTovera.h"
#include "framework/Navigator.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

AskList::AskList(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("咨询"));
    initparam();
}

void AskList::initparam() {
    param().setRid("1");
}

void AskList::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void AskList::viewDidLoad() {
    QXViewController::viewDidLoad();
    addRefreshHeader(tableView_);
}

void AskList::viewWillAppear(bool) {
    reloadIfEmpty();
}

void AskList::reloadData() {
    loadFirstPage();
}

void AskList::doRequest() {
    session().getAskList(param().param(), this);
}

void AskList::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
}

int AskList::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* AskList::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<AskListItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("AskListItem")));
    if (!cell) {
        cell = new AskListItem;
        // A project's own question list does not name the project on every row.
        cell->houseBtn()->setTag(param().api() == "tovera" ? 0 : AskListItem::kHouseTag);
    }
    const Dict* row = items()[indexPath.row].dict();
    cell->setInfo(row ? *row : Dict());
    return cell;
}

double AskList::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return AskListItem::kHeight;
}

void AskList::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= int(items().size())) return;
    auto* detail = new AskDetail;
    detail->param().setRid(items()[indexPath.row].getStringValueForKey("id", "0"));
    Navigator::push(nullptr, detail);
}

}  // namespace tovera
