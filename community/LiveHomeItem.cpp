#include "community/LiveHomeItem.h"

namespace tovera {

LiveHomeItem::LiveHomeItem(QWidget* parent) : ActivityItem(parent) {}

void LiveHomeItem::setInfo(const Dict& info) {
    // A room without an owner's name still shows as a room (the owner's
    // button, empty), never as an activity.
    Dict room = info;
    if (!room.contains("user")) room.setString("", "user");
    ActivityItem::setInfo(room);
}

}  // namespace tovera
