#include "property/ProjectPhotos.h"

#include "framework/NetImageView.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::Button;

ProjectPhotos::ProjectPhotos(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    setBackgroundColor(Qt::white);
    image_ = new NetImageView(QRectF(0, 0, frame.width(), frame.height()));
    image_->setContentMode(platform::ui::ContentMode::ScaleAspectFit);
    addSubview(image_);
    button_ = new Button(QRectF(0, 0, frame.width(), frame.height()));
    connect(button_, &platform::ui::Control::touchUpInside, this, [this] {
        // With no photo there is nothing to open.
        if (urls_.empty()) return;
        if (QXViewDelegate* delegate = delegate_.get()) delegate->qxView(this, button_);
    });
    addSubview(button_);
}

void ProjectPhotos::setPicsArray(std::vector<std::string> urls) {
    urls_ = std::move(urls);
    image_->setImgUrl(urls_.empty() ? std::string() : urls_.front());
    if (!urls_.empty()) image_->load();
}

}  // namespace tovera
