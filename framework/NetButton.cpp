#include "framework/NetButton.h"

#include "platform/ui/views/ImageView.h"

namespace tovera {

NetButton::NetButton(const QRectF& frame, QWidget* parent)
    : Button(frame, parent),
      picture_(this, [this](const platform::ui::Image& image) { setImage(image); }) {
    imageView()->setContentMode(platform::ui::ContentMode::ScaleAspectFit);
    // A picture from the service; screens that know what it shows say so.
    setAccessibleName(QStringLiteral("图片"));
}

}  // namespace tovera
