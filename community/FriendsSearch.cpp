#include "community/FriendsSearch.h"

#include "community/FriendsSearchItem.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::Keyboard;
using platform::ui::KeyboardInfo;
using platform::ui::Label;
using platform::ui::SearchBar;
using platform::ui::TableView;
using platform::ui::TableViewCell;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kScreenHeight = 416;
constexpr double kBarHeight = 88;  // the field and the scope buttons
constexpr int kBlacklistGroup = 2;

std::string apiOf(const QXRequest* request) {
    return request ? request->params().getStringValueForKey("api", "") : std::string();
}

}  // namespace

QStringList FriendsSearch::scopeTitles() {
    return {QStringLiteral("好友"), QStringLiteral("关注楼盘"), QStringLiteral("购买楼盘")};
}

FriendsSearch::FriendsSearch(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("搜索好友"));
    param().setType("0");
}

FriendsSearch::~FriendsSearch() {
    if (isViewLoaded()) tableView_->setDataSource(nullptr);
}

void FriendsSearch::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kScreenHeight));
    searchBar_ = new SearchBar(QRectF(0, 0, kWidth, kBarHeight), root);
    searchBar_->setScopeButtonTitles(scopeTitles());
    searchBar_->setShowsScopeBar(true);
    searchBar_->setDelegate(this);
    tableHeight_ = kScreenHeight - kBarHeight;
    tableView_ =
        new TableView(QRectF(0, kBarHeight, kWidth, tableHeight_), TableView::Style::Plain, root);
    tableView_->setAutoresizingMask(View::FlexibleHeight);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    tableView_->setRowHeight(FriendsSearchItem::kHeight);
    setView(root);
}

void FriendsSearch::viewDidLoad() {
    QXViewController::viewDidLoad();
    followKeyboard();
    const int type = Value(param().type()).intValue();
    if (house_) {
        quietScope_ = true;
        searchBar_->setSelectedScopeButtonIndex(type);
        quietScope_ = false;
        // A copy: showHouse() lets go of the project it was given.
        const auto house = *house_;
        showHouse(house.first, house.second, type);
        return;
    }
    searchBar_->setSelectedScopeButtonIndex(type >= 0 && type <= 2 ? type : 0);
    // Choosing the scope the bar already shows tells nobody.
    if (items().empty() && header_.isEmpty()) scopeChanged(searchBar_->selectedScopeButtonIndex());
}

void FriendsSearch::followKeyboard() {
    Keyboard& keyboard = Keyboard::shared();
    QObject::connect(&keyboard, &Keyboard::didShow, this, [this](const KeyboardInfo& info) {
        const double above = Keyboard::heightAbove(view(), info.frameEnd);
        QRectF frame = tableView_->frame();
        frame.setHeight(std::max(0.0, std::min(tableHeight_, above - frame.top())));
        tableView_->setFrame(frame);
    });
    QObject::connect(&keyboard, &Keyboard::willHide, this, [this](const KeyboardInfo&) {
        QRectF frame = tableView_->frame();
        frame.setHeight(view()->height() - frame.top());
        tableView_->setFrame(frame);
    });
}

int FriendsSearch::scope() const {
    return searchBar_ ? searchBar_->selectedScopeButtonIndex() : 0;
}

void FriendsSearch::showHouse(const std::string& id, const QString& name, int scope) {
    param().setType(std::to_string(scope));
    if (!isViewLoaded()) {
        house_ = std::make_pair(id, name);
        return;
    }
    house_.reset();
    setTitle(QStringLiteral("搜索") + scopeTitles().value(scope));
    searchBar_->setText(name);
    param().setRid(id);
    doSearch();
}

void FriendsSearch::selectedScopeButtonIndexDidChange(SearchBar*, int index) {
    if (!quietScope_) scopeChanged(index);
}

void FriendsSearch::scopeChanged(int scope) {
    param().setRid("0");
    items().clear();
    searchBar_->setTag(kProjectRows);
    searchBar_->setText(QString());
    searchBar_->setPlaceholder(QStringLiteral("输入楼盘名"));
    setTitle(QStringLiteral("搜索") + scopeTitles().value(scope));
    param().setType(std::to_string(scope));
    tableView_->setTableFooterView(nullptr);
    const std::string uid = session().userId().value_or("0");
    if (scope == 0) {
        header_ = QStringLiteral("您的所有好友:");
        searchBar_->setPlaceholder(QStringLiteral("输入用户名"));
        Dict request{{"id", uid}, {"api", "userfriends"}};
        session().getUserSetgroup(request, this);
    } else if (scope == 1) {
        header_ = QStringLiteral("已关注楼盘列表:");
        Dict request{{"id", uid}, {"api", "userfocus"}};
        session().getUserFocushouseList(request, this);
    } else {
        header_ = QStringLiteral("已购买楼盘列表:");
        Dict request{{"t", "2"}, {"type", "2"}, {"api", "userinfo"}};
        session().getUserFriendSearch(request, this);
    }
    tableView_->reloadData();
}

void FriendsSearch::searchBarSearchButtonClicked(SearchBar* bar) {
    bar->resignFirstResponder();
    param().setRid("0");
    doSearch();
}

void FriendsSearch::doSearch() {
    const QString text = searchBar_->text();
    if (text.isEmpty()) {
        searchBar_->becomeFirstResponder();
        return;
    }
    param().setKeyWord(text.toStdString());
    reloadData();
}

void FriendsSearch::reloadData() {
    tableView_->setTableFooterView(nullptr);
    loadFirstPage();
}

void FriendsSearch::doRequest() {
    session().getUserFriendSearch(param().param(), this);
}

void FriendsSearch::didLoad(const Value& reply, QXRequest* request) {
    const std::string api = apiOf(request);
    if (api == "userfriends") {
        items().clear();
        for (const Value& group : reply["result"].items())
            if (group.getIntValueForKey("id", 0) != kBlacklistGroup)
                for (const Value& member : group["friends"].items())
                    if (member.isDict()) items().push_back(member);
        searchBar_->setTag(kMemberRows);
        tableView_->reloadData();
        return;
    }
    if (api == "userfocus" || api == "userinfo") {
        Array projects;
        for (const Value& project : reply["result"].items()) {
            if (!project.isDict()) continue;
            Value row = project;
            if (api == "userfocus")
                row.dict()->set("name", "[" + project.getStringValueForKey("HouseType", "") + "]" +
                                            project.getStringValueForKey("name", ""));
            projects.push_back(std::move(row));
        }
        if (!projects.empty()) {
            items() = std::move(projects);
            searchBar_->setText(
                QString::fromStdString(items()[0].getStringValueForKey("name", "")));
            searchBar_->setTag(kProjectRows);
        }
        tableView_->reloadData();
        return;
    }
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    searchBar_->setTag(reply.getIntValueForKey("type", kMemberRows) == kProjectRows ? kProjectRows
                                                                                    : kMemberRows);
    const QString text = searchBar_->text();
    if (searchBar_->tag() == kProjectRows) {
        header_ = scope() != 0 && !text.isEmpty() ? QStringLiteral("包含\"%1\"的楼盘:").arg(text)
                                                  : QString();
    } else if (scope() == 1) {
        header_ = QStringLiteral("关注该楼盘的用户:");
    } else if (scope() == 2) {
        header_ = QStringLiteral("购买该楼盘的用户:");
    } else {
        header_ = QStringLiteral("包含\"%1\"的用户:").arg(text);
    }
    showFooter();
    tableView_->reloadData();
}

void FriendsSearch::showFooter() {
    if (!items().empty()) return;
    header_.clear();
    Label* none = noItemView();
    none->setText(searchBar_->tag() == kProjectRows ? QStringLiteral("此楼盘不存在")
                                                    : QStringLiteral("没有搜到会员"));
    tableView_->setTableFooterView(none);
}

int FriendsSearch::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* FriendsSearch::cellForRowAtIndexPath(TableView* table, const IndexPath& path) {
    auto* cell = qobject_cast<FriendsSearchItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("FriendsSearchItem")));
    if (!cell) cell = new FriendsSearchItem;
    cell->setDelegate(this);
    cell->setType(0);
    const Value& row = items().at(std::size_t(path.row));
    if (const Dict* fields = row.dict()) cell->setInfo(*fields);
    // Project rows carry no "groupid", so they show no button.
    return cell;
}

double FriendsSearch::heightForHeaderInSection(TableView*, int) {
    return header_.isEmpty() ? 0 : headerView()->frame().height();
}

View* FriendsSearch::viewForHeaderInSection(TableView*, int) {
    return header_.isEmpty() ? nullptr : sectionHeaderView(header_);
}

void FriendsSearch::didSelectRowAtIndexPath(TableView* table, const IndexPath& path) {
    table->deselectRowAtIndexPath(path, true);
    if (path.row < 0 || std::size_t(path.row) >= items().size()) return;
    const Value row = items()[std::size_t(path.row)];
    if (searchBar_->tag() == kProjectRows) {
        searchBar_->setText(QString::fromStdString(row.getStringValueForKey("name", "")));
        param().setRid(row.getStringValueForKey("id", "0"));
        doSearch();
        return;
    }
    RootScreenServices::shared().showUserInfo(row.getIntValueForKey("id", 0));
}

void FriendsSearch::scrollViewWillBeginDragging(platform::ui::ScrollView* scrollView) {
    searchBar_->resignFirstResponder();
    QXViewController::scrollViewWillBeginDragging(scrollView);
}

}  // namespace tovera
