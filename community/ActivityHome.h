// "活动": the activities of the city, ten to a page with "加载更多" and
// pull-to-refresh, under a strip of two listings ("正在进行", "历史活动").
// "意向城市" lets a signed-in user change the cities they prefer. A row
// opens the activity.
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;

class ActivityHome : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit ActivityHome(QObject* parent = nullptr);

    /// Selects the listing of `button` ("type" is its position from 1) and
    /// loads its first page.
    void btnPressed(platform::ui::Button* button);
    /// The profile editor of the preferred cities (signed in only).
    void wangtedCity();

    void reloadData() override;
    /// Asks for the page as the signed-in user (no "uid" when signed out).
    void doRequest() override;
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
    void viewDidLoad() override;

private:
    ButtonsView* btnView_ = nullptr;
    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
