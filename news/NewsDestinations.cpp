#include "news/NewsDestinations.h"

#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"
#include "news/Correction.h"
#include "news/Favorite.h"
#include "news/MyNews.h"
#include "news/NetComment.h"
#include "news/News.h"
#include "news/NewsInfo.h"
#include "news/Recomment2Friends.h"

namespace tovera {

void registerNewsDestinations() {
    using D = Destination;
    // Screens that talk through the session are built only once it exists.
    auto session = [] { return RootScreenServices::shared().session(); };
    Navigator::registerBuilder(D::NewsHome, [session](const Route&) -> News* {
        return session() ? News::withStrip(*session()) : nullptr;
    });
    Navigator::registerBuilder(D::Article,
                               [](const Route& route) { return withRoute(new NewsInfo, route); });
    Navigator::registerBuilder(D::PersonalFeed, [session](const Route& route) -> MyNews* {
        if (!session()) return nullptr;
        return MyNews::feed(*session(), route.title, route.param.type());
    });
    Navigator::registerBuilder(D::SiteComments, [](const Route&) { return new NetComment; });
    Navigator::registerBuilder(D::Favorites, [](const Route&) { return new Favorite; });
    Navigator::registerBuilder(D::Correction,
                               [](const Route& route) { return withRoute(new Correction, route); });
    Navigator::registerBuilder(D::RecommendToFriends, [](const Route& route) {
        return withRoute(new Recomment2Friends, route);
    });
}

}  // namespace tovera
