// "新房": the new-build projects of the city in three sort orders, with the
// count of matches above the list and "筛选" opening the filter form, which
// hands its criteria back through doSearch().
#pragma once

#include "core/QXParam.h"
#include "framework/QXViewController.h"
#include "platform/ui/navigation/TabBar.h"

namespace tovera::platform::ui {
class Label;
class View;
}  // namespace tovera::platform::ui

namespace tovera {

class ButtonsView;
class HouseTableView;

class ToveraList : public QXViewController, public platform::ui::TabBarDelegate {
    Q_OBJECT
public:
    explicit ToveraList(QObject* parent = nullptr);

    /// The sort code of a sort tab: 1 newest, 3 price, 5 most followed.
    static int sortCode(int tabIndex);

    /// New criteria: the record, forced past the cache and sorted by the
    /// current sort code, replaces the list's parameters whole; the list
    /// reloads.
    void doSearch(QXParam record);
    /// The sort code in use.
    int order() const { return order_; }

    // TabBarDelegate: a sort tab starts a fresh search that drops the filter.
    void tabBarDidSelectItem(platform::ui::TabBar* tabBar, platform::ui::TabBarItem* item) override;

    HouseTableView* list() const { return list_; }
    platform::ui::TabBar* tabBar() const { return tabBar_; }
    /// The count line above the list.
    platform::ui::Label* keyWord() const { return keyWord_; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    /// Back on top, the count shows the list's last reply (it may have come
    /// while a screen above was still leaving).
    void viewWillAppear(bool animated) override;

private:
    void showCount(int total);
    void openFilter();

    int order_ = 1;
    bool loaded_ = false;
    platform::ui::TabBar* tabBar_ = nullptr;
    ButtonsView* countView_ = nullptr;
    platform::ui::Label* keyWord_ = nullptr;
    platform::ui::View* contentView_ = nullptr;
    HouseTableView* list_ = nullptr;
};

}  // namespace tovera
