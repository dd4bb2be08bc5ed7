#include "community/FriendsHome.h"

#include "community/FriendItem.h"
#include "community/FriendsSearch.h"
#include "community/GroupList.h"
#include "community/NameEditor.h"
#include "community/UserBlack.h"
#include "community/UserInfo.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::IndexPath;
using platform::ui::TabBar;
using platform::ui::TabBarItem;
using platform::ui::TableView;
using platform::ui::TableViewCell;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kScreenHeight = 416;
constexpr double kTabBarHeight = 49;
constexpr int kNearbyItem = 3;
constexpr int kBlacklistItem = 4;

const Array& friendsOf(const Value& group) {
    return group["friends"].items();
}

}  // namespace

FriendsHome::FriendsHome(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("好友"));
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("分组管理"), BarButtonItem::Style::Bordered, [this] { manageGroup(); }));
    param().setString("0", "gid");
}

FriendsHome::~FriendsHome() {
    if (isViewLoaded()) tableView_->setDataSource(nullptr);
}

void FriendsHome::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kScreenHeight));
    tableView_ = new TableView(QRectF(0, 0, kWidth, kScreenHeight - kTabBarHeight),
                               TableView::Style::Plain, root);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    tableView_->setAutoresizingMask(View::FlexibleHeight);

    tabBar_ = new TabBar(QRectF(0, kScreenHeight - kTabBarHeight, kWidth, kTabBarHeight), root);
    tabBar_->setAutoresizingMask(View::FlexibleTopMargin);
    tabBar_->setDelegate(this);
    const QStringList titles = {QStringLiteral("搜用户"), QStringLiteral("关注楼盘"),
                                QStringLiteral("购买楼盘"), QStringLiteral("附近"),
                                QStringLiteral("黑名单")};
    const char* icons[] = {"fic_friend", "fic_focus", "fic_purchase", "fic_location",
                           "fic_messageset"};
    QList<TabBarItem*> items;
    for (int i = 0; i < titles.size(); ++i)
        items.append(new TabBarItem(titles[i], NSUtil::skinImage(icons[i]), i));
    tabBar_->setItems(items);

    addRemarkView_ = new NameEditor(
        QStringLiteral("备注名"), [this] { remark(); }, root);
    setView(root);
}

void FriendsHome::viewDidLoad() {
    QXViewController::viewDidLoad();
    param().setString("YES", "refresh");
}

void FriendsHome::viewWillAppear(bool) {
    if (takeRefreshFlag()) reloadData();
}

void FriendsHome::reloadData() {
    QXViewController::reloadData();
    dataArray_.clear();
    tableView_->setTag(0);
    tableView_->reloadData();
    param().setPage("1");
    if (param().rid() == "0") param().setRid(session().userId().value_or("0"));
    session().getUserSetgroup(param().param(), this);
}

void FriendsHome::didLoad(const Value& reply, QXRequest* request) {
    if (request && request->params().getStringValueForKey("api", "") == "remark") {
        NSUtil::makeText(reply.getStringValueForKey("msg", "修改成功")).show();
        reloadData();
        return;
    }
    tableView_->setTag(reply.getIntValueForKey("total", 0));
    for (const Value& group : reply["result"].items())
        if (group.isDict()) dataArray_.push_back(group);
    tableView_->reloadData();
}

void FriendsHome::manageGroup() {
    auto* groups = new GroupList;
    groups->param().setRid("0");
    Navigator::push(this, groups);
}

// ---- Groups ---------------------------------------------------------------

int FriendsHome::numberOfSectionsInTableView(TableView*) {
    return int(dataArray_.size());
}

Button* FriendsHome::headerButton(int section) {
    if (section < 0 || std::size_t(section) >= dataArray_.size()) return nullptr;
    const Value& group = dataArray_[std::size_t(section)];
    const int id = group.getIntValueForKey("id", section);
    QPointer<Button>& header = headerBtns_[id];
    if (!header) {
        header = new Button(QRectF(0, 0, kWidth, kHeaderHeight));
        header->setParent(view());
        header->hide();
        header->setBackgroundImage(
            platform::ui::Image::named(QStringLiteral("friend_group_bg.png")));
        header->setBackgroundColor(NSUtil::listview_item());
        header->setImage(platform::ui::Image::named(QStringLiteral("friend_arrow_right.png")));
        header->setImage(platform::ui::Image::named(QStringLiteral("friend_arrow_down.png")),
                         Button::Selected);
        header->setContentHorizontalAlignment(platform::ui::Control::HorizontalAlignment::Left);
        header->setContentEdgeInsets({0, 5, 0, 0});
        header->setTitleColor(NSUtil::black());
        header->setFont(NSUtil::normalFont());
        QObject::connect(header, &Button::touchUpInside, this,
                         [this, button = header.data()] { toggleGroup(button); });
    }
    header->setTag(id);
    header->setTitle(QString::fromStdString(group.getStringValueForKey("groupname", "默认")));
    return header;
}

void FriendsHome::toggleGroup(Button* header) {
    header->setSelected(!header->isSelected());
    tableView_->reloadData();
}

double FriendsHome::heightForHeaderInSection(TableView*, int) {
    return kHeaderHeight;
}

View* FriendsHome::viewForHeaderInSection(TableView*, int section) {
    return headerButton(section);
}

int FriendsHome::numberOfRowsInSection(TableView*, int section) {
    Button* header = headerButton(section);
    if (!header || !header->isSelected()) return 0;
    return int(friendsOf(dataArray_[std::size_t(section)]).size());
}

double FriendsHome::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return FriendItem::kHeight;
}

TableViewCell* FriendsHome::cellForRowAtIndexPath(TableView* table, const IndexPath& path) {
    auto* cell = qobject_cast<FriendItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("FriendItem")));
    if (!cell) cell = new FriendItem;
    cell->setDelegate(this);
    const Value& group = dataArray_.at(std::size_t(path.section));
    cell->setFriend(friendsOf(group).at(std::size_t(path.row)),
                    group.getIntValueForKey("id", 0) == kSpecialGroup);
    return cell;
}

void FriendsHome::didSelectRowAtIndexPath(TableView* table, const IndexPath& path) {
    table->deselectRowAtIndexPath(path, true);
    if (std::size_t(path.section) >= dataArray_.size()) return;
    const Array& friends = friendsOf(dataArray_[std::size_t(path.section)]);
    if (std::size_t(path.row) >= friends.size()) return;
    auto* page = new UserInfo;
    page->param().setRid(friends[std::size_t(path.row)].getStringValueForKey("id", "0"));
    Navigator::push(this, page);
}

// ---- Row buttons and the remark editor -------------------------------------

Value* FriendsHome::friendRecord(int id) {
    for (Value& group : dataArray_) {
        Dict* fields = group.dict();
        Value* friends = fields ? fields->find("friends") : nullptr;
        if (!friends || !friends->array()) continue;
        for (Value& record : *friends->array())
            if (record.getIntValueForKey("id", 0) == id) return &record;
    }
    return nullptr;
}

void FriendsHome::qxView(View* view, Button* button) {
    auto* row = qobject_cast<FriendItem*>(view);
    if (!row || !button) return;
    if (button->tag() == FriendItem::kRemarkTag) {
        openRemark(row->friendId());
    } else if (button->tag() == FriendItem::kShieldTag) {
        if (Value* record = friendRecord(row->friendId()); record && record->dict())
            record->dict()->set("bool", row->shielded() ? "1" : "0");
    }
}

void FriendsHome::openRemark(int friendId) {
    const Value* record = friendRecord(friendId);
    addRemarkView_->setTag(friendId);
    addRemarkView_->open(record ? QString::fromStdString(record->getStringValueForKey("remark", ""))
                                : QString());
}

void FriendsHome::remark() {
    // A dictionary of its own: the list's parameters keep no "api".
    Dict request{{"api", "remark"},
                 {"name", addRemarkView_->field()->text().toStdString()},
                 {"uid", session().userId().value_or("0")},
                 {"id", std::to_string(addRemarkView_->tag())}};
    addRemarkView_->close();
    session().userRemark(request, this);
}

void FriendsHome::cancel() {
    addRemarkView_->cancel();
}

// ---- Tab bar --------------------------------------------------------------

void FriendsHome::tabBarDidSelectItem(TabBar* bar, TabBarItem* item) {
    const int index = bar->indexOfItem(item);
    bar->setSelectedItem(nullptr);
    if (index == kNearbyItem) {
        Route nearby{Destination::Nearby, {}, QStringLiteral("附近")};
        nearby.param.setType("3");
        Navigator::open(this, nearby);
    } else if (index == kBlacklistItem) {
        Navigator::push(this, new UserBlack);
    } else if (index >= 0) {
        auto* search = new FriendsSearch;
        search->param().setType(std::to_string(index));
        Navigator::push(this, search);
    }
}

}  // namespace tovera
