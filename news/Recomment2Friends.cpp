#include "news/Recomment2Friends.h"

#include "core/DSTovera.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/ReplyDispatch.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/lists/TableViewCell.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {

constexpr int kBlacklistGroup = 2;
constexpr double kCheckSide = 20;
constexpr double kRowHeight = 44;

// The entries' texts joined so that the last one comes first:
// "c" + sep + "b" + sep + "a".
std::string joinedLastFirst(const Dict& entries, bool ids, std::string_view separator) {
    std::string joined;
    for (const auto& [id, name] : entries)
        joined = (ids ? id : name.toText()) + std::string(separator) + joined;
    if (!joined.empty()) joined.resize(joined.size() - separator.size());
    return joined;
}

}  // namespace

Recomment2Friends::Recomment2Friends(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("推荐给好友"));
    param().setApi("recommend");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("确定"), BarButtonItem::Style::Bordered, [this] { doRecomment(); }));
}

Recomment2Friends::~Recomment2Friends() {
    // The view may have gone before the screen (a stack deletes both).
    if (isViewLoaded()) tableView_->setDataSource(nullptr);
}

void Recomment2Friends::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    tableView_->setRowHeight(kRowHeight);
    setView(tableView_);
}

void Recomment2Friends::viewWillAppear(bool) {
    if (dataArray_.empty()) reloadData();
}

void Recomment2Friends::reloadData() {
    QXViewController::reloadData();
    dataArray_.clear();
    if (DSTovera* session = RootScreenServices::shared().session())
        session->getUserSetgroup(param().param(), this);
}

void Recomment2Friends::didLoad(const Value& reply, QXRequest*) {
    if (ReplyDispatch::code(reply) != ReplyCode::Missing) {
        // The answer to a recommendation.
        NSUtil::makeText(reply.getStringValueForKey("msg", "")).show();
        close();
        return;
    }
    for (const Value& group : reply["result"].items())
        if (group.getIntValueForKey("id", 0) != kBlacklistGroup)
            for (const Value& friendRecord : group["friends"].items())
                if (friendRecord.isDict()) dataArray_.push_back(friendRecord);
    tableView_->setTableFooterView(dataArray_.empty() ? noItemView() : nullptr);
    tableView_->reloadData();
}

void Recomment2Friends::doRecomment() {
    if (param().param().getStringValueForKey("api", "") != "recommend") {
        RootScreenServices::shared().saveParam(joinedLastFirst(uids_, false, ","), "users");
        close();
        return;
    }
    const std::string chosen = joinedLastFirst(uids_, true, "|");
    DSTovera* session = RootScreenServices::shared().session();
    if (chosen.empty() || !session) {
        // Nothing is sent; the toast says why, over the screen beneath.
        if (chosen.empty()) NSUtil::makeText("未选择好友").show();
        close();
        return;
    }
    // A dictionary of its own: the picker's own keys ("api", "t") stay home.
    Dict recommendation{{"uid", chosen},
                        {"id", param().rid()},
                        {"type", param().param().getStringValueForKey("type", "")}};
    session->userRecommand(recommendation, this);
}

int Recomment2Friends::numberOfRowsInSection(TableView*, int) {
    return int(dataArray_.size());
}

TableViewCell* Recomment2Friends::cellForRowAtIndexPath(TableView* table, const IndexPath& path) {
    auto* cell = table->dequeueReusableCellWithIdentifier(QStringLiteral("FriendCell"));
    if (!cell) {
        cell = new TableViewCell(TableViewCell::Style::Subtitle, QStringLiteral("FriendCell"));
        cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
        auto* check = new platform::ui::ImageView(
            QRectF(320 - 5 - kCheckSide, (kRowHeight - kCheckSide) / 2, kCheckSide, kCheckSide));
        check->setImage(platform::ui::Image::named(QStringLiteral("selected.png")));
        check->setTag(kCheckTag);
        cell->contentView()->addSubview(check);
    }
    const Value& record = dataArray_.at(std::size_t(path.row));
    const std::string name = record.getStringValueForKey("name", "");
    const std::string remark = record.getStringValueForKey("remark", "");
    cell->textLabel()->setText(
        QString::fromStdString(remark.empty() ? name : name + "(" + remark + ")"));
    cell->contentView()->viewWithTag(kCheckTag)->setHidden(
        !uids_.contains(record.getStringValueForKey("id", "0")));
    return cell;
}

void Recomment2Friends::didSelectRowAtIndexPath(TableView* table, const IndexPath& path) {
    table->deselectRowAtIndexPath(path, true);
    if (path.row < 0 || std::size_t(path.row) >= dataArray_.size()) return;
    const Value& record = dataArray_[std::size_t(path.row)];
    const std::string id = record.getStringValueForKey("id", "0");
    if (!uids_.remove(id)) uids_.set(id, record.getStringValueForKey("name", ""));
    if (TableViewCell* cell = table->cellForRowAtIndexPath(path))
        cell->contentView()->viewWithTag(kCheckTag)->setHidden(!uids_.contains(id));
}

void Recomment2Friends::close() {
    if (platform::ui::NavigationController* nav = navigationController())
        if (nav->topViewController() == this) nav->popViewControllerAnimated(true);
}

}  // namespace tovera
