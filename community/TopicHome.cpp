#include "community/TopicHome.h"

#include "community/TopicItem.h"
#include "core/DSTovera.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"

namespace tovera {

using platform::ui::BarButtonItem;

TopicHome::TopicHome(QObject* parent) : StripListScreen(parent) {
    setTitle(QStringLiteral("话题"));
    param().setType("1");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("发表话题"), BarButtonItem::Style::Bordered, [this] { postTopic(); }));
}

void TopicHome::viewDidLoad() {
    StripListScreen::viewDidLoad();
    showListings({"所有话题", "热门话题", "我的话题", "好友话题"});
}

void TopicHome::viewDidAppear(bool animated) {
    StripListScreen::viewDidAppear(animated);
    if (takeRefreshFlag()) reloadData();
}

void TopicHome::listingChosen(int index) {
    param().setType(std::to_string(index + 1));
}

void TopicHome::postTopic() {
    if (!session().checkLogin()) return;
    Route form{Destination::AskForm, {}, QStringLiteral("发表话题")};
    form.param.setType("6");
    Navigator::open(this, form);
}

void TopicHome::doRequest() {
    session().getTopicList(param().param(), this);
}

QString TopicHome::cellIdentifier() const {
    return QStringLiteral("TopicItem");
}

CustomCell* TopicHome::newCell() const {
    return new TopicItem;
}

double TopicHome::rowHeight(const Dict& row) const {
    return TopicItem::contentHeight(row);
}

void TopicHome::openRow(const Value& row) {
    Navigator::open(this, Route::toObject(Destination::Topic, row.getStringValueForKey("id", "0")));
}

}  // namespace tovera
