// The pager of the photos picked for a post, newest first: at most `max`
// of them, one a page, swiped sideways; hidden while it holds none. The
// photo of the current page can be deleted.
#pragma once

#include <QList>
#include <QPointer>

#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/views/Image.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class ImageView;
}  // namespace tovera::platform::ui

namespace tovera {

class PhotoPreview : public platform::ui::View {
    Q_OBJECT
public:
    explicit PhotoPreview(const QRectF& frame = QRectF(0, 0, 320, 200), QWidget* parent = nullptr);

    /// The page under a horizontal `offset` of pages `width` wide: the one
    /// whose left half has been passed, modulo `count`; 0 without pages.
    static int pageAt(double offset, double width, int count);

    int max() const { return max_; }
    /// The most photos kept; empties and hides the pager.
    void setMax(int max);
    /// Puts `image` first, drops the photos beyond max(), and shows the
    /// pager when the image is a real one.
    void addImage(const platform::ui::Image& image);
    /// Removes the photo at `index` (an index out of range is ignored).
    void removeImageAt(int index);
    /// Removes the photo of the current page; hides the pager when none is left.
    void deletePhoto();

    const QList<platform::ui::Image>& images() const { return images_; }
    /// The current page.
    int index() const;
    platform::ui::ScrollView* scrollView() const { return scrollView_; }

private:
    /// One aspect-fit image view per photo, side by side.
    void layoutImages();

    int max_ = 0;
    QList<platform::ui::Image> images_;
    QList<QPointer<platform::ui::ImageView>> views_;
    platform::ui::ScrollView* scrollView_ = nullptr;
};

}  // namespace tovera
