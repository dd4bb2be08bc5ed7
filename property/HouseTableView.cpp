#include "property/HouseTableView.h"

#include <algorithm>

#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/Navigator.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "property/ToveraListItem.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {
constexpr char kUnfollowApi[] = "cancelfocus";
}  // namespace

HouseTableView::HouseTableView(QObject* parent) : QXViewController(true, parent) {
    param().setOrder("0");
}

void HouseTableView::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void HouseTableView::viewDidLoad() {
    QXViewController::viewDidLoad();
    addRefreshHeader(tableView_);
}

bool HouseTableView::followedMode() {
    return param().api() == "housefocus";
}

void HouseTableView::reloadData() {
    if (tableView_) tableView_->setTag(0);
    loadFirstPage();
}

void HouseTableView::doRequest() {
    if (followedMode())
        session().getUserFocushouseList(param().param(), this);
    else
        session().getHouseSearch(param().param(), this);
}

void HouseTableView::willBeShown() {
    if (takeRefreshFlag() || items().empty()) reloadData();
}

void HouseTableView::didLoad(const Value& reply, QXRequest* request) {
    const Dict sent = request ? request->params() : Dict();
    if (sent.getStringValueForKey("api", "") == kUnfollowApi) {
        unfollowed(Value(sent.getStringValueForKey("id", "0")).intValue());
        return;
    }
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    if (tableView_) tableView_->setTag(total());
    showFollowedCount();
    if (onLoaded_) onLoaded_(total());
}

// Ids are compared as integers: the service may send a row's "id" as a
// number while the request carried it as text.
void HouseTableView::unfollowed(int projectId) {
    Array kept;
    int removed = 0;
    for (const Value& row : items()) {
        if (row.getIntValueForKey("id", 0) == projectId)
            ++removed;
        else
            kept.push_back(row);
    }
    items() = std::move(kept);
    // An empty page with the lowered total sets the footer and reloads.
    appendPage(Dict{{"result", Array{}}, {"total", std::max(0, total() - removed)}}, tableView_);
    if (tableView_) tableView_->setTag(total());
    showFollowedCount();
}

void HouseTableView::showFollowedCount() {
    if (!tableView_ || !followedMode()) return;
    platform::ui::Label* header =
        sectionHeaderView(QStringLiteral("您关注了%1个楼盘").arg(total()));
    tableView_->setTableHeaderView(header);
}

int HouseTableView::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* HouseTableView::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<ToveraListItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("ToveraListItem")));
    if (!cell) cell = new ToveraListItem;
    cell->setDelegate(this);
    cell->setTag(indexPath.row);
    const Value& row = items()[indexPath.row];
    cell->setInfo(row.dict() ? *row.dict() : Dict());
    cell->setitemtype(param().api());
    return cell;
}

double HouseTableView::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return ToveraListItem::kHeight;
}

void HouseTableView::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= int(items().size())) return;
    Navigator::open(this, Route::toObject(Destination::Project,
                                          items()[indexPath.row].getIntValueForKey("id", 0)));
}

// The unfollow goes in a dictionary of its own: the list's parameters keep
// their "api" and "page", so the next page is still a page of the list.
void HouseTableView::qxView(platform::ui::View* view, platform::ui::Button* button) {
    auto* cell = qobject_cast<ToveraListItem*>(view);
    if (!cell || !button || button->tag() != ToveraListItem::kUnfollowTag) return;
    const int row = cell->tag();
    if (row < 0 || row >= int(items().size())) return;
    QXParam unfollow;
    unfollow.setRid(items()[row].getStringValueForKey("id", "0"));
    unfollow.setType("1");
    unfollow.setOperate("0");
    unfollow.setApi(kUnfollowApi);
    session().userFocus(unfollow.param(), this);
}

}  // namespace tovera
