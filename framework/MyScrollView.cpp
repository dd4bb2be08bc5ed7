#include "framework/MyScrollView.h"

#include "framework/NetImageView.h"
#include "platform/ui/views/TapGestureRecognizer.h"

namespace tovera {

using platform::ui::TapGestureRecognizer;

MyScrollView::MyScrollView(const QRectF& frame, QWidget* parent) : ScrollView(frame, parent) {
    setMinimumZoomScale(0.5);
    setMaximumZoomScale(5.5);
    setShowsHorizontalScrollIndicator(false);
    setShowsVerticalScrollIndicator(false);
    setDelegate(this);
    setContentSize(frame.size());

    imageView_ = new NetImageView(QRectF(QPointF(), frame.size()));
    imageView_->setContentMode(platform::ui::ContentMode::ScaleAspectFit);
    addSubview(imageView_);

    auto* doubleTap = new TapGestureRecognizer(this, 2);
    auto* singleTap = new TapGestureRecognizer(this, 1);
    singleTap->requireToFail(doubleTap);
    connect(doubleTap, &TapGestureRecognizer::recognized, this, [this] { zoomIn(); });
    connect(singleTap, &TapGestureRecognizer::recognized, this, [this] {
        if (onSingleTap_) onSingleTap_();
    });
}

void MyScrollView::zoomIn() {
    setZoomScale(zoomScale() + 1, true);
}

platform::ui::View* MyScrollView::viewForZoomingInScrollView(platform::ui::ScrollView*) {
    return imageView_;
}

}  // namespace tovera
