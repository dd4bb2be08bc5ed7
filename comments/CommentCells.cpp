#include "comments/CommentCells.h"

#include "comments/CommentItem.h"

namespace tovera {

namespace {
constexpr platform::Timers::Duration kRemeasureDelay{500};
}  // namespace

CommentCells::CommentCells(std::function<void(CommentItem*)> prepare,
                           std::function<void()> finishLoading, QObject* parent)
    : QObject(parent), prepare_(std::move(prepare)), finishLoading_(std::move(finishLoading)) {}

CommentCells::~CommentCells() {
    platform::timers().cancel(finishTimer_);
    clear();
}

CommentItem* CommentCells::cellForRow(int row, const Value& record) {
    if (CommentItem* built = builtCell(row)) return built;
    // Rows are measured in order; a row asked out of order still gets its
    // own slot.
    while (cells_.size() < row)
        cells_.append(nullptr);
    auto* cell = new CommentItem;
    if (prepare_) prepare_(cell);
    cell->commentWeb()->setTag(row);
    cell->commentWeb()->setDelegate(this);
    cell->setInfo(record.dict() ? *record.dict() : Dict());
    cell->setTag(row);
    if (row < cells_.size())
        cells_[row] = cell;
    else
        cells_.append(cell);
    return cell;
}

CommentItem* CommentCells::builtCell(int row) const {
    return row >= 0 && row < cells_.size() ? cells_[row].data() : nullptr;
}

void CommentCells::clear() {
    // Cells a table shows belong to it; those it never adopted are ours.
    for (const QPointer<CommentItem>& cell : cells_)
        if (cell && !cell->parent()) delete cell;
    cells_.clear();
    measured_ = false;
}

bool CommentCells::needReload() const {
    for (const QPointer<CommentItem>& cell : cells_)
        if (cell && cell->commentWeb()->isLoading()) return false;
    return true;
}

void CommentCells::fit2size() {
    for (const QPointer<CommentItem>& cell : cells_)
        if (cell) cell->webViewDidFinishLoad(cell->commentWeb());
}

void CommentCells::webViewDidFinishLoad(platform::ui::WebView* webView) {
    if (CommentItem* cell = builtCell(webView->tag())) cell->webViewDidFinishLoad(webView);
    if (!needReload() || platform::timers().isScheduled(finishTimer_)) return;
    QPointer<CommentCells> self(this);
    finishTimer_ = platform::timers().schedule(kRemeasureDelay, [self] {
        if (!self) return;
        self->fit2size();
        self->measured_ = true;
        if (self->finishLoading_) self->finishLoading_();
    });
}

}  // namespace tovera
