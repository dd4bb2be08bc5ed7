// "二手房" and "租房": the paged list of second-hand ("api" "oldhouse") or
// rental ("rent") listings of the city, or of one project when opened with
// "hid". "筛选" opens the filter form, which merges its criteria into this
// list's parameters (the kind and the project stay) and reloads it. A row
// opens the listing.
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class HouseList : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit HouseList(QObject* parent = nullptr);

    /// First page: the overlay, no rows, total 0, "page" "1", the search.
    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::TableView* tableView() const { return tableView_; }

    // TableViewDataSource / TableViewDelegate
    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;
    /// Opens the listing as "<list title>详情".
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void openFilter();

    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
