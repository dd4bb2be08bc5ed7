#include "framework/NetImageView.h"

namespace tovera {

NetImageView::NetImageView(const QRectF& frame, QWidget* parent)
    : ImageView(frame, parent),
      picture_(this, [this](const platform::ui::Image& image) { setImage(image); }) {}

}  // namespace tovera
