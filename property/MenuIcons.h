// One page of module icons under a tab of the home screen (tab index 1 to 4
// = `type`): a grid of three columns, each entry an icon with its caption
// that opens its module. The followed-content entries carry a badge with
// their unread count; the account page's first entry is "用户登录" or
// "注销" depending on the session.
#pragma once

#include <QPointer>

#include <string_view>
#include <vector>

#include "framework/GridView.h"
#include "platform/ui/navigation/ViewController.h"
#include "property/MenuTargets.h"

namespace tovera {

class Tovera;

class MenuIcons : public platform::ui::ViewController, public GridViewDataSource {
    Q_OBJECT
public:
    MenuIcons(Tovera* rootController, int type, QObject* parent = nullptr);

    int type() const { return type_; }
    GridView* gridView() const { return gridView_; }
    const std::vector<MenuEntry>& dataArray() const { return dataArray_; }

    /// Rebuilds the entries of the page and shows them again (the account
    /// entry and the badges follow the session).
    void reloadData();

    int numberOfItems(GridView* gridView) override;
    platform::ui::View* viewForItemAtPosition(GridView* gridView, int position) override;
    void didSelectItemAtPosition(GridView* gridView, int position) override;

    /// The unread count of the badge at `position` of the followed-content
    /// page: `number` split at ",", read at the position (one less past
    /// position 2, which has no badge); 0 when out of range.
    static int badgeNumber(std::string_view number, int position);
    /// Whether the entry with this icon key carries a badge.
    static bool hasBadge(std::string_view key);

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void open(const MenuEntry& entry);
    /// "网站推荐": profile editing with a prompt until the profile is
    /// complete enough, then the recommendations.
    void openRecommend(const MenuEntry& entry);
    void confirmLogout();
    /// Signs out: no user, no token, the city kept; automatic sign-in off and
    /// the stored password value gone.
    void logout();

    QPointer<Tovera> rootController_;
    int type_;
    GridView* gridView_ = nullptr;
    std::vector<MenuEntry> dataArray_;
};

}  // namespace tovera
