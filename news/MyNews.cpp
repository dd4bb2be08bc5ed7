#include "news/MyNews.h"

#include <QDateTime>

#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "framework/ActivityView.h"
#include "framework/Navigator.h"
#include "news/MyNewsItem.h"
#include "platform/Alert.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {

// The feed kinds, which are also the slots of the last-look times.
constexpr int kFirstKind = 1;
constexpr int kLastKind = 3;

// What an entry of each kind ("classtype") opens; an unknown kind opens its
// project.
struct KindTarget {
    int classtype;
    Destination destination;
    const char* title;
};
constexpr KindTarget kKindTargets[] = {
    {1, Destination::Article, ""},
    {3, Destination::Listing, "房源详情"},
    {4, Destination::Activity, "活动详情"},
    {5, Destination::LiveRoom, "直播间"},
};

Route kindTarget(int classtype, const std::string& id) {
    Route route{Destination::Project, {}, QStringLiteral("楼盘详情")};
    for (const KindTarget& target : kKindTargets)
        if (target.classtype == classtype)
            route = {target.destination, {}, QString::fromUtf8(target.title)};
    route.param.setRid(id);
    return route;
}

}  // namespace

MyNews::MyNews(QObject* parent) : QXViewController(true, parent) {
    param().setType("1");
    setTitle(QStringLiteral("我的消息"));
    auto* settings = new BarButtonItem(QStringLiteral("设置"));
    connect(settings, &BarButtonItem::triggered, this, [this](BarButtonItem*) { set(); });
    navigationItem()->setRightBarButtonItem(settings);
}

MyNews* MyNews::feed(const QString& title, std::string_view type) {
    auto* screen = new MyNews;
    screen->setTitle(title);
    screen->param().setType(type);
    return screen;
}

void MyNews::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void MyNews::viewDidLoad() {
    QXViewController::viewDidLoad();
    addRefreshHeader(tableView_);
    updatetabBar();
    reloadData();
}

void MyNews::updatetabBar() {
    BarButtonItem* button = navigationItem()->rightBarButtonItem();
    const int type = Value(param().type()).intValue();
    button->setTag(type - 1);
    button->setTitle(type == 1 ? QStringLiteral("置业信息") : QStringLiteral("设置"));
}

void MyNews::reloadData() {
    tableView_->setTag(0);
    loadFirstPage();
}

void MyNews::doRequest() {
    stampLastUpdateTime();
    param().setMore("1");
    session().getUserSearchmsg(param().param(), this);
}

// Only the three feed kinds have a slot; any other type would write past
// the four slots (or before the first).
void MyNews::stampLastUpdateTime() {
    const int type = Value(param().type()).intValue();
    if (type < kFirstKind || type > kLastKind) return;
    std::vector<std::string>& times = session().lastUpdateTime();
    const std::size_t slot = std::size_t(type - 1);
    if (times.size() <= slot) times.resize(slot + 1, "0");
    times[slot] =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    platform::preferences().setList(PrefKey::kLastUpdateTime, times);
}

void MyNews::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    tableView_->setTag(total());
}

void MyNews::set() {
    if (!session().checkLogin()) return;
    Route route{Destination::MessageSettings};
    switch (navigationItem()->rightBarButtonItem()->tag()) {
        case 0:
            route = {Destination::ProfileEdit, {}, QStringLiteral("修改置业信息")};
            route.param.setRid(session().userId() ? Value(*session().userId()) : Value("0"));
            route.param.setType("2");
            break;
        case 1:
            route.title = QStringLiteral("关注设置");
            route.param.setType("1");
            break;
        case 2:
            route.title = QStringLiteral("订阅设置");
            route.param.setType("2");
            break;
        default:
            return;
    }
    Navigator::open(this, route);
}

int MyNews::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* MyNews::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<MyNewsItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("MyNewsItem")));
    if (!cell) {
        cell = new MyNewsItem;
        cell->setHost(this);
    }
    const Value& row = items()[std::size_t(indexPath.row)];
    cell->setInfo(row.dict() ? *row.dict() : Dict());
    cell->setTag(indexPath.row);
    return cell;
}

double MyNews::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return MyNewsItem::kHeight;
}

void MyNews::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= int(items().size())) return;
    const Value& row = items()[std::size_t(indexPath.row)];
    const std::string id = row.getStringValueForKey("id", "");
    Navigator::open(this, kindTarget(row.getIntValueForKey("classtype", 1), id));
}

}  // namespace tovera
