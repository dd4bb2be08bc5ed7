// The overview's pager of remote pictures: one picture a page, swiped
// sideways or moved by its left and right buttons, with page dots. Only the
// first picture loads at once; each page loads its picture when it comes
// into view. A tapped picture reaches the delegate, with index() the page.
#pragma once

#include <QList>
#include <QPointer>

#include <string>
#include <vector>

#include "framework/QXViewDelegate.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/runtime/WeakDelegate.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class Button;
}  // namespace tovera::platform::ui

namespace tovera {

class MyPageControl;
class NetButton;

class PhotoView : public platform::ui::View, public platform::ui::ScrollViewDelegate {
    Q_OBJECT
public:
    /// A pager of `frame` (the overview gives 320 by 200 points).
    explicit PhotoView(const QRectF& frame = QRectF(0, 0, 320, 200), QWidget* parent = nullptr);

    QXViewDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(QXViewDelegate* delegate) { delegate_ = delegate; }

    /// Replaces the picture URLs (before the first call: three empty ones).
    void setPicsArray(std::vector<std::string> urls);
    const std::vector<std::string>& picsArray() const { return picsArray_; }
    /// One picture button per URL, side by side; the first one loads.
    void bindImgView();

    /// The current page.
    int index() const { return index_; }
    /// Moves one page left or right (never before the first or past the last).
    void prePage();
    void nextPage();

    platform::ui::ScrollView* scrollView() const { return scrollView_; }
    MyPageControl* pageControl() const { return pageControl_; }
    /// The picture button of page `n`, or null.
    NetButton* imageButton(int n) const;
    platform::ui::Button* leftButton() const { return leftBtn_; }
    platform::ui::Button* rightButton() const { return rightBtn_; }

    void scrollViewDidScroll(platform::ui::ScrollView* scrollView) override;

private:
    void showPage(int page);
    void imageTapped(platform::ui::Button* button);

    std::vector<std::string> picsArray_ = {"", "", ""};
    int index_ = 0;
    platform::ui::ScrollView* scrollView_ = nullptr;
    MyPageControl* pageControl_ = nullptr;
    platform::ui::Button* leftBtn_ = nullptr;
    platform::ui::Button* rightBtn_ = nullptr;
    QList<QPointer<NetButton>> buttons_;
    platform::ui::WeakDelegate<QXViewDelegate> delegate_;
};

}  // namespace tovera
