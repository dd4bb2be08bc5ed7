#include "property/MenuTargets.h"

namespace tovera {

const std::vector<MenuEntry>& MenuTargets::entries() {
    using D = Destination;
    static const std::vector<MenuEntry> all = {
        {1, 0, "fic_news", "资讯", false, D::NewsHome},
        {1, 1, "fic_saleinfo", "销售信息", false, D::SaleInfo},
        {1, 2, "fic_tovera", "新房", false, D::ProjectList},
        {1, 3, "fic_oldhouse", "二手房", false, D::Listings, "api", "oldhouse"},
        {1, 4, "fic_renthouse", "租房", false, D::Listings, "api", "rent"},
        {2, 0, "fic_location", "附近", false, D::Nearby},
        {2, 1, "fic_ask", "咨询", false, D::AskHome},
        {2, 2, "fic_activity", "活动", false, D::ActivityHome},
        {2, 3, "fic_comment", "网友评论", false, D::SiteComments},
        {2, 4, "fic_tools", "购房工具", false, D::Tools},
        {2, 5, "fic_friend", "好友", true, D::FriendsHome},
        // Topics and live rooms have their own icons but were on no page,
        // which left their lists out of reach: they end the community page.
        {2, 6, "fic_topic", "话题", false, D::TopicHome},
        {2, 7, "fic_live", "直播", false, D::LiveHome},
        {3, 0, "fic_recommend", "网站推荐", true, D::PersonalFeed, "type", "1"},
        {3, 1, "fic_focus", "楼盘关注", true, D::PersonalFeed, "type", "2"},
        {3, 2, "fic_salefocus", "销售关注", true, D::FollowedSaleInfo},
        {3, 3, "fic_rss", "订阅资讯", true, D::PersonalFeed, "type", "3"},
        {3, 4, "fic_message", "私信", true, D::MessageHome},
        {4, 0, "fic_login", "用户登录", false, D::Login},
        {4, 1, "fic_messageset", "消息设置", true, D::MessageSettings},
        {4, 2, "fic_fav", "收藏夹", false, D::Favorites},
        {4, 3, "fic_password", "修改密码", true, D::PasswordChange},
        {4, 4, "fic_profile", "个人资料", true, D::Profile, "type", "1"},
        {4, 5, "fic_purchase", "置业信息", true, D::Profile, "type", "2"},
        {4, 6, "fic_status", "邻里会", true, D::Profile, "type", "3"},
        {4, 7, "fic_setting", "系统设置", false, D::Settings},
        {0, 0, "fic_logout", "注销", false, std::nullopt},
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

Route MenuTargets::route(const MenuEntry& entry) {
    Route route{entry.to.value_or(Destination::Login), {}, QString::fromUtf8(entry.caption)};
    if (entry.paramKey) route.param.setString(entry.paramValue, entry.paramKey);
    return route;
}

}  // namespace tovera
