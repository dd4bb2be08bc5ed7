#include "comments/CommentTableView.h"

#include "comments/CommentCells.h"
#include "comments/CommentItem.h"
#include "core/DSTovera.h"
#include "framework/ImageTitle.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;

CommentTableView::CommentTableView(const QRectF& frame, QWidget* parent)
    : QXRequestView(frame, parent) {
    param().setType("1");
    param().setSize("5");
    tableView_ = new TableView(bounds(), TableView::Style::Plain);
    tableView_->setScrollEnabled(false);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    addSubview(tableView_);
    cells_ = new CommentCells(
        [](CommentItem* cell) { cell->setSelectionStyle(CommentItem::SelectionStyle::None); },
        [this] { finishLoading(); }, this);
}

CommentTableView::~CommentTableView() {
    tableView_->setDataSource(nullptr);
    tableView_->setDelegate(nullptr);
}

void CommentTableView::reloadData() {
    param().setPage("1");
    loadData();
}

void CommentTableView::loadData() {
    QXRequestView::reloadData();
    commentArray_.clear();
    tableView_->setTag(0);
    doRequest();
}

void CommentTableView::doRequest() {
    if (DSTovera* session = RootScreenServices::shared().session())
        session->getSystemCommentList(param().param(), this);
}

void CommentTableView::didLoad(const Value& reply, QXRequest*) {
    commentArray_ = reply["result"].items();
    tableView_->setTag(reply.getIntValueForKey("total", int(commentArray_.size())));
    tableView_->setTableFooterView(nullptr);
    cells_->clear();
    tableView_->setTableHeaderView(headerView());
    if (commentArray_.empty()) {
        tableView_->setTableFooterView(noItemView());
        tableView_->reloadData();
        fit2size();
        tellDelegate();
        return;
    }
    tableView_->reloadData();
}

void CommentTableView::adjustFrame() {
    QRectF table = tableView_->frame();
    const double sectionBottom =
        tableView_->numberOfSections() > 0 ? tableView_->rectForSection(0).bottom() : 0;
    table.setHeight(std::max(sectionBottom, tableView_->contentSize().height()));
    tableView_->setFrame(table);
    QRectF block = frame();
    block.setHeight(table.bottom());
    setFrame(block);
}

void CommentTableView::fit2size() {
    cells_->fit2size();
}

void CommentTableView::finishLoading() {
    tableView_->reloadData();
    tellDelegate();
}

void CommentTableView::tellDelegate() {
    if (QXViewDelegate* d = delegate()) d->qxView(this, nullptr);
}

int CommentTableView::numberOfRowsInSection(TableView*, int) {
    return int(commentArray_.size());
}

platform::ui::TableViewCell* CommentTableView::cellForRowAtIndexPath(TableView*,
                                                                     const IndexPath& path) {
    return cells_->cellForRow(path.row, commentArray_.at(std::size_t(path.row)));
}

double CommentTableView::heightForRowAtIndexPath(TableView*, const IndexPath& path) {
    if (path.row < 0 || std::size_t(path.row) >= commentArray_.size()) return 0;
    return cells_->cellForRow(path.row, commentArray_[std::size_t(path.row)])->rowHeight();
}

}  // namespace tovera
