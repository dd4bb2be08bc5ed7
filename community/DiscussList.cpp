#include "community/DiscussList.h"

#include "community/DiscussListItem.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/ActivityView.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {
constexpr int kPageSize = 10;

int pageOf(const QXRequest* request) {
    return Value(request->params().getStringValueForKey("page", "1")).intValue();
}
}  // namespace

DiscussList::DiscussList(QObject* parent) : QXViewController(true, parent) {
    param().setApi("discuss");
}

void DiscussList::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 300), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void DiscussList::viewDidLoad() {
    QXViewController::viewDidLoad();
    addRefreshHeader(tableView_);
    reloadData();
}

void DiscussList::reloadData() {
    tableView_->setTag(0);
    firstPending_ = true;
    loadFirstPage();
    // A list inside the room reads without the busy indicator: the room's
    // head stays usable while it loads.
    ActivityView::ownerGone(this);
}

void DiscussList::doRequest() {
    session().getLiveDiscussList(param().param(), this);
}

void DiscussList::refreshNewest() {
    if (firstPending_) return;
    if (items().empty()) {
        reloadData();
        return;
    }
    // Its own record: the list's "page" stays where the reader is.
    Dict newest = param().param();
    newest.setString("1", "page");
    issuingNewest_ = true;
    session().getLiveDiscussList(newest, this);
    issuingNewest_ = false;
}

void DiscussList::requestLoading(QXRequest* request) {
    if (issuingNewest_) newestRequests_.insert(request);
    QXViewController::requestLoading(request);
}

void DiscussList::requestDidLoad(QXRequest* request, const Value& reply) {
    answeringNewest_ = newestRequests_.erase(request) > 0;
    if (!answeringNewest_ && pageOf(request) == 1) firstPending_ = false;
    QXViewController::requestDidLoad(request, reply);
    answeringNewest_ = false;
}

void DiscussList::requestDidFailWithError(QXRequest* request, const Error& error) {
    // A failed first page leaves the list as it was: the polling may add to
    // it again.
    if (!newestRequests_.erase(request) && pageOf(request) == 1) firstPending_ = false;
    QXViewController::requestDidFailWithError(request, error);
}

void DiscussList::didLoad(const Value& reply, QXRequest* request) {
    if (answeringNewest_) {
        mergeNewest(reply);
        return;
    }
    if (pageDeclined(reply)) return;
    appendPage(pageOf(request) > 1 ? withoutHeld(reply, request) : reply, tableView_);
    tableView_->setTag(total());
}

void DiscussList::mergeNewest(const Value& reply) {
    if (firstPending_ || !reply.dict()) return;
    const Array& page = reply["result"].items();
    const int arrived = reply.getIntValueForKey("total", total()) - total();
    if (arrived <= 0) return;
    if (arrived > int(page.size())) {
        // More arrived than one page holds: the held pages no longer line up
        // with the service's, so the list starts again from the newest.
        reloadData();
        return;
    }
    double added = 0;
    for (int i = 0; i < arrived; ++i) {
        const Dict* post = page[i].dict();
        added += DiscussListItem::contentHeight(post ? *post : Dict());
    }
    items().insert(items().begin(), page.begin(), page.begin() + arrived);
    QPointF offset = tableView_->contentOffset();
    // A reader at the top sees the new posts; one further down keeps the
    // posts they were reading in view.
    if (offset.y() > 0) offset.ry() += added;
    Dict counts;
    counts.set("result", Array());
    counts.set("total", reply["total"]);
    appendPage(Value(std::move(counts)), tableView_);
    tableView_->setTag(total());
    tableView_->setContentOffset(offset);
}

Value DiscussList::withoutHeld(const Value& reply, const QXRequest* request) const {
    const Dict* record = reply.dict();
    if (!record) return reply;
    const int first = (pageOf(request) - 1) * kPageSize;
    const int held = int(const_cast<DiscussList*>(this)->items().size());
    if (held <= first) return reply;
    const Array& page = reply["result"].items();
    Dict rest = *record;
    rest.set("result",
             Array(page.begin() + std::min<std::size_t>(page.size(), held - first), page.end()));
    return Value(std::move(rest));
}

Dict DiscussList::row(int index) const {
    auto& rows = const_cast<DiscussList*>(this)->items();
    if (index < 0 || index >= int(rows.size())) return {};
    const Dict* record = rows[index].dict();
    return record ? *record : Dict();
}

int DiscussList::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* DiscussList::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<DiscussListItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("DiscussListItem")));
    if (!cell) cell = new DiscussListItem;
    cell->setInfo(row(indexPath.row));
    return cell;
}

double DiscussList::heightForRowAtIndexPath(TableView*, const IndexPath& indexPath) {
    return DiscussListItem::contentHeight(row(indexPath.row));
}

}  // namespace tovera
