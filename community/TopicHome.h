// "话题": the topics of the city ten to a page with "加载更多" and
// pull-to-refresh, under a strip of four listings ("所有话题", "热门话题",
// "我的话题", "好友话题"). "发表话题" opens the posting form for a new
// topic; a row opens the topic. The list loads when first shown and again
// whenever a screen above flags it for refreshing.
#pragma once

#include "community/StripListScreen.h"

namespace tovera {

class TopicHome : public StripListScreen {
    Q_OBJECT
public:
    explicit TopicHome(QObject* parent = nullptr);

    /// The posting form "发表话题" (signed in only).
    void postTopic();

    void doRequest() override;

protected:
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    /// "type" is the listing's position from 1.
    void listingChosen(int index) override;
    QString cellIdentifier() const override;
    CustomCell* newCell() const override;
    double rowHeight(const Dict& row) const override;
    void openRow(const Value& row) override;
};

}  // namespace tovera
