#include "community/UserBlack.h"

#include "community/CommunityText.h"
#include "community/FriendsSearchItem.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::IndexPath;
using platform::ui::SearchBar;
using platform::ui::TableView;
using platform::ui::TableViewCell;
using platform::ui::View;

namespace {
constexpr double kBarHeight = 44;
}  // namespace

UserBlack::UserBlack(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("黑名单"));
    param().setApi("black");
}

UserBlack::~UserBlack() {
    if (isViewLoaded()) tableView_->setDataSource(nullptr);
}

void UserBlack::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 416));
    searchBar_ = new SearchBar(QRectF(0, 0, 320, kBarHeight), root);
    searchBar_->setPlaceholder(QStringLiteral("输入要加入黑名单的用户名"));
    searchBar_->setDelegate(this);
    tableView_ =
        new TableView(QRectF(0, kBarHeight, 320, 416 - kBarHeight), TableView::Style::Plain, root);
    tableView_->setAutoresizingMask(View::FlexibleHeight);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    tableView_->setRowHeight(FriendsSearchItem::kHeight);
    setView(root);
}

void UserBlack::viewDidLoad() {
    QXViewController::viewDidLoad();
    reloadData();
}

void UserBlack::reloadData() {
    param().setUid(session().userId().value_or("0"));
    session().userBlack(param().param(), this);
}

void UserBlack::didLoad(const Value& reply, QXRequest* request) {
    if (request && request->params().getStringValueForKey("api", "") == "operateblack") {
        NSUtil::makeText(reply.getStringValueForKey("msg", "操作成功")).show();
        flagScreenBeneath(this);
        reloadData();
        return;
    }
    dataArray_.clear();
    for (const Value& row : reply["result"].items())
        if (row.isDict()) dataArray_.push_back(row);
    tableView_->setTableFooterView(dataArray_.empty() ? noItemView() : nullptr);
    tableView_->reloadData();
}

void UserBlack::searchBarSearchButtonClicked(SearchBar* bar) {
    const std::string name = bar->text().trimmed().toStdString();
    bar->resignFirstResponder();
    if (name.empty()) {
        NSUtil::makeText("请输入用户名").show();
        return;
    }
    Dict request{{"uid", session().userId().value_or("0")},
                 {"api", "operateblack"},
                 {"operate", "1"},
                 {"code", "1"},
                 {"username", name}};
    session().userSetmsg(request, this);
}

void UserBlack::qxView(View* view, Button* button) {
    auto* row = qobject_cast<FriendsSearchItem*>(view);
    if (!row || !button || button->tag() != FriendsSearchItem::kCancelTag) return;
    std::erase_if(dataArray_, [id = row->memberId()](const Value& record) {
        return record.getIntValueForKey("id", 0) == id;
    });
    tableView_->setTableFooterView(dataArray_.empty() ? noItemView() : nullptr);
    tableView_->reloadData();
    flagScreenBeneath(this);
}

int UserBlack::numberOfRowsInSection(TableView*, int) {
    return int(dataArray_.size());
}

TableViewCell* UserBlack::cellForRowAtIndexPath(TableView* table, const IndexPath& path) {
    auto* cell = qobject_cast<FriendsSearchItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("FriendsSearchItem")));
    if (!cell) cell = new FriendsSearchItem;
    cell->setDelegate(this);
    if (const Dict* record = dataArray_.at(std::size_t(path.row)).dict()) cell->setInfo(*record);
    cell->setType(-1);
    return cell;
}

void UserBlack::didSelectRowAtIndexPath(TableView* table, const IndexPath& path) {
    table->deselectRowAtIndexPath(path, true);
    if (path.row < 0 || std::size_t(path.row) >= dataArray_.size()) return;
    RootScreenServices::shared().showUserInfo(
        dataArray_[std::size_t(path.row)].getIntValueForKey("id", 0));
}

}  // namespace tovera
