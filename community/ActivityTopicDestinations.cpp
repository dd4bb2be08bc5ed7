#include "community/ActivityTopicDestinations.h"

#include "community/ActivityDetail.h"
#include "community/ActivityHome.h"
#include "community/TopicDetail.h"
#include "community/TopicHome.h"
#include "framework/Navigator.h"

namespace tovera {

void registerActivityTopicDestinations() {
    using D = Destination;
    Navigator::registerBuilder(
        D::ActivityHome, [](const Route& route) { return withRoute(new ActivityHome, route); });
    // An activity keeps its own title whatever the opening place calls it.
    Navigator::registerBuilder(D::Activity, [](const Route& route) {
        auto* detail = new ActivityDetail;
        detail->setParam(route.param);
        return detail;
    });
    // Topics: the list, and a topic under its own title.
    Navigator::registerBuilder(D::TopicHome,
                               [](const Route& route) { return withRoute(new TopicHome, route); });
    Navigator::registerBuilder(D::Topic, [](const Route& route) {
        auto* detail = new TopicDetail;
        detail->setParam(route.param);
        return detail;
    });
}

}  // namespace tovera
