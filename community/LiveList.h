// "直播区": the owner's messages of a live room, newest first, below the
// room's picture. Every load asks for the whole room ("live/detail.aspx"
// with the room "id") and replaces the list, keeping the scroll position,
// so the room's polling refreshes it in place. A message's picture opens
// the full-screen viewer, its "评论(n)" the message's comments.
#pragma once

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class LiveList : public QXViewController,
                 public platform::ui::TableViewDataSource,
                 public QXViewDelegate {
    Q_OBJECT
public:
    explicit LiveList(QObject* parent = nullptr);

    /// "page" "1", then the room's request (no busy indicator).
    void reloadData() override;
    void doRequest() override;
    /// The rows become the room record (when it has its picture) followed by
    /// the reply's "text".
    void didLoad(const Value& reply, QXRequest* request) override;

    /// The viewer on the row's "picture", else its "images".
    void showPicture(int row);
    /// The comments of the message of `row`.
    void showComments(int row);

    platform::ui::TableView* tableView() const { return tableView_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath& indexPath) override;
    /// A cell's picture or comment button.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    Dict row(int index) const;

    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
