#include "framework/MyPageControl.h"

#include "platform/ui/views/Image.h"

namespace tovera {

MyPageControl::MyPageControl(const QRectF& frame, QWidget* parent) : PageControl(frame, parent) {
    using platform::ui::Image;
    setDotImages(Image::named(QStringLiteral("pagelarge.png")),
                 Image::named(QStringLiteral("pagesmall.png")));
}

}  // namespace tovera
