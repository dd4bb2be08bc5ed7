// The answers of a question under its detail ("其他答案"), with "加载更多"
// while answers are missing. The list is as tall as its rows (the detail
// scrolls, not the list) and tells its delegate whenever its height
// changes. The asker of an open question chooses a best answer here.
#pragma once

#include <QPointer>

#include "framework/QXRequestView.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/views/Button.h"

namespace tovera {

class AskReply : public QXRequestView,
                 public QXViewDelegate,
                 public platform::ui::TableViewDataSource,
                 public platform::ui::TableViewDelegate {
    Q_OBJECT
public:
    explicit AskReply(const QRectF& frame = QRectF(0, 0, 320, 800), QWidget* parent = nullptr);

    /// The first page again.
    void reloadData() override;
    /// The next page.
    void dataGrow(platform::ui::Button* button = nullptr) override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    void requestDidFailWithError(QXRequest* request, const Error& error) override;

    /// The height of every row, the header and the footer.
    double tableHeight() const;

    /// A cell's best-answer button: that answer becomes the best.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath& indexPath) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    const Array& dataArray() const { return dataArray_; }
    int total() const { return total_; }
    /// "加载更多" while answers are missing.
    platform::ui::Button* moreButton() const { return more_; }

private:
    /// Sizes the list and its table to their rows and tells the delegate.
    void resize();

    platform::ui::TableView* tableView_ = nullptr;
    QPointer<platform::ui::Button> more_;
    Array dataArray_;
    int total_ = 0;
};

}  // namespace tovera
