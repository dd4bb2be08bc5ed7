// The row of one live room in "直播": the room's icon, its title, the
// owner's name on a button that opens the owner's page, and the time of the
// room's latest message. A room row is the post shape of the activity row,
// whatever keys the service left out.
#pragma once

#include "community/ActivityItem.h"

namespace tovera {

class LiveHomeItem : public ActivityItem {
    Q_OBJECT
public:
    explicit LiveHomeItem(QWidget* parent = nullptr);

    void setInfo(const Dict& info) override;
};

}  // namespace tovera
