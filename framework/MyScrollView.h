// One page of the picture viewer: a remote picture filling the page
// (aspect-fit) that zooms between 0.5 and 5.5. A single tap closes the
// viewer; a double tap zooms in by one step.
#pragma once

#include <functional>

#include "platform/ui/lists/ScrollView.h"

namespace tovera {

class NetImageView;

class MyScrollView : public platform::ui::ScrollView, public platform::ui::ScrollViewDelegate {
    Q_OBJECT
public:
    explicit MyScrollView(const QRectF& frame, QWidget* parent = nullptr);

    NetImageView* imageView() const { return imageView_; }
    /// Called on a single tap (the viewer hides itself).
    void setOnSingleTap(std::function<void()> onTap) { onSingleTap_ = std::move(onTap); }
    /// The double-tap step: the zoom grows by 1, over 0.3 seconds.
    void zoomIn();

    platform::ui::View* viewForZoomingInScrollView(platform::ui::ScrollView*) override;

private:
    NetImageView* imageView_ = nullptr;
    std::function<void()> onSingleTap_;
};

}  // namespace tovera
