#include "property/MenuTargets.h"

#include <QPointer>

#include "account/Editpassword.h"
#include "account/UserLogin.h"
#include "framework/NavigationStyle.h"
#include "framework/UnavailableScreen.h"
#include "framework/WebTools.h"
#include "news/Favorite.h"
#include "news/MyNews.h"
#include "news/NetComment.h"
#include "news/News.h"
#include "platform/ui/NavigationController.h"
#include "property/ChooseCity.h"
#include "property/Tovera.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::NavigationController;
using platform::ui::ViewController;

namespace {

ViewController* unavailable(const MenuTargetInput& in) {
    return new UnavailableScreen(in.caption);
}

// One builder per target. A builder still returning unavailable() opens a
// screen that is not built yet; replace it by the screen once it exists.
ViewController* openNews(const MenuTargetInput& in) {  // News, hasBtnsView(true)
    return News::withStrip(in.session);
}
ViewController* openSaleinfo(const MenuTargetInput& in) {  // Saleinfo, title = caption
    return unavailable(in);
}
ViewController* openToveraList(const MenuTargetInput& in) {  // ToveraList
    return unavailable(in);
}
ViewController* openOldHouse(const MenuTargetInput& in) {  // HouseList, api "oldhouse"
    return unavailable(in);
}
ViewController* openRentHouse(const MenuTargetInput& in) {  // HouseList, api "rent"
    return unavailable(in);
}
ViewController* openLocationHome(const MenuTargetInput& in) {  // LocationHome
    return unavailable(in);
}
ViewController* openAskHome(const MenuTargetInput& in) {  // AskHome
    return unavailable(in);
}
ViewController* openActivityHome(const MenuTargetInput& in) {  // ActivityHome
    return unavailable(in);
}
ViewController* openNetComment(const MenuTargetInput&) {
    return new NetComment;
}
ViewController* openWebTools(const MenuTargetInput&) {
    return new WebTools;
}
ViewController* openFriendsHome(const MenuTargetInput& in) {  // FriendsHome
    return unavailable(in);
}
ViewController* openRecommendations(const MenuTargetInput& in) {  // MyNews, type "1"
    return MyNews::feed(in.session, in.caption, "1");
}
ViewController* openFocusedProjects(const MenuTargetInput& in) {  // MyNews, type "2"
    return MyNews::feed(in.session, in.caption, "2");
}
ViewController* openFollowedSales(const MenuTargetInput& in) {  // Saleinfo, uid = user
    return unavailable(in);
}
ViewController* openSubscribedNews(const MenuTargetInput& in) {  // MyNews, type "3"
    return MyNews::feed(in.session, in.caption, "3");
}
ViewController* openMessageHome(const MenuTargetInput& in) {  // MessageHome
    return unavailable(in);
}
ViewController* openUserLogin(const MenuTargetInput&) {
    return MenuTargets::userLogin();
}
ViewController* openMessageSet(const MenuTargetInput& in) {  // MessageSet
    return unavailable(in);
}
ViewController* openFavorite(const MenuTargetInput&) {
    return new Favorite;
}
ViewController* openEditpassword(const MenuTargetInput& in) {
    return new Editpassword(in.session);
}
ViewController* openProfile(const MenuTargetInput& in) {  // Profile, type "1"
    return unavailable(in);
}
ViewController* openPurchase(const MenuTargetInput& in) {  // Profile, type "2"
    return unavailable(in);
}
ViewController* openNeighbours(const MenuTargetInput& in) {  // Profile, type "3"
    return unavailable(in);
}
ViewController* openSetList(const MenuTargetInput& in) {  // SetList
    return unavailable(in);
}
ViewController* openTopicHome(const MenuTargetInput& in) {  // TopicHome
    return unavailable(in);
}
ViewController* openLiveHome(const MenuTargetInput& in) {  // LiveHome, title = caption
    return unavailable(in);
}

}  // namespace

const std::vector<MenuEntry>& MenuTargets::entries() {
    static const std::vector<MenuEntry> all = {
        {1, 0, "fic_news", "资讯", false, openNews},
        {1, 1, "fic_saleinfo", "销售信息", false, openSaleinfo},
        {1, 2, "fic_tovera", "新房", false, openToveraList},
        {1, 3, "fic_oldhouse", "二手房", false, openOldHouse},
        {1, 4, "fic_renthouse", "租房", false, openRentHouse},
        {2, 0, "fic_location", "附近", false, openLocationHome},
        {2, 1, "fic_ask", "咨询", false, openAskHome},
        {2, 2, "fic_activity", "活动", false, openActivityHome},
        {2, 3, "fic_comment", "网友评论", false, openNetComment},
        {2, 4, "fic_tools", "购房工具", false, openWebTools},
        {2, 5, "fic_friend", "好友", true, openFriendsHome},
        {3, 0, "fic_recommend", "网站推荐", true, openRecommendations},
        {3, 1, "fic_focus", "楼盘关注", true, openFocusedProjects},
        {3, 2, "fic_salefocus", "销售关注", true, openFollowedSales},
        {3, 3, "fic_rss", "订阅资讯", true, openSubscribedNews},
        {3, 4, "fic_message", "私信", true, openMessageHome},
        {4, 0, "fic_login", "用户登录", false, openUserLogin},
        {4, 1, "fic_messageset", "消息设置", true, openMessageSet},
        {4, 2, "fic_fav", "收藏夹", false, openFavorite},
        {4, 3, "fic_password", "修改密码", true, openEditpassword},
        {4, 4, "fic_profile", "个人资料", true, openProfile},
        {4, 5, "fic_purchase", "置业信息", true, openPurchase},
        {4, 6, "fic_status", "邻里会", true, openNeighbours},
        {4, 7, "fic_setting", "系统设置", false, openSetList},
        {0, 0, "fic_logout", "注销", false, nullptr},
        {0, 0, "fic_topic", "话题", false, openTopicHome},
        {0, 0, "fic_live", "直播", false, openLiveHome},
    };
    return all;
}

std::vector<MenuEntry> MenuTargets::page(int type) {
    std::vector<MenuEntry> out;
    if (type < 1) return out;
    for (const MenuEntry& entry : entries())
        if (entry.type == type) out.push_back(entry);
    return out;
}

const MenuEntry* MenuTargets::byKey(std::string_view key) {
    for (const MenuEntry& entry : entries())
        if (key == entry.key) return &entry;
    return nullptr;
}

ViewController* MenuTargets::userLogin() {
    Tovera* home = Tovera::toveraViewController();
    if (!home) return new UnavailableScreen(QStringLiteral("用户登录"));
    return new UserLogin(home->DStovera(), [guard = QPointer<Tovera>(home)] {
        if (guard) guard->newMessage();
    });
}

ViewController* MenuTargets::chooseCity() {
    Tovera* home = Tovera::toveraViewController();
    if (!home) return new UnavailableScreen(QStringLiteral("切换城市"));
    return new ChooseCity(home->DStovera(), home);
}

ViewController* MenuTargets::recommendProfileEdit(const MenuTargetInput& in) {
    // ProfileEdit: rid = the session's user, type "2", api "recommand", title = caption
    return unavailable(in);
}

ViewController* MenuTargets::userPage(int, bool isMe) {
    // Profile (isMe) or UserInfo, with rid = the id and type "1"
    return new UnavailableScreen(isMe ? QStringLiteral("个人资料") : QStringLiteral("用户资料"));
}

ViewController* MenuTargets::toveraDetail(const std::string&) {  // ToveraDetail, rid
    return new UnavailableScreen(QStringLiteral("楼盘详情"));
}

}  // namespace tovera
