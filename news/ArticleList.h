// What the two paged article lists (a category's NewsList and NewsSearch)
// share: a table of NewsItem rows 90 points high, pages of
// "news/search.aspx" ("more" "1" on further pages), the last "total" in the
// table's tag, and a tapped row opening its article.
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class DSTovera;

class ArticleList : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit ArticleList(QObject* parent = nullptr);

    /// First page: overlay, "page" "1", table tag 0, then doRequest().
    void reloadData() override;
    /// "page" + 1 and "more" "1", then doRequest().
    void dataGrow() override;
    /// getNewsSearch with the parameter dictionary.
    void doRequest() override;
    /// Appends the page, keeps "total" in the table's tag, sets the footer.
    void didLoad(const Value& reply, QXRequest* request) override;
    /// Same as reloadData().
    void refresh() { reloadData(); }

    platform::ui::TableView* tableView() const { return tableView_; }

    // TableViewDataSource
    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;

    // TableViewDelegate
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    /// The table, in `frame` of the screen's view; created by loadView().
    platform::ui::TableView* makeTable(const QRectF& frame);
    void viewDidLoad() override;

private:
    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
