// The personal feed "我的消息" of one kind (param `type`: "1" site
// recommendations, "2" followed projects, "3" subscribed news). Every page
// request records its time as the kind's last look, which the unread-count
// poll sends back.
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera {

class DSTovera;

class MyNews : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit MyNews(QObject* parent = nullptr);
    /// The feed of kind `type` titled `title` (the menu entry's caption).
    static MyNews* feed(const QString& title, std::string_view type);

    void reloadData() override;
    /// Stamps the kind's last look, then asks for the page ("more" "1").
    void doRequest() override;
    /// A reply that carries "code" (even 0) is an error: "出错了" with its
    /// "msg", and nothing is added.
    void didLoad(const Value& reply, QXRequest* request) override;

    /// The right bar button: its tag is `type` - 1, its title "置业信息"
    /// for the recommendations and "设置" otherwise.
    void updatetabBar();
    /// The right bar button's action (signed-in users only).
    void set();

    platform::ui::TableView* tableView() const { return tableView_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;
    /// Opens the entry's target by its kind ("classtype").
    void didSelectRowAtIndexPath(platform::ui::TableView* table,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    /// Writes the current local time into the kind's slot of the session's
    /// last-look times and into the preference "lastupdatetime".
    void stampLastUpdateTime();

    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
