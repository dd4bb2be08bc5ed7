// "搜索好友": finds members in three scopes. Scope 0 searches members by
// name and first lists all friends; scopes 1 and 2 first list the projects
// the user follows or bought, search projects by name, and a chosen project
// lists the members who follow or bought it. The search bar's tag is the
// kind of rows shown: 0 members, 1 projects.
//
// Opened for one project (`id`, `name`, type "3" for its followers, "2" for
// its buyers), it lists that project's members at once.
#pragma once

#include <optional>
#include <utility>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/views/SearchBar.h"

namespace tovera::platform::ui {
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class FriendsSearch : public QXViewController,
                      public platform::ui::TableViewDataSource,
                      public platform::ui::SearchBarDelegate,
                      public QXViewDelegate {
    Q_OBJECT
public:
    static constexpr int kMemberRows = 0;
    static constexpr int kProjectRows = 1;

    explicit FriendsSearch(QObject* parent = nullptr);
    ~FriendsSearch() override;

    /// Lists the members of one project in `scope` (1 followers, 2 buyers).
    void showHouse(const std::string& id, const QString& name, int scope);
    /// The scope titles: the screen is titled "搜索" followed by one of them.
    static QStringList scopeTitles();

    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    /// Searches the bar's text; an empty text only gives the bar the focus.
    void doSearch();

    void searchBarSearchButtonClicked(platform::ui::SearchBar*) override;
    void selectedScopeButtonIndexDidChange(platform::ui::SearchBar*, int index) override;
    void qxView(platform::ui::View*, platform::ui::Button*) override {}

    int numberOfRowsInSection(platform::ui::TableView*, int) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;
    double heightForHeaderInSection(platform::ui::TableView*, int) override;
    platform::ui::View* viewForHeaderInSection(platform::ui::TableView*, int) override;
    void didSelectRowAtIndexPath(platform::ui::TableView*, const platform::ui::IndexPath&) override;
    void scrollViewWillBeginDragging(platform::ui::ScrollView*) override;

    platform::ui::SearchBar* searchBar() const { return searchBar_; }
    platform::ui::TableView* tableView() const { return tableView_; }
    int scope() const;
    const QString& headerText() const { return header_; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void scopeChanged(int scope);
    void showFooter();
    void followKeyboard();

    platform::ui::SearchBar* searchBar_ = nullptr;
    platform::ui::TableView* tableView_ = nullptr;
    QString header_;
    /// Set while the scope is chosen for a project given by the opener.
    bool quietScope_ = false;
    /// The project given before the view was loaded: id and name.
    std::optional<std::pair<std::string, QString>> house_;
    double tableHeight_ = 0;
};

}  // namespace tovera
