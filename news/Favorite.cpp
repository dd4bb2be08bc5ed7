#include "news/Favorite.h"

#include "core/DSTovera.h"
#include "framework/Navigator.h"
#include "news/NewsItem.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;

Favorite::Favorite(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("我的收藏"));
}

Favorite::~Favorite() {
    // The view may have gone before the screen (a stack deletes both).
    if (isViewLoaded()) tableView_->setDataSource(nullptr);
}

void Favorite::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void Favorite::viewWillAppear(bool) {
    if (favoritesArray_.empty()) reloadData();
}

void Favorite::reloadData() {
    favoritesArray_.clear();
    DSTovera::getFavorite(this);
}

void Favorite::didLoad(const Value& reply, QXRequest*) {
    for (const Value& row : reply.items())
        favoritesArray_.push_back(row);
    reloadTableViewData();
}

void Favorite::reloadTableViewData() {
    tableView_->setTableFooterView(favoritesArray_.empty() ? noItemView() : nullptr);
    tableView_->reloadData();
}

int Favorite::numberOfRowsInSection(TableView*, int) {
    return int(favoritesArray_.size());
}

platform::ui::TableViewCell* Favorite::cellForRowAtIndexPath(TableView* table,
                                                             const IndexPath& path) {
    auto* cell = qobject_cast<NewsItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("NewsItem")));
    if (!cell) cell = new NewsItem;
    const Value& row = favoritesArray_.at(std::size_t(path.row));
    cell->setDelegate(this);
    cell->setTag(path.row);
    cell->setInfo(row.dict() ? *row.dict() : Dict());
    return cell;
}

double Favorite::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return NewsItem::kHeight;
}

double Favorite::heightForHeaderInSection(TableView*, int) {
    return headerView()->frame().height();
}

platform::ui::View* Favorite::viewForHeaderInSection(TableView*, int) {
    return sectionHeaderView(QStringLiteral("您收藏的资讯共有%1条").arg(favoritesArray_.size()));
}

void Favorite::didSelectRowAtIndexPath(TableView* table, const IndexPath& path) {
    table->deselectRowAtIndexPath(path, true);
    if (path.row < 0 || std::size_t(path.row) >= favoritesArray_.size()) return;
    Navigator::open(
        this,
        Route::toObject(Destination::Article,
                        favoritesArray_[std::size_t(path.row)].getStringValueForKey("id", "0")));
}

void Favorite::qxView(platform::ui::View* view, platform::ui::Button* button) {
    if (!button || button->tag() != NewsItem::kCancelled) return;
    const int row = view->tag();
    if (row < 0 || std::size_t(row) >= favoritesArray_.size()) return;
    favoritesArray_.erase(favoritesArray_.begin() + row);
    reloadTableViewData();
}

}  // namespace tovera
