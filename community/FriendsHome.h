// The signed-in user's friends, sorted into groups: each group is a section
// under a header button that folds it open or shut. A tab bar below opens
// the member search in its three scopes, the members nearby and the
// blacklist; "分组管理" opens the groups. A friend's remark is edited in a
// small editor that sits right above the keyboard.
//
// Groups stay open across reloads: the open state is kept per group id.
#pragma once

#include <QPointer>

#include <map>

#include "framework/QXViewController.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/TabBar.h"

namespace tovera::platform::ui {
class Button;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class NameEditor;

class FriendsHome : public QXViewController,
                    public platform::ui::TableViewDataSource,
                    public platform::ui::TabBarDelegate,
                    public QXViewDelegate {
    Q_OBJECT
public:
    static constexpr double kHeaderHeight = 40;
    /// The blacklist group, whose rows offer neither shield nor remark.
    static constexpr int kSpecialGroup = 2;

    explicit FriendsHome(QObject* parent = nullptr);
    ~FriendsHome() override;

    void reloadData() override;
    void didLoad(const Value& reply, QXRequest* request) override;

    /// "分组管理".
    void manageGroup();
    /// The remark editor's "确定" and "取消".
    void remark();
    void cancel();

    // A row reports its remark button, or a shield change the service took.
    void qxView(platform::ui::View* view, platform::ui::Button* button) override;

    int numberOfSectionsInTableView(platform::ui::TableView*) override;
    int numberOfRowsInSection(platform::ui::TableView*, int section) override;
    platform::ui::TableViewCell* cellForRowAtIndexPath(platform::ui::TableView*,
                                                       const platform::ui::IndexPath&) override;
    double heightForHeaderInSection(platform::ui::TableView*, int) override;
    platform::ui::View* viewForHeaderInSection(platform::ui::TableView*, int section) override;
    double heightForRowAtIndexPath(platform::ui::TableView*,
                                   const platform::ui::IndexPath&) override;
    void didSelectRowAtIndexPath(platform::ui::TableView*, const platform::ui::IndexPath&) override;
    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;

    const Array& dataArray() const { return dataArray_; }
    /// The header button of the group at `section` (made on first use).
    platform::ui::Button* headerButton(int section);
    platform::ui::TableView* tableView() const { return tableView_; }
    platform::ui::TabBar* tabBar() const { return tabBar_; }
    NameEditor* addRemarkView() const { return addRemarkView_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    void toggleGroup(platform::ui::Button* header);
    void openRemark(int friendId);
    /// The friend record with `id` in the groups held, or null.
    Value* friendRecord(int id);

    Array dataArray_;
    std::map<int, QPointer<platform::ui::Button>> headerBtns_;
    platform::ui::TableView* tableView_ = nullptr;
    platform::ui::TabBar* tabBar_ = nullptr;
    /// The remark editor; its tag is the friend being given a remark.
    NameEditor* addRemarkView_ = nullptr;
};

}  // namespace tovera
