// "销售信息" of one project: its sale news, newest first, ten to a page with
// "加载更多" and pull-to-refresh. The opener sets `rid` (the project) and
// may give the project's name as the table header.
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class SellList : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit SellList(QObject* parent = nullptr);

    /// The table header reads `name` (no header when empty).
    void setHeaderTitle(const QString& name);
    /// A right bar button "查看楼盘" that opens the project.
    void addViewHouseButton();

    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::TableView* tableView() const { return tableView_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    void viewHouse();

    platform::ui::TableView* tableView_ = nullptr;
    QString headerTitle_;
};

}  // namespace tovera
