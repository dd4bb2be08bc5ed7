#include "community/CommunityDestinations.h"

#include "community/FriendsHome.h"
#include "community/FriendsSearch.h"
#include "community/MessageHome.h"
#include "community/Profile.h"
#include "community/ProfileEdit.h"
#include "community/UserInfo.h"
#include "framework/Navigator.h"

namespace tovera {

void registerCommunityDestinations() {
    Navigator::registerBuilder(Destination::FriendsHome, [](const Route& route) {
        return withRoute(new FriendsHome, route);
    });
    // The inbox keeps its own title.
    Navigator::registerBuilder(Destination::MessageHome,
                               [](const Route&) { return new MessageHome; });
    Navigator::registerBuilder(Destination::UserPage, [](const Route& route) {
        auto* page = new UserInfo;
        page->setParam(route.param);
        return page;
    });
    Navigator::registerBuilder(Destination::Profile, [](const Route& route) {
        auto* profile = new Profile;
        profile->setParam(route.param);
        return profile;
    });
    // The editor opened elsewhere than from the profile asks for the record
    // itself; the opening place names it.
    Navigator::registerBuilder(Destination::ProfileEdit, [](const Route& route) {
        return withRoute(new ProfileEdit, route);
    });
    // The members who follow (type "3") or bought (type "2") one project.
    Navigator::registerBuilder(Destination::MemberSearch, [](const Route& route) {
        auto* search = new FriendsSearch;
        const int scope = route.param.type() == "3" ? 1 : 2;
        search->showHouse(route.param.rid(), QString::fromStdString(route.param.name()), scope);
        return search;
    });
}

}  // namespace tovera
