#include "community/GroupList.h"

#include <QPointer>

#include "community/CommunityText.h"
#include "community/FriendGroupItem.h"
#include "community/NameEditor.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/ActivityView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "platform/Alert.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextField.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::IndexPath;
using platform::ui::TableView;
using platform::ui::TableViewCell;
using platform::ui::TextField;
using platform::ui::View;

GroupList::GroupList(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("分组管理"));
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("添加分组"), BarButtonItem::Style::Bordered, [this] { addNewGroup(); }));
}

GroupList::~GroupList() {
    if (isViewLoaded()) tableView_->setDataSource(nullptr);
}

void GroupList::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 416));
    tableView_ = new TableView(QRectF(0, 0, 320, 416), TableView::Style::Plain, root);
    tableView_->setAutoresizingMask(View::FlexibleHeight);
    tableView_->setDataSource(this);
    tableView_->setDelegate(this);
    tableView_->setRowHeight(FriendGroupItem::kHeight);
    tableView_->setAllowsSelection(false);
    addGroupView_ = new NameEditor(
        QStringLiteral("分组名"), [this] { addGroup(); }, root);
    setView(root);
}

void GroupList::viewDidLoad() {
    QXViewController::viewDidLoad();
    reloadData();
}

TextField* GroupList::addGroupField() const {
    return addGroupView_ ? addGroupView_->field() : nullptr;
}

void GroupList::reloadData() {
    QXViewController::reloadData();
    Dict request{{"id", "0"}};
    session().userFriendgroup(request, this);
}

void GroupList::didLoad(const Value& reply, QXRequest* request) {
    if (request && request->params().getStringValueForKey("api", "") == "updategroup") {
        NSUtil::makeText(reply.getStringValueForKey("msg", "修改成功")).show();
        flagScreenBeneath(this);
        reloadData();
        return;
    }
    dataArray_.clear();
    for (const Value& group : reply["result"].items())
        if (group.isDict()) dataArray_.push_back(group);
    tableView_->reloadData();
}

void GroupList::addNewGroup() {
    openEditor(0, QString());
}

void GroupList::openEditor(int id, const QString& name) {
    addGroupField()->setTag(id);
    addGroupView_->open(name);
}

void GroupList::addGroup() {
    addGroupView_->close();
    const int id = addGroupField()->tag();
    const QString name = addGroupField()->text().trimmed();
    if (name.isEmpty()) {
        // An emptied name of an existing group deletes it, which moves its
        // friends: that is asked first, as the delete button does.
        if (id > 0) {
            for (const Value& group : dataArray_)
                if (group.getIntValueForKey("id", 0) == id)
                    confirmDelete(id,
                                  QString::fromStdString(group.getStringValueForKey("name", "")));
        }
        return;
    }
    update(id, name.toStdString());
}

void GroupList::confirmDelete(int id, const QString& name) {
    platform::Alert ask{
        "提示",
        QStringLiteral("确定删除\"%1\"吗?该分组内好友将移至默认分组。").arg(name).toStdString(),
        {"删除", "取消"}};
    ask.onButton = [self = QPointer(this), id](int index) {
        if (index == 0 && self) self->update(id, "");
    };
    platform::showAlert(std::move(ask));
}

void GroupList::update(int id, const std::string& name) {
    if (ActivityView* overlay = activityView()) overlay->show(this);
    Dict request{{"api", "updategroup"}, {"id", std::to_string(id)}, {"grupname", name}};
    session().userUpdategroup(request, this);
}

void GroupList::qxView(View* view, Button* button) {
    auto* row = qobject_cast<FriendGroupItem*>(view);
    if (!row || !button || FriendGroupItem::isFixed(row->groupId())) return;
    if (button->tag() == FriendGroupItem::kModifyTag)
        openEditor(row->groupId(), row->groupName());
    else if (button->tag() == FriendGroupItem::kDeleteTag)
        confirmDelete(row->groupId(), row->groupName());
}

int GroupList::numberOfRowsInSection(TableView*, int) {
    return int(dataArray_.size());
}

TableViewCell* GroupList::cellForRowAtIndexPath(TableView* table, const IndexPath& path) {
    auto* cell = qobject_cast<FriendGroupItem*>(
        table->dequeueReusableCellWithIdentifier(QStringLiteral("FriendGroupItem")));
    if (!cell) cell = new FriendGroupItem;
    cell->setDelegate(this);
    if (const Dict* group = dataArray_.at(std::size_t(path.row)).dict()) cell->setInfo(*group);
    return cell;
}

}  // namespace tovera
