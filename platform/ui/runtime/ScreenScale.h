// Device pixels per point, changed while windows are shown. Qt fixes its
// scale when the application starts (QT_SCALE_FACTOR); a screen's factor can
// be replaced later only through Qt's private high-DPI interface, which this
// file keeps in one place.
#pragma once

class QScreen;

namespace tovera::platform::ui {

/// Draws the windows on `screen` at `scale` device pixels per point from the
/// next paint on. Windows keep their size in device pixels: the caller gives
/// them their new size in points.
void setScreenScale(QScreen* screen, double scale);

}  // namespace tovera::platform::ui
