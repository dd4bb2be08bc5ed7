// "用户资料": another user's page, with the user's privacy applied, and a tab
// bar of what the viewer may do: a friend can be written to, moved to
// another group or deleted; anyone else can be asked to be a friend.
#pragma once

#include <QList>
#include <QPointer>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/navigation/TabBar.h"

namespace tovera::platform::ui {
class Label;
}  // namespace tovera::platform::ui

namespace tovera {

class JVPickView;
class NetImageView;

class UserInfo : public QXViewController,
                 public platform::ui::TabBarDelegate,
                 public QXViewDelegate {
    Q_OBJECT
public:
    /// The tab bar's items, by tag.
    static constexpr int kMessageItem = 0;
    static constexpr int kGroupItem = 1;
    static constexpr int kDeleteItem = 2;
    static constexpr int kAddItem = 3;

    explicit UserInfo(QObject* parent = nullptr);

    /// The record as another user may see it: "保密" in place of the fields
    /// the user's privacy level hides from this viewer.
    static Dict applyPrivacy(const Dict& record);

    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;
    /// The group picker's buttons.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    const Dict& record() const { return record_; }
    platform::ui::TabBar* tabBar() const { return tabBar_; }
    JVPickView* picker() const { return picker_; }
    /// The label of `key` ("remark", "username", "realname", ...), or null.
    platform::ui::Label* label(std::string_view key) const;

protected:
    void loadView() override;
    void viewWillAppear(bool animated) override;

private:
    void showRecord();
    void setGroup();
    void confirmDeleteFriend();
    void addFriend();
    bool isFriend() const { return record_.getIntValueForKey("groupid", -1) >= 1; }

    Dict record_;
    Array groups_;
    NetImageView* photo_ = nullptr;
    std::vector<std::pair<std::string, platform::ui::Label*>> labels_;
    platform::ui::TabBar* tabBar_ = nullptr;
    QList<QPointer<platform::ui::TabBarItem>> items_;
    JVPickView* picker_ = nullptr;
};

}  // namespace tovera
