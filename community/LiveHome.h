// "直播": the live rooms, ten to a page with "加载更多" and pull-to-refresh,
// under a strip of three listings ("正在直播", "我的直播", "历史直播").
// "发起直播" opens the form of a new room; a row opens its room. It loads
// again when a screen above sets its refresh flag (a room closed, reopened
// or posted).
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;

class LiveHome : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit LiveHome(QObject* parent = nullptr);

    /// The list code a tab sends as "id": "1" open rooms, "3" the user's
    /// rooms, "2" closed rooms (not the tab order).
    static std::string listCode(int tab);

    /// Selects the listing of `button` and loads its first page.
    void btnPressed(platform::ui::Button* button);
    /// The form of a new room ("发送直播").
    void sendLive();

    void reloadData() override;
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
    void viewWillAppear(bool animated) override;

private:
    ButtonsView* btnView_ = nullptr;
    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
