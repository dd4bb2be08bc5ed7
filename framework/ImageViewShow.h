// The full-screen picture viewer, one per window: a page per picture URL,
// swiped sideways, with page dots and a caption. Only the current page
// loads its picture. A screen fills it (setPics or setPicsArray /
// setNameArray), sets the index of the tapped picture and shows it.
#pragma once

#include <QList>
#include <QPointer>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Label;
class Window;
}  // namespace tovera::platform::ui

namespace tovera {

class MyPageControl;
class MyScrollView;

class ImageViewShow : public platform::ui::View, public platform::ui::ScrollViewDelegate {
    Q_OBJECT
public:
    static constexpr int kPageTagBase = 100;

    /// The viewer of `window`: the one among its children, or a new one,
    /// hidden, as large as the window.
    static ImageViewShow* inWindow(platform::ui::Window* window);

    explicit ImageViewShow(const QRectF& frame, QWidget* parent = nullptr);

    /// The pieces of a URL field (split by "|" or ","); captions cleared; page 0.
    void setPics(std::string_view text);
    /// Replaces the URLs (captions cleared) and rebuilds the pages.
    void setPicsArray(std::vector<std::string> urls);
    /// Replaces the captions (may be fewer than the URLs).
    void setNameArray(std::vector<std::string> names);
    /// One page per URL, tagged 100 + its position; then page 0.
    void bindImgView();
    /// Goes to page `n` modulo the number of URLs (nothing without URLs):
    /// dots, caption ("" past the captions) and the page's picture.
    void setIdx(int n);
    int idx() const { return idx_; }
    /// Shown: at the current page. Hidden: every page is removed.
    void setHidden(bool hidden);

    /// The URL at `index`, or nothing past the end.
    std::optional<std::string> getImgUrl(int index) const;
    const std::vector<std::string>& imgurlArray() const { return imgurlArray_; }
    const std::vector<std::string>& nameArray() const { return nameArray_; }

    platform::ui::ScrollView* scrollView() const { return scrollView_; }
    MyPageControl* pageControl() const { return pageControl_; }
    platform::ui::Label* nameLbl() const { return nameLbl_; }
    /// The page at position `index` while pages exist.
    MyScrollView* page(int index) const;

    /// After a swipe settles: the page under the middle becomes current.
    void scrollViewDidEndDecelerating(platform::ui::ScrollView* scrollView) override;

private:
    void removePages();
    void showCaption();
    int count() const { return int(imgurlArray_.size()); }

    std::vector<std::string> imgurlArray_;
    std::vector<std::string> nameArray_;
    int idx_ = 0;
    platform::ui::ScrollView* scrollView_ = nullptr;
    MyPageControl* pageControl_ = nullptr;
    platform::ui::Label* nameLbl_ = nullptr;
    QList<QPointer<MyScrollView>> pages_;
};

}  // namespace tovera
