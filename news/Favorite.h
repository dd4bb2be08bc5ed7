// "我的收藏": the articles the user marked, read from the local article
// store. Each row can drop its mark; choosing a row opens the article.
#pragma once

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class Favorite : public QXViewController,
                 public platform::ui::TableViewDataSource,
                 public QXViewDelegate {
    Q_OBJECT
public:
    explicit Favorite(QObject* parent = nullptr);
    ~Favorite() override;

    /// The marked articles, asked of the local store.
    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;
    /// "暂无" when no row is held; the table shows the rows.
    void reloadTableViewData();

    int numberOfRowsInSection(platform::ui::TableView*, int) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;
    double heightForHeaderInSection(platform::ui::TableView*, int) override;
    platform::ui::View* viewForHeaderInSection(platform::ui::TableView*, int) override;
    void didSelectRowAtIndexPath(platform::ui::TableView*, const platform::ui::IndexPath&) override;
    /// A row's cancel button: the row goes.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    const Array& favoritesArray() const { return favoritesArray_; }

protected:
    void loadView() override;
    void viewWillAppear(bool animated) override;

private:
    platform::ui::TableView* tableView_ = nullptr;
    Array favoritesArray_;
};

}  // namespace tovera
