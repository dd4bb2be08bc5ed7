// The photo strip at the top of a project's overview: the first photo of the
// project, tappable. It offers what the overview needs of a photo pager
// (the photo list, the page shown, taps reported to a delegate), so a pager
// that turns through every photo can take its place.
#pragma once

#include <string>
#include <vector>

#include "framework/QXViewDelegate.h"
#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class NetImageView;

class ProjectPhotos : public platform::ui::View {
    Q_OBJECT
public:
    explicit ProjectPhotos(const QRectF& frame, QWidget* parent = nullptr);

    /// Replaces the photo addresses; the first one is shown (none: nothing).
    void setPicsArray(std::vector<std::string> urls);
    const std::vector<std::string>& picsArray() const { return urls_; }
    /// The photo shown.
    int index() const { return 0; }

    /// Hears a tap on a photo as qxView(this, button).
    void setDelegate(QXViewDelegate* delegate) { delegate_ = delegate; }

    NetImageView* imageView() const { return image_; }
    platform::ui::Button* button() const { return button_; }

private:
    std::vector<std::string> urls_;
    NetImageView* image_ = nullptr;
    platform::ui::Button* button_ = nullptr;
    platform::ui::WeakDelegate<QXViewDelegate> delegate_;
};

}  // namespace tovera
