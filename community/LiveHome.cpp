#include "community/LiveHome.h"

#include "community/LiveHomeItem.h"
#include "core/DSTovera.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"

namespace tovera {

using platform::ui::BarButtonItem;

LiveHome::LiveHome(QObject* parent) : StripListScreen(parent) {
    setTitle(QStringLiteral("直播"));
    param().setRid("1");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("发起直播"), BarButtonItem::Style::Bordered, [this] { sendLive(); }));
}

std::string LiveHome::listCode(int tab) {
    static constexpr const char* kCodes[] = {"1", "3", "2"};
    return tab >= 0 && tab < 3 ? kCodes[tab] : kCodes[0];
}

void LiveHome::viewDidLoad() {
    StripListScreen::viewDidLoad();
    showListings({"正在直播", "我的直播", "历史直播"});
}

void LiveHome::viewWillAppear(bool animated) {
    StripListScreen::viewWillAppear(animated);
    if (takeRefreshFlag()) reloadData();
}

void LiveHome::listingChosen(int index) {
    param().setRid(listCode(index));
}

void LiveHome::sendLive() {
    Route form{Destination::AskForm, {}, QStringLiteral("发送直播")};
    form.param.setType("5");
    form.param.setApi("livesend");
    Navigator::open(this, form);
}

void LiveHome::doRequest() {
    session().getLiveList(param().param(), this);
}

// A room row is an activity row in its post shape, reused as one.
QString LiveHome::cellIdentifier() const {
    return QStringLiteral("ActivityItem");
}

CustomCell* LiveHome::newCell() const {
    return new LiveHomeItem;
}

double LiveHome::rowHeight(const Dict&) const {
    return LiveHomeItem::kHeight;
}

void LiveHome::openRow(const Value& row) {
    Navigator::open(this,
                    Route::toObject(Destination::LiveRoom, row.getStringValueForKey("id", "0")));
}

}  // namespace tovera
