#include "property/PhotoView.h"

#include "framework/MyPageControl.h"
#include "framework/NetButton.h"
#include "framework/PhotoPreview.h"
#include "platform/ui/views/Button.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::ScrollView;

namespace {
constexpr double kArrowWidth = 30;
constexpr double kDotsHeight = 20;
}  // namespace

PhotoView::PhotoView(const QRectF& frame, QWidget* parent) : View(frame, parent) {
    const double width = frame.width();
    const double height = frame.height();
    scrollView_ = new ScrollView(QRectF(0, 0, width, height), this);
    scrollView_->setPagingEnabled(true);
    scrollView_->setShowsHorizontalScrollIndicator(false);
    scrollView_->setShowsVerticalScrollIndicator(false);
    scrollView_->setDelegate(this);

    pageControl_ = new MyPageControl(QRectF(0, height - kDotsHeight, width, kDotsHeight), this);
    pageControl_->setHidesForSinglePage(true);

    leftBtn_ = new Button(QRectF(0, (height - 44) / 2, kArrowWidth, 44), this);
    rightBtn_ = new Button(QRectF(width - kArrowWidth, (height - 44) / 2, kArrowWidth, 44), this);
    leftBtn_->setTitle(QStringLiteral("‹"));
    rightBtn_->setTitle(QStringLiteral("›"));
    for (Button* arrow : {leftBtn_, rightBtn_}) {
        arrow->setTitleColor(Qt::white);
        arrow->setBackgroundColor(QColor(0, 0, 0, 90));
    }
    connect(leftBtn_, &platform::ui::Control::touchUpInside, this, [this] { prePage(); });
    connect(rightBtn_, &platform::ui::Control::touchUpInside, this, [this] { nextPage(); });
}

void PhotoView::setPicsArray(std::vector<std::string> urls) {
    picsArray_ = std::move(urls);
}

NetButton* PhotoView::imageButton(int n) const {
    return n >= 0 && n < buttons_.size() ? buttons_[n].data() : nullptr;
}

void PhotoView::bindImgView() {
    for (const QPointer<NetButton>& button : buttons_)
        delete button.data();
    buttons_.clear();
    const QSizeF page = scrollView_->frame().size();
    for (std::size_t i = 0; i < picsArray_.size(); ++i) {
        auto* button = new NetButton(QRectF(QPointF(page.width() * double(i), 0), page));
        button->setImgUrl(picsArray_[i]);
        button->setTag(int(i));
        connect(button, &platform::ui::Control::touchUpInside, this,
                [this, button] { imageTapped(button); });
        scrollView_->addSubview(button);
        buttons_.append(button);
    }
    scrollView_->setContentSize(QSizeF(page.width() * double(picsArray_.size()), page.height()));
    scrollView_->setContentOffset(QPointF(0, 0));
    pageControl_->setNumberOfPages(int(picsArray_.size()));
    index_ = 0;
    showPage(0);
}

void PhotoView::showPage(int page) {
    index_ = page;
    pageControl_->setCurrentPage(page);
    // An arrow with no page on its side is dimmed, and with one picture or
    // none there is nothing to turn to.
    const int count = int(picsArray_.size());
    leftBtn_->setEnabled(page > 0);
    rightBtn_->setEnabled(page + 1 < count);
    leftBtn_->setHidden(count < 2);
    rightBtn_->setHidden(count < 2);
    if (NetButton* button = imageButton(page)) button->load();
}

void PhotoView::scrollViewDidScroll(ScrollView* scrollView) {
    // With no pictures there is no page to follow.
    if (picsArray_.empty()) return;
    showPage(PhotoPreview::pageAt(scrollView->contentOffset().x(), scrollView->frame().width(),
                                  int(picsArray_.size())));
}

void PhotoView::prePage() {
    if (index_ <= 0) return;
    scrollView_->setContentOffset(QPointF(scrollView_->frame().width() * (index_ - 1), 0), true);
}

void PhotoView::nextPage() {
    if (index_ + 1 >= int(picsArray_.size())) return;
    scrollView_->setContentOffset(QPointF(scrollView_->frame().width() * (index_ + 1), 0), true);
}

void PhotoView::imageTapped(Button* button) {
    index_ = button->tag();
    if (auto* d = delegate_.get()) d->qxView(this, button);
}

}  // namespace tovera
