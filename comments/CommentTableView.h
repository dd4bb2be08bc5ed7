// The small block of newest comments under an article or an activity: a
// "最新评论" strip, one row per comment (no paging), "暂无" when there is
// none. It tells its screen (qxView with no button) whenever its height may
// have changed, so the screen can lay itself out again.
#pragma once

#include "framework/QXRequestView.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class CommentCells;

class CommentTableView : public QXRequestView,
                         public platform::ui::TableViewDataSource,
                         public platform::ui::TableViewDelegate {
    Q_OBJECT
public:
    explicit CommentTableView(const QRectF& frame = QRectF(0, 0, 320, 100),
                              QWidget* parent = nullptr);
    ~CommentTableView() override;

    /// Page "1", then loadData().
    void reloadData() override;
    /// The overlay, no records, the total 0, then doRequest().
    void loadData();
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    /// The table as tall as its rows, the block as tall as the table.
    void adjustFrame();
    /// Every row runs its layout again.
    void fit2size();

    int numberOfRowsInSection(platform::ui::TableView*, int) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    const Array& commentArray() const { return commentArray_; }
    CommentCells* cells() const { return cells_; }
    /// The page buttons are never shown.
    bool changePage() const { return false; }

private:
    void finishLoading();
    void tellDelegate();

    platform::ui::TableView* tableView_ = nullptr;
    Array commentArray_;
    CommentCells* cells_ = nullptr;
};

}  // namespace tovera
