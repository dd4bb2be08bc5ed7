#include "platform/ui/map/MapProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tovera::platform::ui {

namespace {

constexpr double kRadians = std::numbers::pi / 180.0;
// Beyond this latitude the projection runs to infinity.
constexpr double kMaxLatitude = 85.0511;

}  // namespace

MapProjection::MapProjection(const Coordinate& center, double scale, const QSizeF& size)
    : center_{std::clamp(center.latitude, -kMaxLatitude, kMaxLatitude),
              std::remainder(center.longitude, 360.0)},
      scale_(scale > 0 ? scale : 1),
      size_(size) {}

double MapProjection::mercatorY(double latitude) {
    const double phi = std::clamp(latitude, -kMaxLatitude, kMaxLatitude) * kRadians;
    return std::log(std::tan(std::numbers::pi / 4 + phi / 2));
}

double MapProjection::latitudeForMercatorY(double y) {
    return (2 * std::atan(std::exp(y)) - std::numbers::pi / 2) / kRadians;
}

MapProjection MapProjection::fitting(const CoordinateRegion& region, const QSizeF& size) {
    const double lonSpan = std::clamp(region.span.longitudeDelta, 1e-6, 360.0) * kRadians;
    const double latSpan = std::clamp(region.span.latitudeDelta, 1e-6, 170.0);
    const double top = mercatorY(region.center.latitude + latSpan / 2);
    const double bottom = mercatorY(region.center.latitude - latSpan / 2);
    const double byWidth = size.width() / lonSpan;
    const double byHeight = size.height() / std::max(1e-9, top - bottom);
    return MapProjection(region.center, std::min(byWidth, byHeight), size);
}

QPointF MapProjection::pointFor(const Coordinate& c) const {
    const double dLon = std::remainder(c.longitude - center_.longitude, 360.0) * kRadians;
    const double dY = mercatorY(c.latitude) - mercatorY(center_.latitude);
    return QPointF(size_.width() / 2 + dLon * scale_, size_.height() / 2 - dY * scale_);
}

Coordinate MapProjection::coordinateFor(const QPointF& point) const {
    const double lon = center_.longitude + (point.x() - size_.width() / 2) / scale_ / kRadians;
    const double y = mercatorY(center_.latitude) - (point.y() - size_.height() / 2) / scale_;
    return Coordinate{latitudeForMercatorY(y), std::remainder(lon, 360.0)};
}

CoordinateRegion MapProjection::region() const {
    const Coordinate topLeft = coordinateFor(QPointF(0, 0));
    const Coordinate bottomRight = coordinateFor(QPointF(size_.width(), size_.height()));
    return CoordinateRegion{
        center_, {topLeft.latitude - bottomRight.latitude, size_.width() / scale_ / kRadians}};
}

}  // namespace tovera::platform::ui
