#include "framework/PhotoPreview.h"

#include <cmath>

#include "platform/ui/views/ImageView.h"

namespace tovera {

using platform::ui::Image;
using platform::ui::ImageView;

PhotoPreview::PhotoPreview(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    scrollView_ = new platform::ui::ScrollView(QRectF(QPointF(0, 0), frame.size()), this);
    scrollView_->setPagingEnabled(true);
    scrollView_->setShowsHorizontalScrollIndicator(false);
    setHidden(true);
}

void PhotoPreview::setMax(int max) {
    max_ = max;
    images_.clear();
    layoutImages();
    setHidden(true);
}

void PhotoPreview::addImage(const Image& image) {
    images_.prepend(image);
    while (images_.size() > std::max(max_, 0))
        images_.removeLast();
    layoutImages();
    if (!image.isNull() && !images_.isEmpty()) setHidden(false);
}

void PhotoPreview::removeImageAt(int index) {
    if (index < 0 || index >= images_.size()) return;
    images_.removeAt(index);
    layoutImages();
}

void PhotoPreview::deletePhoto() {
    removeImageAt(index());
    if (images_.isEmpty()) setHidden(true);
}

int PhotoPreview::pageAt(double offset, double width, int count) {
    if (count <= 0 || width <= 0) return 0;
    const int page = int(std::floor((offset - width / 2) / width)) + 1;
    return ((page % count) + count) % count;
}

int PhotoPreview::index() const {
    return pageAt(scrollView_->contentOffset().x(), scrollView_->frame().width(),
                  int(images_.size()));
}

void PhotoPreview::layoutImages() {
    for (const QPointer<ImageView>& view : views_)
        delete view.data();
    views_.clear();
    const QSizeF page = scrollView_->frame().size();
    for (int i = 0; i < images_.size(); ++i) {
        auto* view = new ImageView(QRectF(QPointF(page.width() * i, 0), page));
        view->setContentMode(platform::ui::ContentMode::ScaleAspectFit);
        view->setImage(images_[i]);
        scrollView_->addSubview(view);
        views_.append(view);
    }
    scrollView_->setContentSize(QSizeF(page.width() * double(images_.size()), page.height()));
    // The page shown stays within the photos left.
    const double last = std::max(0.0, page.width() * double(images_.size() - 1));
    if (scrollView_->contentOffset().x() > last) scrollView_->setContentOffset(QPointF(last, 0));
}

}  // namespace tovera
