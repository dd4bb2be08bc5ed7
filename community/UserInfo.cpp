#include "community/UserInfo.h"

#include <QPointer>

#include "community/CommunityText.h"
#include "community/SendMessage.h"
#include "core/DSTovera.h"
#include "core/QXRequest.h"
#include "framework/ActivityView.h"
#include "framework/JVPickView.h"
#include "framework/NSUtil.h"
#include "framework/Navigator.h"
#include "framework/NetImageView.h"
#include "framework/RootScreenServices.h"
#include "platform/Alert.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Label;
using platform::ui::TabBar;
using platform::ui::TabBarItem;
using platform::ui::View;

namespace {

constexpr double kWidth = 320;
constexpr double kScreenHeight = 416;
constexpr double kTabBarHeight = 49;
constexpr double kLabelHeight = 26;

// The labels, in the order shown, with their formats.
struct Field {
    const char* key;
    const char* format;
};
constexpr Field kFields[] = {
    {"remark", "备注:\t%1"}, {"username", "用户名:\t%1"}, {"realname", "真实姓名:\t%1"},
    {"age", "年龄:\t%1"},    {"email", "邮箱:\t%1"},      {"gander", "性别:\t%1"},
    {"point", "积分:\t%1"},  {"qq", "QQ:\t%1"},           {"tel", "电话:\t%1"},
};

std::string apiOf(const QXRequest* request) {
    return request ? request->params().getStringValueForKey("api", "") : std::string();
}

}  // namespace

UserInfo::UserInfo(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("用户资料"));
    param().setType("1");
}

Dict UserInfo::applyPrivacy(const Dict& record) {
    Dict shown = record;
    const int privacy = record.getIntValueForKey("privacy", 0);
    const bool isFriend = record.getIntValueForKey("groupid", -1) >= 1;
    auto hide = [&shown](std::initializer_list<const char*> keys) {
        for (const char* key : keys)
            shown.set(key, "保密");
    };
    if (privacy == 0) hide({"realname", "gander", "age", "tel", "email", "point"});
    if (!isFriend && privacy < 2) hide({"realname", "gander", "age", "tel", "email", "qq"});
    return shown;
}

void UserInfo::loadView() {
    auto* root = new View(QRectF(0, 0, kWidth, kScreenHeight));
    root->setBackgroundColor(NSUtil::listview_item());
    photo_ = new NetImageView(QRectF(10, 10, 80, 80), root);
    double top = 10;
    for (const Field& field : kFields) {
        const bool beside = top < 96;
        auto* label = new Label(
            QRectF(beside ? 100 : 10, top, beside ? kWidth - 110 : kWidth - 20, kLabelHeight),
            root);
        label->setFont(NSUtil::normalFont());
        label->setTextColor(NSUtil::black());
        labels_.emplace_back(field.key, label);
        top += kLabelHeight + 4;
    }
    tabBar_ = new TabBar(QRectF(0, kScreenHeight - kTabBarHeight, kWidth, kTabBarHeight), root);
    tabBar_->setAutoresizingMask(View::FlexibleTopMargin);
    tabBar_->setDelegate(this);
    const QStringList titles = {QStringLiteral("发私信"), QStringLiteral("移动分组"),
                                QStringLiteral("删除好友"), QStringLiteral("加为好友")};
    const char* icons[] = {"fic_message", "fic_friend", "fic_logout", "fic_friend"};
    QList<TabBarItem*> all;
    for (int i = 0; i < titles.size(); ++i) {
        auto* item = new TabBarItem(titles[i], NSUtil::skinImage(icons[i]), i);
        all.append(item);
        items_.append(item);
    }
    tabBar_->setItems(all);
    picker_ = new JVPickView(kWidth, root);
    picker_->setDelegate(this);
    picker_->setHidden(true);
    setView(root);
}

Label* UserInfo::label(std::string_view key) const {
    for (const auto& [name, label] : labels_)
        if (name == key) return label;
    return nullptr;
}

void UserInfo::viewWillAppear(bool) {
    if (record_.empty()) reloadData();
}

void UserInfo::reloadData() {
    QXViewController::reloadData();
    record_.clear();
    tabBar_->setHidden(true);
    param().setApi("userinfo");
    param().setUid(session().userId().value_or("0"));
    session().getUserInfo(param().param(), this);
}

void UserInfo::didLoad(const Value& reply, QXRequest* request) {
    const std::string api = apiOf(request);
    if (api == "friendgroup") {
        groups_.clear();
        QStringList names;
        for (const Value& group : reply["result"].items()) {
            if (!group.isDict()) continue;
            groups_.push_back(group);
            names.append(QString::fromStdString(group.getStringValueForKey("name", "")));
        }
        picker_->setTitles(names);
        picker_->showAtBottom();
        return;
    }
    if (api == "usergroup" || api == "deleteuser") {
        NSUtil::makeText(reply.getStringValueForKey("msg", "操作成功")).show();
        flagScreenBeneath(this);
        popScreen(this);
        return;
    }
    if (api == "addfriend") {
        NSUtil::makeText(reply.getStringValueForKey("msg", "好友请求已发送")).show();
        return;
    }
    // Only a user record is shown: an answer carrying a "code" is no record.
    const Dict* fields = reply.dict();
    if (!fields || fields->contains("code")) return;
    record_.merge(*fields);
    showRecord();
}

void UserInfo::showRecord() {
    const Dict shown = applyPrivacy(record_);
    for (const Field& field : kFields)
        if (Label* text = label(field.key))
            text->setText(
                QString::fromUtf8(field.format)
                    .arg(QString::fromStdString(shown.getStringValueForKey(field.key, ""))));
    const std::string photo = record_.getStringValueForKey("photo", "");
    if (!photo.empty()) {
        photo_->setImgUrl(photo);
        photo_->load();
    }
    const bool friendOfViewer = isFriend();
    label("remark")->setHidden(!friendOfViewer);
    QList<TabBarItem*> offered;
    for (const QPointer<TabBarItem>& item : items_)
        if (item && (friendOfViewer ? item->tag() != kAddItem : item->tag() == kAddItem))
            offered.append(item);
    tabBar_->setItems(offered);
    tabBar_->setHidden(false);
}

void UserInfo::tabBarDidSelectItem(TabBar* bar, TabBarItem* item) {
    bar->setSelectedItem(nullptr);
    if (!item) return;
    switch (item->tag()) {
        case kMessageItem: {
            // The form takes the recipient from the scratch parameters.
            RootScreenServices::shared().saveParam(record_.getStringValueForKey("username", ""),
                                                   "users");
            Navigator::push(this, new SendMessage);
            break;
        }
        case kGroupItem:
            setGroup();
            break;
        case kDeleteItem:
            confirmDeleteFriend();
            break;
        case kAddItem:
            addFriend();
            break;
        default:
            break;
    }
}

void UserInfo::setGroup() {
    if (ActivityView* overlay = activityView()) overlay->show(this);
    Dict request{{"id", "0"}, {"api", "friendgroup"}};
    session().userFriendgroup(request, this);
}

void UserInfo::qxView(View*, Button* button) {
    if (!button || button->tag() < JVPickView::kConfirmTag) return;
    const int row = picker_->selectedRow();
    if (row < 0 || std::size_t(row) >= groups_.size()) return;
    Dict request{{"api", "usergroup"},
                 {"id", param().rid()},
                 {"gid", groups_[std::size_t(row)].getStringValueForKey("id", "0")},
                 {"uid", session().userId().value_or("0")}};
    session().getUserSetgroup(request, this);
}

void UserInfo::confirmDeleteFriend() {
    const std::string name = record_.getStringValueForKey("username", "");
    platform::Alert ask{"提示", "您确定要删除" + name + "吗?", {"删除", "取消"}};
    ask.onButton = [self = QPointer(this)](int index) {
        if (index != 0 || !self) return;
        Dict request{{"api", "deleteuser"},
                     {"operate", "2"},
                     {"code", "2"},
                     {"id", self->param().rid()},
                     {"uid", self->session().userId().value_or("0")}};
        self->session().userApply(request, self);
    };
    platform::showAlert(std::move(ask));
}

// A request of its own: the page's parameters keep no "operate" or "code"
// that a later reload would send.
void UserInfo::addFriend() {
    Dict request{{"api", "addfriend"},
                 {"id", param().rid()},
                 {"t", "1"},
                 {"type", "1"},
                 {"uid", session().userId().value_or("0")},
                 {"operate", "1"},
                 {"code", "1"}};
    session().userApply(request, this);
}

}  // namespace tovera
