// The paged list of questions, ten to a page with "加载更多" and
// pull-to-refresh. In the question centre the opener sets `type` (the
// listing: 1 open, 2 solved, 3 mine, 4 answered by me, 5 my friends'); for
// one project's questions it sets `hid` and `api` "tovera", and the rows
// then leave out the project button. A row opens the question.
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class AskList : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit AskList(QObject* parent = nullptr);

    /// The parameters every listing starts from ("id" "1").
    void initparam();

    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::TableView* tableView() const { return tableView_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(platform::ui::TableView*,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
