#include "comments/CommentList.h"

#include "comments/CommentCells.h"
#include "comments/CommentDetail.h"
#include "comments/CommentItem.h"
#include "core/DSTovera.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;

namespace {

// What a site-wide row of each object kind opens: the kind's comment
// listing ("type" and "ptype"); kinds not listed use the list's defaults.
struct KindListing {
    int classtype;
    const char* type;
};
constexpr KindListing kListings[] = {{1, "2"}, {3, "5"}, {4, "3"}};
constexpr int kLiveRoom = 5;

}  // namespace

CommentList::CommentList(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("评论"));
    param().setType("1");
    cells_ = new CommentCells([this](CommentItem* cell) { cell->hiddeTitle(hiddeTitle_); },
                              [this] { finishLoading(); }, this);
}

CommentList::~CommentList() {
    // The view may have gone before the screen (its host deletes it).
    if (isViewLoaded()) {
        tableView_->setDataSource(nullptr);
        tableView_->setDelegate(nullptr);
    }
}

void CommentList::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void CommentList::viewDidLoad() {
    QXViewController::viewDidLoad();
    tableView_->setTableHeaderView(headerView());
    addRefreshHeader(tableView_);
    reloadData();
}

void CommentList::reloadData() {
    loadFirstPage();
}

void CommentList::doRequest() {
    if (DSTovera* session = RootScreenServices::shared().session())
        session->getSystemCommentList(param().param(), this);
}

void CommentList::didLoad(const Value& reply, QXRequest*) {
    if (headerView()->text().isEmpty()) tableView_->setTableHeaderView(nullptr);
    cells_->clear();
    appendPage(reply, tableView_);
    tableView_->setTag(reply["total"].isNull() ? int(items().size()) : total());
}

void CommentList::finishLoading() {
    tableView_->reloadData();
}

int CommentList::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

platform::ui::TableViewCell* CommentList::cellForRowAtIndexPath(TableView*, const IndexPath& path) {
    return cells_->cellForRow(path.row, items().at(std::size_t(path.row)));
}

double CommentList::heightForRowAtIndexPath(TableView*, const IndexPath& path) {
    if (path.row < 0 || std::size_t(path.row) >= items().size()) return 0;
    return cells_->cellForRow(path.row, items()[std::size_t(path.row)])->rowHeight();
}

void CommentList::didSelectRowAtIndexPath(TableView* table, const IndexPath& path) {
    table->deselectRowAtIndexPath(path, true);
    if (hiddeTitle_ || path.row < 0 || std::size_t(path.row) >= items().size()) return;
    const Value& row = items()[std::size_t(path.row)];
    platform::ui::NavigationController* nav = RootScreenServices::rootNavigationController();
    if (!nav) return;
    const int classtype = row.getIntValueForKey("classtype", 1);
    if (classtype == kLiveRoom) {
        Navigator::open(
            nullptr, Route::toObject(Destination::LiveRoom, row.getStringValueForKey("cid", "0")));
        return;
    }
    auto* detail = new CommentDetail;
    CommentList* list = detail->commentList();
    list->param().setRid(row.getStringValueForKey("cid", "0"));
    for (const KindListing& listing : kListings) {
        if (listing.classtype != classtype) continue;
        list->param().setType(listing.type);
        list->param().setPtype(listing.type);
    }
    detail->view();
    list->headerView()->setText(QString::fromStdString(row.getStringValueForKey("title", "")));
    nav->pushViewController(detail, true);
}

}  // namespace tovera
