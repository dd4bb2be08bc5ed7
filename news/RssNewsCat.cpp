#include "news/RssNewsCat.h"

#include <utility>

#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "core/QXRequest.h"
#include "framework/NSUtil.h"
#include "framework/ReplyDispatch.h"
#include "news/RssNewsCatItem.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;
using platform::ui::ViewController;

RssNewsCat::RssNewsCat(QObject* parent) : QXViewController(true, parent) {}

ViewController* RssNewsCat::host() {
    if (host_) return host_;
    ViewController* parent = parentViewController();
    if (parent && !qobject_cast<platform::ui::NavigationController*>(parent)) return parent;
    return this;
}

void RssNewsCat::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void RssNewsCat::viewWillAppear(bool) {
    if (dataArray_.empty()) reloadData();
}

void RssNewsCat::reloadData() {
    QXViewController::reloadData();
    param().setPage("1");
    param().setCityid(platform::preferences().string(PrefKey::kCityId).value_or(""));
    session().getNewsSort(param().param(), this);
}

bool RssNewsCat::isSave(const QXRequest* request) {
    return request && request->params().getStringValueForKey("api", "") == "rsspost";
}

void RssNewsCat::didLoad(const Value& reply, QXRequest* request) {
    if (isSave(request)) {
        NSUtil::makeText(reply.getStringValueForKey("msg", "订阅成功")).show();
        setUnsavedMark(0);
        saveEnded(true);
        return;
    }
    // The rows are replaced only when the new ones are there: the table
    // never shows rows the list no longer holds.
    dataArray_ = reply["result"].items();
    tableView_->setTableFooterView(dataArray_.empty() ? noItemView() : nullptr);
    tableView_->reloadData();
}

std::string RssNewsCat::rssIds() const {
    std::string ids;
    for (const Value& category : dataArray_)
        if (category.getIntValueForKey("subscribed", 0) != 0)
            ids = category.getStringValueForKey("cid", "0") + "|" + ids;
    if (ids.empty()) return "0";
    ids.pop_back();
    return ids;
}

// The save goes in a dictionary of its own, so that its "api" never makes
// a later category reply look like a save reply.
void RssNewsCat::subScribe() {
    QXParam request;
    request.setCid(rssIds());
    request.setApi("rsspost");
    request.setOperate("1");
    session().userSubscribe(request.param(), this);
}

void RssNewsCat::saveChoices(std::function<void(bool saved)> done) {
    saved_ = std::move(done);
    subScribe();
}

// A refused save reaches the base's alert and never didLoad(): the host
// still hears that it ended.
void RssNewsCat::requestDidLoad(QXRequest* request, const Value& reply) {
    const bool refusedSave = isSave(request) && ReplyDispatch::code(reply) == ReplyCode::Refused;
    QXViewController::requestDidLoad(request, reply);
    if (refusedSave) saveEnded(false);
}

void RssNewsCat::requestDidFailWithError(QXRequest* request, const Error& error) {
    QXViewController::requestDidFailWithError(request, error);
    if (isSave(request)) saveEnded(false);
}

void RssNewsCat::saveEnded(bool saved) {
    if (auto done = std::exchange(saved_, nullptr)) done(saved);
}

void RssNewsCat::setUnsavedMark(int mark) {
    ViewController* screen = host();
    if (platform::ui::BarButtonItem* save = screen->navigationItem()->rightBarButtonItem())
        save->setTag(mark);
}

int RssNewsCat::numberOfRowsInSection(TableView*, int) {
    return int(dataArray_.size());
}

TableViewCell* RssNewsCat::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<RssNewsCatItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("RssNewsCatItem")));
    if (!cell) cell = new RssNewsCatItem;
    const Value& row = dataArray_[std::size_t(indexPath.row)];
    cell->setInfo(row.dict() ? *row.dict() : Dict());
    return cell;
}

void RssNewsCat::didSelectRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    table->deselectRowAtIndexPath(indexPath, false);
    if (indexPath.row < 0 || indexPath.row >= int(dataArray_.size())) return;
    Dict* row = dataArray_[std::size_t(indexPath.row)].dict();
    if (!row) return;
    const bool checked = row->getIntValueForKey("subscribed", 0) == 1;
    row->set("subscribed", checked ? "0" : "1");
    setUnsavedMark(kUnsaved);
    table->reloadData();
}

}  // namespace tovera
