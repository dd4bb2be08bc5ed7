// "资讯搜索": the newest articles of every category, narrowed by a keyword
// typed into the search bar; a header counts the matches.
#pragma once

#include <QString>

#include "news/ArticleList.h"
#include "platform/ui/views/SearchBar.h"

namespace tovera {

class NewsSearch : public ArticleList, public platform::ui::SearchBarDelegate {
    Q_OBJECT
public:
    explicit NewsSearch(QObject* parent = nullptr);

    // SearchBarDelegate
    /// Searches the bar's text from the first page.
    void searchBarSearchButtonClicked(platform::ui::SearchBar* searchBar) override;
    /// Shows every article again when the bar still holds the searched keyword.
    void searchBarCancelButtonClicked(platform::ui::SearchBar* searchBar) override;

    // TableViewDataSource / TableViewDelegate: the header counts the matches.
    double heightForHeaderInSection(platform::ui::TableView*, int section) override;
    platform::ui::View* viewForHeaderInSection(platform::ui::TableView*, int section) override;

    platform::ui::SearchBar* searchBar() const { return searchBar_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidDisappear(bool animated) override;

private:
    platform::ui::SearchBar* searchBar_ = nullptr;
    QString savedSearchTerm_;
    bool searchWasActive_ = false;
};

}  // namespace tovera
