#include "framework/ImageViewShow.h"

#include <cmath>

#include "framework/ImageLoader.h"
#include "framework/MyPageControl.h"
#include "framework/MyScrollView.h"
#include "framework/NetImageView.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"

namespace tovera {

using platform::ui::Label;
using platform::ui::ScrollView;
using platform::ui::Window;

namespace {
constexpr double kDotsHeight = 44;
constexpr double kCaptionHeight = 30;
constexpr double kCaptionGap = 10;
constexpr double kPageTop = 10;

int modulo(int n, int count) {
    const int r = n % count;
    return r < 0 ? r + count : r;
}
}  // namespace

ImageViewShow* ImageViewShow::inWindow(Window* window) {
    if (!window) return nullptr;
    for (QWidget* child : window->subviews())
        if (auto* viewer = qobject_cast<ImageViewShow*>(child)) return viewer;
    auto* viewer = new ImageViewShow(window->bounds());
    viewer->setHidden(true);
    window->addSubview(viewer);
    return viewer;
}

ImageViewShow::ImageViewShow(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    const double w = frame.width();
    const double h = frame.height();
    setBackgroundColor(Qt::black);

    scrollView_ = new ScrollView(QRectF(0, 0, w, h));
    scrollView_->setPagingEnabled(true);
    scrollView_->setShowsHorizontalScrollIndicator(false);
    scrollView_->setShowsVerticalScrollIndicator(false);
    scrollView_->setDelegate(this);
    addSubview(scrollView_);

    nameLbl_ =
        new Label(QRectF(0, h - kDotsHeight - kCaptionGap - kCaptionHeight, w, kCaptionHeight));
    nameLbl_->setTextColor(Qt::white);
    nameLbl_->setTextAlignment(Qt::AlignHCenter);
    nameLbl_->setFont(platform::ui::Font::system(15));
    addSubview(nameLbl_);

    pageControl_ = new MyPageControl(QRectF(0, h - kDotsHeight, w, kDotsHeight));
    addSubview(pageControl_);
    connect(pageControl_, &MyPageControl::valueChanged, this, [this](platform::ui::Control*) {
        const int page = pageControl_->currentPage();
        scrollView_->setContentOffset(QPointF(page * bounds().width(), 0), true);
        setIdx(page);
    });
}

void ImageViewShow::setPics(std::string_view text) {
    idx_ = 0;
    nameArray_.clear();
    imgurlArray_ = ImageLoader::splitUrls(text);
    bindImgView();
}

void ImageViewShow::setPicsArray(std::vector<std::string> urls) {
    nameArray_.clear();
    imgurlArray_ = std::move(urls);
    bindImgView();
}

void ImageViewShow::setNameArray(std::vector<std::string> names) {
    nameArray_ = std::move(names);
    showCaption();
}

void ImageViewShow::removePages() {
    for (const QPointer<MyScrollView>& page : pages_) {
        if (!page) continue;
        page->hide();
        // Later: the page's own tap may be what hides the viewer.
        page->deleteLater();
    }
    pages_.clear();
}

void ImageViewShow::bindImgView() {
    nameLbl_->setText(QString());
    pageControl_->setNumberOfPages(count());
    removePages();
    const double w = bounds().width();
    const double h = bounds().height();
    for (int i = 0; i < count(); ++i) {
        auto* page = new MyScrollView(QRectF(i * w, kPageTop, w, h - kPageTop));
        // Tagged by position, so a URL listed twice gets a page of its own.
        page->setTag(kPageTagBase + i);
        page->imageView()->setImgUrl(imgurlArray_[size_t(i)]);
        page->setOnSingleTap([this] { setHidden(true); });
        scrollView_->addSubview(page);
        pages_ << page;
    }
    scrollView_->setContentSize(QSizeF(w * count(), h));
    setIdx(0);
}

void ImageViewShow::showCaption() {
    const bool named = idx_ >= 0 && idx_ < int(nameArray_.size());
    nameLbl_->setText(named ? QString::fromStdString(nameArray_[size_t(idx_)]) : QString());
}

void ImageViewShow::setIdx(int n) {
    if (count() == 0) return;
    idx_ = modulo(n, count());
    pageControl_->setCurrentPage(idx_);
    showCaption();
    if (MyScrollView* current = page(idx_)) current->imageView()->load();
}

MyScrollView* ImageViewShow::page(int index) const {
    return index >= 0 && index < pages_.size() ? pages_[index].data() : nullptr;
}

void ImageViewShow::scrollViewDidEndDecelerating(ScrollView* scrollView) {
    if (scrollView != scrollView_ || count() == 0) return;
    const double w = bounds().width();
    if (w <= 0) return;
    const int settled = int(std::floor((scrollView_->contentOffset().x() - w / 2) / w)) + 1;
    if (settled != idx_) {
        if (MyScrollView* previous = page(idx_)) previous->setZoomScale(1);
        setIdx(settled);
    }
    showCaption();
}

void ImageViewShow::setHidden(bool hidden) {
    if (hidden) {
        removePages();
    } else {
        raise();
        if (count() > 0) scrollView_->setContentOffset(QPointF(idx_ * bounds().width(), 0), false);
    }
    View::setHidden(hidden);
}

std::optional<std::string> ImageViewShow::getImgUrl(int index) const {
    if (index < 0 || index >= count()) return std::nullopt;
    return imgurlArray_[size_t(index)];
}

}  // namespace tovera
