#include "news/NewsDestinations.h"

#include "framework/Navigator.h"
#include "news/Correction.h"
#include "news/Favorite.h"
#include "news/LocalSearch.h"
#include "news/MyNews.h"
#include "news/NetComment.h"
#include "news/News.h"
#include "news/NewsInfo.h"
#include "news/NewsList.h"
#include "news/Recomment2Friends.h"
#include "news/RssNewsCat.h"

namespace tovera {

void registerNewsDestinations() {
    using D = Destination;
    Navigator::registerBuilder(D::NewsHome, [](const Route&) { return News::withStrip(); });
    Navigator::registerBuilder(D::Article,
                               [](const Route& route) { return withRoute(new NewsInfo, route); });
    Navigator::registerBuilder(D::PersonalFeed, [](const Route& route) {
        return MyNews::feed(route.title, route.param.type());
    });
    Navigator::registerBuilder(D::NewsSubscriptions, [](const Route&) { return new RssNewsCat; });
    Navigator::registerBuilder(D::SiteComments, [](const Route&) { return new NetComment; });
    Navigator::registerBuilder(D::Favorites, [](const Route&) { return new Favorite; });
    Navigator::registerBuilder(D::ProjectNews,
                               [](const Route& route) { return withRoute(new NewsList, route); });
    Navigator::registerBuilder(D::Correction,
                               [](const Route& route) { return withRoute(new Correction, route); });
    Navigator::registerBuilder(D::LocalSearch, [](const Route&) { return new LocalSearch; });
    Navigator::registerBuilder(D::RecommendToFriends, [](const Route& route) {
        return withRoute(new Recomment2Friends, route);
    });
}

}  // namespace tovera
