// "销售信息": the latest sale news of every project of the city, or with
// `uid` set, of the projects the user follows. A search bar narrows the list
// by project name ("housename"). A row opens the project's sale news; its
// project button opens the project.
#pragma once

#include <QString>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/views/SearchBar.h"

namespace tovera {

class Saleinfo : public QXViewController,
                 public platform::ui::TableViewDataSource,
                 public platform::ui::SearchBarDelegate,
                 public QXViewDelegate {
    Q_OBJECT
public:
    explicit Saleinfo(QObject* parent = nullptr);

    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// Searches the project names for the bar's text.
    void searchBarSearchButtonClicked(platform::ui::SearchBar* searchBar) override;
    /// Ends the search: the text goes, the keyboard closes, and a narrowed
    /// list shows every project again.
    void searchBarCancelButtonClicked(platform::ui::SearchBar* searchBar) override;
    bool searchActive() const { return searchActive_; }

    /// A row's project button: the project opens.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    platform::ui::SearchBar* searchBar() const { return searchBar_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;
    /// The project's sale news, with "查看楼盘" to the project.
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    /// A screen above that changed what is followed sets "refresh": the
    /// list loads again.
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    platform::ui::TableView* tableView_ = nullptr;
    platform::ui::SearchBar* searchBar_ = nullptr;
    bool searchActive_ = false;
    QString savedSearchTerm_;
    bool searchWasActive_ = false;
};

}  // namespace tovera
