// The plain map's geometry: a region (centre and spans in degrees) and the
// spherical Mercator projection that turns coordinates into points of a
// view and back.
#pragma once

#include "platform/Location.h"

#include <QPointF>
#include <QSizeF>

namespace tovera::platform::ui {

struct CoordinateSpan {
    double latitudeDelta = 0;
    double longitudeDelta = 0;
};

struct CoordinateRegion {
    Coordinate center;
    CoordinateSpan span;
};

class MapProjection {
public:
    /// A view of `size` points centred on `center` at `scale` points per
    /// radian of longitude.
    MapProjection(const Coordinate& center, double scale, const QSizeF& size);
    /// The projection that shows at least `region` in a view of `size`.
    static MapProjection fitting(const CoordinateRegion& region, const QSizeF& size);

    QPointF pointFor(const Coordinate& coordinate) const;
    Coordinate coordinateFor(const QPointF& point) const;
    /// The region the view shows.
    CoordinateRegion region() const;

    Coordinate center() const { return center_; }
    double scale() const { return scale_; }
    QSizeF size() const { return size_; }

    static double mercatorY(double latitude);
    static double latitudeForMercatorY(double y);

private:
    Coordinate center_;
    double scale_;
    QSizeF size_;
};

}  // namespace tovera::platform::ui
