// "直播": the live rooms, ten to a page with "加载更多" and pull-to-refresh,
// under a strip of three listings ("正在直播", "我的直播", "历史直播").
// "发起直播" opens the form of a new room; a row opens its room. It loads
// again when a screen above sets its refresh flag (a room closed, reopened
// or posted).
#pragma once

#include "community/StripListScreen.h"

namespace tovera {

class LiveHome : public StripListScreen {
    Q_OBJECT
public:
    explicit LiveHome(QObject* parent = nullptr);

    /// The list code a tab sends as "id": "1" open rooms, "3" the user's
    /// rooms, "2" closed rooms (not the tab order).
    static std::string listCode(int tab);

    /// The form of a new room ("发送直播").
    void sendLive();

    void doRequest() override;

protected:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void listingChosen(int index) override;
    QString cellIdentifier() const override;
    CustomCell* newCell() const override;
    double rowHeight(const Dict& row) const override;
    void openRow(const Value& row) override;
};

}  // namespace tovera
