// The community's list screens with a strip of listings over a paged table
// of rows (activities, live rooms, topics): pressing a listing selects
// it alone and loads its first page; pull-to-refresh and "加载更多" page the
// table, "暂无" shows when a listing is empty, and a row opens its record.
// A subclass names the listings, sets its request's parameters for the one
// chosen, issues the request, and builds and opens the rows.
#pragma once

#include <string>
#include <vector>

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;
class CustomCell;

class StripListScreen : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit StripListScreen(QObject* parent = nullptr);

    /// Selects the listing of `button` and loads its first page.
    void btnPressed(platform::ui::Button* button);

    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    ButtonsView* btnView() const { return btnView_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(platform::ui::TableView*,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    /// Fills the strip with `titles`, adds pull-to-refresh and presses the
    /// selected listing (the first when none is).
    void showListings(const std::vector<std::string>& titles);

    /// The listing at `index` (from 0) was chosen: set the parameters.
    virtual void listingChosen(int index) = 0;
    /// The rows' cells: their reuse identifier, and a new one.
    virtual QString cellIdentifier() const = 0;
    virtual CustomCell* newCell() const = 0;
    virtual double rowHeight(const Dict& row) const = 0;
    /// Opens the record of a row.
    virtual void openRow(const Value& row) = 0;

private:
    ButtonsView* btnView_ = nullptr;
    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
