// Something placed on the map: a coordinate with a title and a subtitle.
// Screens subclass it (their pin record); the map shares ownership.
#pragma once

#include "platform/Location.h"

#include <QString>

namespace tovera::platform::ui {

class MapAnnotation {
public:
    virtual ~MapAnnotation() = default;
    virtual Coordinate coordinate() const = 0;
    virtual QString title() const { return {}; }
    virtual QString subtitle() const { return {}; }
};

}  // namespace tovera::platform::ui
