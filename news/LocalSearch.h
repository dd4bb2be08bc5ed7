// "本地搜索": finds again what the user has read, in the copies kept on the
// device, so it works with the service down. Results are grouped by kind
// (资讯, 楼盘, 二手房, 租房, 咨询, 话题, 活动) with the searched words marked;
// a result opens its screen, which shows the kept copy when the service
// cannot be reached.
#pragma once

#include <QStringList>

#include <vector>

#include "core/OfflineStore.h"
#include "framework/QXViewController.h"
#include "platform/ui/views/SearchBar.h"

namespace tovera {

class LocalSearch : public QXViewController,
                    public platform::ui::TableViewDataSource,
                    public platform::ui::SearchBarDelegate {
    Q_OBJECT
public:
    explicit LocalSearch(QObject* parent = nullptr);
    ~LocalSearch() override;

    /// Searches `text` and shows the results ("暂无" when none).
    void search(const QString& text);
    /// The name of a kind's group.
    static QString kindName(std::string_view kind);

    platform::ui::SearchBar* searchBar() const { return searchBar_; }
    platform::ui::TableView* tableView() const { return tableView_; }

    // SearchBarDelegate
    void searchBarSearchButtonClicked(platform::ui::SearchBar* searchBar) override;
    void searchBarCancelButtonClicked(platform::ui::SearchBar* searchBar) override;

    // TableViewDataSource / TableViewDelegate
    int numberOfSectionsInTableView(platform::ui::TableView*) override;
    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& path) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;
    double heightForHeaderInSection(platform::ui::TableView*, int section) override;
    platform::ui::View* viewForHeaderInSection(platform::ui::TableView*, int section) override;
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& path) override;

protected:
    void loadView() override;
    void viewDidAppear(bool animated) override;

private:
    struct Group {
        std::string kind;
        std::vector<KeptHit> hits;
    };

    void showResults();

    platform::ui::SearchBar* searchBar_ = nullptr;
    QString query_;
    platform::ui::TableView* tableView_ = nullptr;
    std::vector<Group> groups_;
    QStringList words_;
    bool searched_ = false;
};

}  // namespace tovera
