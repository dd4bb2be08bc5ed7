#include "community/MessageList.h"

#include "community/MessageListItem.h"
#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "framework/RootScreenServices.h"
#include "platform/Preferences.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;
using platform::ui::View;

MessageList::MessageList(QObject* parent) : QXViewController(true, parent) {
    param().setType("1");
}

MessageList::~MessageList() {
    if (isViewLoaded()) tableView_->setDataSource(nullptr);
}

void MessageList::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 380), TableView::Style::Plain);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    tableView_->setAllowsSelection(false);
    setView(tableView_);
}

void MessageList::viewDidLoad() {
    QXViewController::viewDidLoad();
    addRefreshHeader(tableView_);
}

void MessageList::viewWillAppear(bool) {
    reloadIfEmpty();
}

void MessageList::reloadData() {
    tableView_->setTag(0);
    loadFirstPage();
}

void MessageList::doRequest() {
    asked_ = QDateTime::currentDateTime();
    session().getUserSendmsgList(param().param(), this);
}

void MessageList::didLoad(const Value& reply, QXRequest*) {
    if (pageDeclined(reply)) return;
    appendPage(reply, tableView_);
    tableView_->setTag(total());
    if (asked_) stampLastLook(*asked_);
    asked_.reset();
    RootScreenServices::shared().reselectTab();
}

// Written only once the page is shown: a page that never arrived leaves the
// messages it would have shown counted as new.
void MessageList::stampLastLook(const QDateTime& asked) {
    std::vector<std::string>& times = session().lastUpdateTime();
    if (times.size() <= kMessageSlot) times.resize(kMessageSlot + 1, "0");
    times[kMessageSlot] = asked.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    platform::preferences().setList(PrefKey::kLastUpdateTime, times);
}

void MessageList::qxView(View*, platform::ui::Button* button) {
    if (!button) reloadData();
}

int MessageList::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

double MessageList::heightForRowAtIndexPath(TableView*, const IndexPath& path) {
    if (path.row < 0 || std::size_t(path.row) >= items().size()) return 44;
    return MessageListItem::heightFor(items()[std::size_t(path.row)]);
}

TableViewCell* MessageList::cellForRowAtIndexPath(TableView* table, const IndexPath& path) {
    auto* cell = qobject_cast<MessageListItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("MessageListItem")));
    if (!cell) cell = new MessageListItem;
    cell->setDelegate(this);
    cell->setMlType(Value(param().type()).intValue());
    if (const Dict* record = items().at(std::size_t(path.row)).dict()) cell->setInfo(*record);
    return cell;
}

}  // namespace tovera
