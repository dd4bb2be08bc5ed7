// "话题": the topics of the city ten to a page with "加载更多" and
// pull-to-refresh, under a strip of four listings ("所有话题", "热门话题",
// "我的话题", "好友话题"). "发表话题" opens the posting form for a new
// topic; a row opens the topic. The list loads when first shown and again
// whenever a screen above flags it for refreshing.
#pragma once

#include "framework/QXViewController.h"
#include "platform/ui/lists/TableView.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;

class TopicHome : public QXViewController, public platform::ui::TableViewDataSource {
    Q_OBJECT
public:
    explicit TopicHome(QObject* parent = nullptr);

    /// Selects the listing of `button` ("type" is its position from 1) and
    /// loads its first page.
    void btnPressed(platform::ui::Button* button);
    /// The posting form "发表话题" (signed in only).
    void postTopic();

    void reloadData() override;
    void doRequest() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::TableView* tableView() const { return tableView_; }
    ButtonsView* btnView() const { return btnView_; }

    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(
        platform::ui::TableView* table, const platform::ui::IndexPath& indexPath) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(platform::ui::TableView*,
                                 const platform::ui::IndexPath& indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    ButtonsView* btnView_ = nullptr;
    platform::ui::TableView* tableView_ = nullptr;
};

}  // namespace tovera
