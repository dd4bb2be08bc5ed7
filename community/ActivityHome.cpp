#include "community/ActivityHome.h"

#include "community/ActivityDetail.h"
#include "community/ActivityItem.h"
#include "community/ProfileEdit.h"
#include "core/DSTovera.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"

namespace tovera {

using platform::ui::BarButtonItem;

ActivityHome::ActivityHome(QObject* parent) : StripListScreen(parent) {
    setTitle(QStringLiteral("活动"));
    param().setType("1");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("意向城市"), BarButtonItem::Style::Bordered, [this] { wangtedCity(); }));
}

void ActivityHome::viewDidLoad() {
    StripListScreen::viewDidLoad();
    showListings({"正在进行", "历史活动"});
}

void ActivityHome::listingChosen(int index) {
    param().setType(std::to_string(index + 1));
}

void ActivityHome::wangtedCity() {
    if (!session().checkLogin()) return;
    // Only the city is asked for: the rest of the home-buying section may
    // still be empty.
    auto* edit = new ProfileEdit;
    edit->setTitle(QStringLiteral("修改意向城市"));
    edit->param().setRid(session().userId() ? Value(*session().userId()) : Value("0"));
    edit->param().setType("2");
    edit->setCityOnly(true);
    Navigator::push(this, edit);
}

void ActivityHome::doRequest() {
    if (const std::optional<std::string>& uid = session().userId(); uid && !uid->empty())
        param().setUid(*uid);
    else
        param().param().remove("uid");
    session().getActivityList(param().param(), this);
}

QString ActivityHome::cellIdentifier() const {
    return QStringLiteral("ActivityItem");
}

CustomCell* ActivityHome::newCell() const {
    return new ActivityItem;
}

double ActivityHome::rowHeight(const Dict&) const {
    return ActivityItem::kHeight;
}

void ActivityHome::openRow(const Value& row) {
    auto* detail = new ActivityDetail;
    detail->param().setRid(row.getStringValueForKey("id", "0"));
    Navigator::push(this, detail);
}

}  // namespace tovera
