// The purchase records of the neighbourhood page ("邻里会"), embedded in the
// profile screen: one BuyStateItem per record of the profile reply's
// "buyinfo", "暂无" when there is none. The list asks for nothing itself;
// its rows delete records and tell it which one went.
#pragma once

#include "core/Value.h"
#include "framework/EmbeddedLists.h"
#include "framework/QXRequestView.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class MyHouseListView : public QXRequestView,
                        public QXViewDelegate,
                        public platform::ui::TableViewDataSource,
                        public platform::ui::TableViewDelegate,
                        public RecordsView {
    Q_OBJECT
public:
    /// The list in `frame` of `parent`, showing `records`.
    MyHouseListView(const QRectF& frame, QWidget* parent, const Array& records = {});

    /// Replaces the records; the footer is "暂无" when there are none.
    void setDataArray(const Array& records) override;
    const Array& dataArray() const { return dataArray_; }
    /// Reloads the table (the list has no request of its own).
    void reloadData() override;
    /// The row of record `id` is gone: its record leaves the list.
    void recordRemoved(const std::string& id);

    platform::ui::TableView* tableView() const { return tableView_; }

    /// A row's button tap: the rows act on their own buttons.
    void qxView(platform::ui::View*, platform::ui::Button*) override {}

    // TableViewDataSource / TableViewDelegate
    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;

private:
    Array dataArray_;
    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
