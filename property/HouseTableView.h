// The paged list of new-build projects: the project search with the
// parameters its host gives it, or, with "api" "housefocus", the projects
// the user follows, each row with "取消关注". A row opens its project.
#pragma once

#include <functional>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class HouseTableView : public QXViewController,
                       public platform::ui::TableViewDataSource,
                       public QXViewDelegate {
    Q_OBJECT
public:
    explicit HouseTableView(QObject* parent = nullptr);

    /// First page: the overlay, no rows, total 0, "page" "1", doRequest().
    void reloadData() override;
    /// The followed projects in "housefocus" mode, else the project search.
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// Its host is about to show it: it reloads when it holds no rows or
    /// when a screen above flagged it with "refresh".
    void willBeShown() override;
    /// Called after each page is shown with the total (the host's count).
    void setOnLoaded(std::function<void(int total)> onLoaded) { onLoaded_ = std::move(onLoaded); }

    platform::ui::TableView* tableView() const { return tableView_; }

    // TableViewDataSource / TableViewDelegate
    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

    /// "取消关注" of a row: unfollows that row's project.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    bool followedMode();
    /// Removes every row of the project the service unfollowed.
    void unfollowed(int projectId);
    void showFollowedCount();

    platform::ui::TableView* tableView_ = nullptr;
    std::function<void(int)> onLoaded_;
};

}  // namespace tovera
