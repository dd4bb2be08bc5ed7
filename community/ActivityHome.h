// "活动": the activities of the city, ten to a page with "加载更多" and
// pull-to-refresh, under a strip of two listings ("正在进行", "历史活动").
// "意向城市" lets a signed-in user change the cities they prefer. A row
// opens the activity.
#pragma once

#include "community/StripListScreen.h"

namespace tovera {

class ActivityHome : public StripListScreen {
    Q_OBJECT
public:
    explicit ActivityHome(QObject* parent = nullptr);

    /// The profile editor of the preferred cities (signed in only).
    void wangtedCity();

    /// Asks for the page as the signed-in user (no "uid" when signed out).
    void doRequest() override;

protected:
    void viewDidLoad() override;

    /// "type" is the listing's position from 1.
    void listingChosen(int index) override;
    QString cellIdentifier() const override;
    CustomCell* newCell() const override;
    double rowHeight(const Dict& row) const override;
    void openRow(const Value& row) override;
};

}  // namespace tovera
