// "意向城市": a check-list of the service's cities. The caller may hand in
// the names already chosen (`selectedString`, each name followed by ",");
// "确定" writes the checked cities into the parameters of the screen below
// it ("citybtn" names, "cityids" ids, both joined by "," in reverse list
// order, a single space when none is checked) and goes back.
#pragma once

#include <string>

#include "framework/QXViewController.h"

namespace tovera {

class DSTovera;

class CityList : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit CityList(QObject* parent = nullptr);

    void setSelectedString(std::string names) { selectedString_ = std::move(names); }
    const std::string& selectedString() const { return selectedString_; }

    void loadView() override;
    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    /// Hands the checked cities to the screen below and goes back.
    void submit();

    platform::ui::TableView* tableView() const { return tableView_; }
    /// The city records, each with its "checked" mark.
    const Array& dataArray() const { return dataArray_; }

    // Table
    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    void viewDidLoad() override;

private:
    /// Whether `name` is one of the names of `selectedString` (whole names
    /// only: "鞍山" is not chosen by "马鞍山,").
    bool isSelected(const std::string& name) const;

    platform::ui::TableView* tableView_ = nullptr;
    Array dataArray_;
    std::string selectedString_;
};

}  // namespace tovera
