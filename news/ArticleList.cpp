#include "news/ArticleList.h"

#include "core/DSTovera.h"
#include "framework/Navigator.h"
#include "news/NewsItem.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

ArticleList::ArticleList(QObject* parent) : QXViewController(true, parent) {}

TableView* ArticleList::makeTable(const QRectF& frame) {
    tableView_ = new TableView(frame, TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    return tableView_;
}

void ArticleList::viewDidLoad() {
    QXViewController::viewDidLoad();
    addRefreshHeader(tableView_);
}

void ArticleList::reloadData() {
    if (tableView_) tableView_->setTag(0);
    loadFirstPage();
}

void ArticleList::dataGrow() {
    param().setMore("1");
    QXViewController::dataGrow();
}

void ArticleList::doRequest() {
    session().getNewsSearch(param().param(), this);
}

void ArticleList::didLoad(const Value& reply, QXRequest*) {
    appendPage(reply, tableView_);
    if (tableView_) tableView_->setTag(total());
}

int ArticleList::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* ArticleList::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<NewsItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("NewsItem")));
    if (!cell) cell = new NewsItem;
    const Value& row = items()[indexPath.row];
    cell->setInfo(row.dict() ? *row.dict() : Dict());
    cell->setTag(indexPath.row);
    return cell;
}

double ArticleList::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return NewsItem::kHeight;
}

void ArticleList::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= int(items().size())) return;
    Navigator::open(this, Route::toObject(Destination::Article,
                                          items()[indexPath.row].getStringValueForKey("id", "0")));
}

}  // namespace tovera
