#include "platform/ui/runtime/ScreenScale.h"

#include <QtGui/private/qhighdpiscaling_p.h>
#include <QScreen>

namespace tovera::platform::ui {

namespace {

// The global factor the application started with.
double startScale() {
    bool ok = false;
    const double global = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && global > 0 ? global : 1.0;
}

}  // namespace

void setScreenScale(QScreen* screen, double scale) {
    if (!screen || scale <= 0) return;
    // The screen's own factor multiplies the global one set at start.
    QHighDpiScaling::setScreenFactor(screen, scale / startScale());
}

}  // namespace tovera::platform::ui
