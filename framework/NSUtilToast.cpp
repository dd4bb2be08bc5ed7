// NSUtil's toast, shown by the toolkit's transient message box.
#include <QString>

#include "framework/NSUtil.h"
#include "platform/ui/overlays/Toast.h"

namespace tovera {

void NSUtil::ToastText::show() const {
    using platform::ui::Toast;
    Toast::Options options;
    switch (gravity) {
        case Gravity::Center:
            options.gravity = Toast::Gravity::Center;
            break;
        case Gravity::Top:
            options.gravity = Toast::Gravity::Top;
            break;
        case Gravity::Bottom:
            options.gravity = Toast::Gravity::Bottom;
            break;
    }
    options.offset = QPointF(offsetLeft, offsetTop);
    options.durationMs = duration;
    Toast::show(QString::fromStdString(text), options);
}

}  // namespace tovera
