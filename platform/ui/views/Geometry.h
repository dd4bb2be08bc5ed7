// Small value types and the fixed sizes of the phone screen, in points.
#pragma once

#include <QMarginsF>
#include <QRectF>

#include <compare>

namespace tovera::platform::ui {

/// The phone screen and its chrome, in points.
inline constexpr double kScreenWidth = 320;
inline constexpr double kScreenHeight = 480;
inline constexpr double kStatusBarHeight = 20;
inline constexpr double kNavigationBarHeight = 44;
inline constexpr double kTabBarHeight = 49;
inline constexpr double kKeyboardHeight = 216;

/// Insets in the phone's order: top, left, bottom, right.
struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;

    QRectF inset(const QRectF& r) const { return r.adjusted(left, top, -right, -bottom); }
    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

/// A row of a section of a table list.
struct IndexPath {
    int section = 0;
    int row = 0;

    friend auto operator<=>(const IndexPath&, const IndexPath&) = default;
};

/// How a picture fills the rectangle of its view.
enum class ContentMode {
    ScaleToFill,
    ScaleAspectFit,
    ScaleAspectFill,
    Center,
    Top,
    Bottom,
    Left,
    Right,
    TopLeft,
};

}  // namespace tovera::platform::ui
