// The places one screen can send the user to in another part of the app: a
// closed set, so that a screen names where to go and the subsystem that owns
// the target builds it. What a destination reads from its route's parameter
// record is listed beside it.
#pragma once

#include <QString>

#include <array>

namespace tovera {

enum class Destination {
    // Account and settings.
    Login,              ///< The login screen.
    PasswordChange,     ///< "修改密码".
    Settings,           ///< "系统设置".
    MessageSettings,    ///< "消息设置"; type "1" followed projects, "2" subscriptions.
    FollowedProjects,   ///< The projects the user follows, shown inside a settings tab.
    NewsSubscriptions,  ///< The news categories to subscribe to, shown inside a settings tab.
    // News.
    NewsHome,            ///< The news home with its category strip.
    Article,             ///< An article: rid.
    PersonalFeed,        ///< The personal feed: type "1" recommendations, "2" projects, "3" news.
    SiteComments,        ///< The site-wide comments.
    Favorites,           ///< The favourites list.
    Correction,          ///< The error report or feedback form: rid, ptype.
    RecommendToFriends,  ///< Recommend an object to friends: rid, type.
    LocalSearch,         ///< The search over everything kept on the device.
    // Property.
    ChooseCity,        ///< The city choice, presented over the home screen.
    SaleInfo,          ///< Sale information of the city.
    FollowedSaleInfo,  ///< Sale information of the projects the user follows.
    ProjectList,       ///< The new-build projects of the city.
    ProjectFilter,     ///< The filter form of the list beneath: api "tovera", "oldhouse" or "rent".
    Project,           ///< A new-build project: rid.
    ProjectGallery,    ///< The photo albums of a project, shown inside it: rid.
    SaleNews,          ///< The sale news of one project: rid; the title is its name.
    ProjectNews,       ///< The news about a project, shown inside it: hid.
    ProjectMap,  ///< The map with one project's pin: type "-1", name, address, latitude, longitude.
    Listings,    ///< Second-hand or rental listings: api "oldhouse" or "rent"; hid.
    Listing,     ///< A listing: rid, api.
    Nearby,      ///< The map of what is near the user: type = the kind shown first, "0" new-build
                 ///< (default), "1" second-hand, "2" rentals, "3" friends, "4" users.
    PreferredCities,  ///< "意向城市", a check-list of cities: name = the names chosen, each
                      ///< followed by ","; the choice goes back to the screen beneath.
    Tools,            ///< The home-buying tools page.
    // Questions.
    AskHome,           ///< The question centre.
    Question,          ///< A question with its answers: rid.
    ProjectQuestions,  ///< The questions about a project, shown inside it: hid, api "tovera".
    AskForm,           ///< The asking form: rid, type "7", ptype "2".
    // Community.
    TopicHome,     ///< The topics.
    Topic,         ///< A topic with its replies: rid.
    ActivityHome,  ///< The activities.
    Activity,      ///< An activity: rid.
    LiveHome,      ///< The live rooms.
    LiveRoom,      ///< A live room: rid.
    FriendsHome,   ///< The friends.
    MessageHome,   ///< The private messages.
    UserPage,      ///< Another user's page: rid.
    MemberSearch,  ///< The members who follow (type "3") or bought (type "2") a project: rid, uid,
                   ///< name.
    Profile,       ///< The own profile: type "1" profile, "2" purchases, "3" neighbours.
    ProfileEdit,   ///< A profile section to edit: rid, type, api.
};

/// Every destination, in declaration order.
inline constexpr std::array kAllDestinations = {
    Destination::Login,
    Destination::PasswordChange,
    Destination::Settings,
    Destination::MessageSettings,
    Destination::FollowedProjects,
    Destination::NewsSubscriptions,
    Destination::NewsHome,
    Destination::Article,
    Destination::PersonalFeed,
    Destination::SiteComments,
    Destination::Favorites,
    Destination::Correction,
    Destination::RecommendToFriends,
    Destination::LocalSearch,
    Destination::ChooseCity,
    Destination::SaleInfo,
    Destination::FollowedSaleInfo,
    Destination::ProjectList,
    Destination::ProjectFilter,
    Destination::Project,
    Destination::ProjectGallery,
    Destination::SaleNews,
    Destination::ProjectNews,
    Destination::ProjectMap,
    Destination::Listings,
    Destination::Listing,
    Destination::Nearby,
    Destination::PreferredCities,
    Destination::Tools,
    Destination::AskHome,
    Destination::Question,
    Destination::ProjectQuestions,
    Destination::AskForm,
    Destination::TopicHome,
    Destination::Topic,
    Destination::ActivityHome,
    Destination::Activity,
    Destination::LiveHome,
    Destination::LiveRoom,
    Destination::FriendsHome,
    Destination::MessageHome,
    Destination::UserPage,
    Destination::MemberSearch,
    Destination::Profile,
    Destination::ProfileEdit,
};

/// What the user knows the destination as: the title of its screen when the
/// opening place gives none.
QString destinationTitle(Destination destination);

}  // namespace tovera
