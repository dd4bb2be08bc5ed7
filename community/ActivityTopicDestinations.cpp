#include "community/ActivityTopicDestinations.h"

#include "community/ActivityDetail.h"
#include "community/ActivityHome.h"
#include "community/LiveHome.h"
#include "community/LiveRoom.h"
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
    // Live rooms: the list, and one room by its id, which keeps its own
    // title whatever the opening place calls it.
    Navigator::registerBuilder(D::LiveHome,
                               [](const Route& route) { return withRoute(new LiveHome, route); });
    Navigator::registerBuilder(D::LiveRoom, [](const Route& route) {
        auto* room = new LiveRoom;
        room->setParam(route.param);
        return room;
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
