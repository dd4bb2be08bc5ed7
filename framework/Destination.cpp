#include "framework/Destination.h"

namespace tovera {

QString destinationTitle(Destination destination) {
    switch (destination) {
        case Destination::Login:
            return QStringLiteral("用户登录");
        case Destination::PasswordChange:
            return QStringLiteral("修改密码");
        case Destination::Settings:
            return QStringLiteral("系统设置");
        case Destination::MessageSettings:
            return QStringLiteral("消息设置");
        case Destination::NewsHome:
            return QStringLiteral("资讯");
        case Destination::Article:
            return QStringLiteral("资讯详情");
        case Destination::PersonalFeed:
            return QStringLiteral("我的消息");
        case Destination::SiteComments:
            return QStringLiteral("网友评论");
        case Destination::Favorites:
            return QStringLiteral("收藏夹");
        case Destination::Correction:
            return QStringLiteral("纠错");
        case Destination::RecommendToFriends:
            return QStringLiteral("推荐给好友");
        case Destination::ChooseCity:
            return QStringLiteral("切换城市");
        case Destination::SaleInfo:
            return QStringLiteral("销售信息");
        case Destination::FollowedSaleInfo:
            return QStringLiteral("销售关注");
        case Destination::ProjectList:
            return QStringLiteral("新房");
        case Destination::ProjectFilter:
            return QStringLiteral("筛选条件");
        case Destination::Project:
            return QStringLiteral("楼盘详情");
        case Destination::ProjectGallery:
            return QStringLiteral("相册");
        case Destination::SaleNews:
            return QStringLiteral("销售信息");
        case Destination::ProjectNews:
            return QStringLiteral("资讯");
        case Destination::ProjectMap:
            return QStringLiteral("地图");
        case Destination::Listings:
            return QStringLiteral("二手房");
        case Destination::Listing:
            return QStringLiteral("房源详情");
        case Destination::Nearby:
            return QStringLiteral("附近");
        case Destination::PreferredCities:
            return QStringLiteral("意向城市");
        case Destination::Tools:
            return QStringLiteral("购房工具");
        case Destination::AskHome:
            return QStringLiteral("咨询");
        case Destination::Question:
            return QStringLiteral("咨询详情");
        case Destination::ProjectQuestions:
            return QStringLiteral("咨询");
        case Destination::AskForm:
            return QStringLiteral("我要提问");
        case Destination::TopicHome:
            return QStringLiteral("话题");
        case Destination::Topic:
            return QStringLiteral("话题详情");
        case Destination::ActivityHome:
            return QStringLiteral("活动");
        case Destination::Activity:
            return QStringLiteral("活动详情");
        case Destination::LiveHome:
            return QStringLiteral("直播");
        case Destination::LiveRoom:
            return QStringLiteral("直播室");
        case Destination::FriendsHome:
            return QStringLiteral("好友");
        case Destination::MessageHome:
            return QStringLiteral("私信");
        case Destination::UserPage:
            return QStringLiteral("用户资料");
        case Destination::MemberSearch:
            return QStringLiteral("会员搜索");
        case Destination::Profile:
            return QStringLiteral("个人资料");
        case Destination::ProfileEdit:
            return QStringLiteral("修改置业信息");
    }
    return {};
}

}  // namespace tovera
