// "浏览话题": one topic (row 0) and its replies, ten to a page with
// "加载更多" and pull-to-refresh. The tab bar reposts the topic, replies to
// it and, for its author only, deletes it after a confirmation; a deletion
// is toasted, the list beneath reloads and the screen closes. The screen
// loads again when a screen above flags it for refreshing.
#pragma once

#include <QList>
#include <QPointer>

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/navigation/TabBarItem.h"

namespace tovera {

class TopicDetail : public QXViewController,
                    public platform::ui::TableViewDataSource,
                    public platform::ui::TabBarDelegate {
    Q_OBJECT
public:
    /// The tab items as first made, by index.
    enum Tab { kForward, kReply, kDelete };

    explicit TopicDetail(QObject* parent = nullptr);

    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// Shows the items the viewer may use: all three for the author of the
    /// topic, repost and reply for anybody else, none before the topic came.
    void updateTabbar();
    /// The repost form with the topic's text.
    void forward();
    /// The posting form for a reply to the topic.
    void reply();
    /// Sends the deletion (asked after the confirmation).
    void deleteTopic();

    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    platform::ui::TabBar* tabBar() const { return tabBar_; }
    const QList<QPointer<platform::ui::TabBarItem>>& barItems() const { return barItems_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    /// Row 0, the topic itself (empty before it came).
    Dict topicRecord();
    void askToDelete();

    platform::ui::TableView* tableView_ = nullptr;
    platform::ui::TabBar* tabBar_ = nullptr;
    QList<QPointer<platform::ui::TabBarItem>> barItems_;
};

}  // namespace tovera
