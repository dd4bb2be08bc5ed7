#include "community/LiveHome.h"

#include "community/LiveHomeItem.h"
#include "core/DSTovera.h"
#include "framework/ButtonsView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

namespace {
constexpr double kWidth = 320;
constexpr double kHeight = 416;
constexpr double kStripHeight = 36;
}  // namespace

LiveHome::LiveHome(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("直播"));
    param().setRid("1");
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("发起直播"), BarButtonItem::Style::Bordered, [this] { sendLive(); }));
}

std::string LiveHome::listCode(int tab) {
    static constexpr const char* kCodes[] = {"1", "3", "2"};
    return tab >= 0 && tab < 3 ? kCodes[tab] : kCodes[0];
}

void LiveHome::loadView() {
    auto* root = new platform::ui::View(QRectF(0, 0, kWidth, kHeight));
    root->setBackgroundColor(Qt::white);
    btnView_ = new ButtonsView(QRectF(0, 0, kWidth, kStripHeight), root);
    tableView_ = new TableView(QRectF(0, kStripHeight, kWidth, kHeight - kStripHeight),
                               TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    root->addSubview(tableView_);
    setView(root);
}

void LiveHome::viewDidLoad() {
    QXViewController::viewDidLoad();
    NSUtil::createBtns({"正在直播", "我的直播", "历史直播"}, btnView_,
                       [this](Button* button) { btnPressed(button); });
    addRefreshHeader(tableView_);
    Button* selected = NSUtil::getSelectedButton(btnView_);
    if (!selected) selected = qobject_cast<Button*>(btnView_->subviews().value(0));
    if (selected) btnPressed(selected);
}

void LiveHome::viewWillAppear(bool animated) {
    QXViewController::viewWillAppear(animated);
    if (takeRefreshFlag()) reloadData();
}

void LiveHome::btnPressed(Button* button) {
    btnsView(btnView_, button);
    const auto index = btnView_->subviews().indexOf(button);
    if (index < 0) return;
    param().setRid(listCode(int(index)));
    reloadData();
}

void LiveHome::sendLive() {
    Route form{Destination::AskForm, {}, QStringLiteral("发送直播")};
    form.param.setType("5");
    form.param.setApi("livesend");
    Navigator::open(this, form);
}

void LiveHome::reloadData() {
    if (tableView_) tableView_->setTag(0);
    loadFirstPage();
}

void LiveHome::doRequest() {
    session().getLiveList(param().param(), this);
}

void LiveHome::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    tableView_->setTag(total());
}

int LiveHome::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* LiveHome::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<LiveHomeItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("ActivityItem")));
    if (!cell) cell = new LiveHomeItem;
    const Dict* row = items()[indexPath.row].dict();
    cell->setInfo(row ? *row : Dict());
    return cell;
}

double LiveHome::heightForRowAtIndexPath(TableView*, const IndexPath&) {
    return LiveHomeItem::kHeight;
}

void LiveHome::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, true);
    if (indexPath.row < 0 || indexPath.row >= int(items().size())) return;
    Navigator::open(this, Route::toObject(Destination::LiveRoom,
                                          items()[indexPath.row].getStringValueForKey("id", "0")));
}

}  // namespace tovera
