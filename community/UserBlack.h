// "黑名单": the users whose messages and friend requests the signed-in user
// refuses. A name typed into the search bar is added; a row's "取消" takes
// the user off the list once the service agreed.
#pragma once

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/views/SearchBar.h"

namespace tovera {

class UserBlack : public QXViewController,
                  public platform::ui::TableViewDataSource,
                  public platform::ui::SearchBarDelegate,
                  public QXViewDelegate {
    Q_OBJECT
public:
    explicit UserBlack(QObject* parent = nullptr);
    ~UserBlack() override;

    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// Adds the typed name; an empty name is refused with a message.
    void searchBarSearchButtonClicked(platform::ui::SearchBar* bar) override;
    /// A row's "取消" went through: the row goes.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    int numberOfRowsInSection(platform::ui::TableView*, int) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;
    void didSelectRowAtIndexPath(platform::ui::TableView*, const platform::ui::IndexPath&) override;

    const Array& dataArray() const { return dataArray_; }
    platform::ui::TableView* tableView() const { return tableView_; }
    platform::ui::SearchBar* searchBar() const { return searchBar_; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    Array dataArray_;
    platform::ui::TableView* tableView_ = nullptr;
    platform::ui::SearchBar* searchBar_ = nullptr;
};

}  // namespace tovera
