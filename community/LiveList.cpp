#include "community/LiveList.h"

#include "comments/CommentDetail.h"
#include "comments/CommentList.h"
#include "community/LiveListItem.h"
#include "core/DSTovera.h"
#include "framework/ImageViewShow.h"
#include "framework/Navigator.h"
#include "framework/NetButton.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;

LiveList::LiveList(QObject* parent) : QXViewController(true, parent) {
    param().setApi("livelist");
}

void LiveList::loadView() {
    tableView_ = new TableView(QRectF(0, 0, 320, 300), TableView::Style::Plain);
    tableView_->setAutoresizingMask(platform::ui::View::FlexibleSize);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    setView(tableView_);
}

void LiveList::viewDidLoad() {
    QXViewController::viewDidLoad();
    reloadData();
}

void LiveList::reloadData() {
    param().setPage("1");
    tableView_->setTag(0);
    doRequest();
}

void LiveList::doRequest() {
    session().getLiveDetail(param().param(), this);
}

void LiveList::didLoad(const Value& reply, QXRequest*) {
    const Dict* record = reply.dict();
    if (!record) return;
    Dict room = *record;
    Array messages = room["text"].items();
    room.remove("text");
    Array rows;
    // The room shows as its picture; a room without one adds no row (it
    // would read as an empty message whose comments are the room's).
    if (!room.getStringValueForKey("picture", "").empty()) rows.emplace_back(std::move(room));
    for (Value& message : messages)
        rows.push_back(std::move(message));
    items() = std::move(rows);
    tableView_->setTag(int(items().size()));
    // Every refresh replaces the list in place: the reader stays where they
    // were (the table keeps the offset within its new content).
    const QPointF offset = tableView_->contentOffset();
    tableView_->setTableFooterView(items().empty() ? noItemView() : nullptr);
    tableView_->reloadData();
    tableView_->setContentOffset(offset);
}

Dict LiveList::row(int index) const {
    auto& rows = const_cast<LiveList*>(this)->items();
    if (index < 0 || index >= int(rows.size())) return {};
    const Dict* record = rows[index].dict();
    return record ? *record : Dict();
}

void LiveList::showPicture(int index) {
    const Dict record = row(index);
    std::string picture = record.getStringValueForKey("picture", "");
    if (picture.empty()) picture = record.getStringValueForKey("images", "");
    ImageViewShow* viewer = ImageViewShow::inWindow(platform::ui::Window::keyWindow());
    if (picture.empty() || !viewer) return;
    viewer->setPics(picture);
    viewer->setHidden(false);
}

void LiveList::showComments(int index) {
    const Dict record = row(index);
    const std::string id = record.getStringValueForKey("id", "");
    if (id.empty() || id == "0") return;
    auto* detail = new CommentDetail;
    CommentList* list = detail->commentList();
    list->param().setType("4");
    list->param().setRid(id);
    // A comment written from the list is filed under the message.
    list->param().setPtype("4");
    detail->view();  // the list loads
    list->headerView()->setText(QString::fromStdString(record.getStringValueForKey("message", "")));
    Navigator::push(this, detail);
}

int LiveList::numberOfRowsInSection(TableView*, int) {
    return int(items().size());
}

TableViewCell* LiveList::cellForRowAtIndexPath(TableView* table, const IndexPath& indexPath) {
    auto* cell = qobject_cast<LiveListItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("LiveListItem")));
    if (!cell) cell = new LiveListItem;
    cell->setDelegate(this);
    cell->setTag(indexPath.row);
    cell->setInfo(row(indexPath.row));
    return cell;
}

double LiveList::heightForRowAtIndexPath(TableView*, const IndexPath& indexPath) {
    return LiveListItem::contentHeight(row(indexPath.row));
}

void LiveList::qxView(platform::ui::View* view, platform::ui::Button* button) {
    auto* cell = qobject_cast<LiveListItem*>(view);
    if (!cell) return;
    if (button == cell->picButton())
        showPicture(cell->tag());
    else if (button == cell->commentBtn())
        showComments(cell->tag());
}

}  // namespace tovera
