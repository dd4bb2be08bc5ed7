// "更多": the news categories from the fourth on (all of them when there are
// three or fewer); a row opens that category's article list.
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class DSTovera;

class MoreNewCat : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit MoreNewCat(QObject* parent = nullptr);

    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    const Array& dataArray() const { return dataArray_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    void viewWillAppear(bool animated) override;

private:
    platform::ui::TableView* tableView_ = nullptr;
    Array dataArray_;
};

}  // namespace tovera
