// The two photo pagers: the page under an offset, the remote pager's
// buttons and taps, a pager with no photos, and the local pager's newest-
// first order, its limit and deleting.
#include "framework/MyPageControl.h"
#include "framework/NetButton.h"
#include "framework/PhotoPreview.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "property/PhotoView.h"
#include "tests/framework/FrameworkUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class PhotoPagers : public tovera::testing::FrameworkUiTest {};

struct TapCatcher : QXViewDelegate {
    void qxView(View* view, Button*) override {
        tapped = view;
        if (auto* pager = qobject_cast<PhotoView*>(view)) index = pager->index();
    }
    View* tapped = nullptr;
    int index = -1;
};

TEST_F(PhotoPagers, ThePageIsTheOneWhoseLeftHalfWasPassed) {
    struct Case {
        double offset;
        int count;
        int page;
    };
    const Case cases[] = {
        {0, 3, 0},   {159, 3, 0}, {160, 3, 1},
        {320, 3, 1}, {480, 3, 2}, {960, 3, 0},  // past the last page: modulo the count
        {-10, 3, 0}, {0, 0, 0},   {500, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.offset) + " of " + std::to_string(c.count));
        EXPECT_EQ(PhotoPreview::pageAt(c.offset, 320, c.count), c.page);
    }
}

TEST_F(PhotoPagers, TheRemotePagerMovesAPageAtATimeAndReportsTaps) {
    auto* pager = new PhotoView(QRectF(0, 0, 320, 200), window());
    EXPECT_EQ(pager->picsArray().size(), 3u);
    pager->setPicsArray({"http://pictures.invalid/1.jpg", "http://pictures.invalid/2.jpg"});
    pager->bindImgView();
    pager->show();
    processEvents();
    ASSERT_NE(pager->imageButton(1), nullptr);
    EXPECT_EQ(pager->imageButton(1)->frame().x(), 320);
    EXPECT_EQ(pager->pageControl()->numberOfPages(), 2);

    pager->prePage();
    processEvents();
    EXPECT_EQ(pager->index(), 0) << "nothing before the first page";
    EXPECT_FALSE(pager->leftButton()->isEnabled());
    ASSERT_TRUE(tap(pager->rightButton()));
    ASSERT_TRUE(waitFor([&] { return pager->index() == 1; }));
    EXPECT_EQ(pager->pageControl()->currentPage(), 1);
    EXPECT_TRUE(pager->leftButton()->isEnabled());
    EXPECT_FALSE(pager->rightButton()->isEnabled());
    pager->nextPage();
    processEvents();
    EXPECT_EQ(pager->index(), 1) << "nothing past the last page";

    TapCatcher catcher;
    pager->setDelegate(&catcher);
    ASSERT_TRUE(waitFor([&] { return pager->scrollView()->contentOffset().x() == 320; }));
    ASSERT_TRUE(tap(pager->imageButton(1)));
    EXPECT_EQ(catcher.tapped, pager);
    EXPECT_EQ(catcher.index, 1);
}

TEST_F(PhotoPagers, ARemotePagerWithoutPhotosDoesNothing) {
    auto* pager = new PhotoView(QRectF(0, 0, 320, 200), window());
    pager->setPicsArray({});
    pager->bindImgView();
    pager->show();
    pager->scrollView()->setContentOffset(QPointF(200, 0));
    pager->nextPage();
    pager->prePage();
    processEvents();
    EXPECT_EQ(pager->index(), 0);
    EXPECT_EQ(pager->imageButton(0), nullptr);
    EXPECT_FALSE(pager->leftButton()->isVisible());
    EXPECT_FALSE(pager->rightButton()->isVisible());
}

TEST_F(PhotoPagers, TheLocalPagerKeepsTheNewestUpToItsLimit) {
    auto* preview = new PhotoPreview(QRectF(0, 0, 320, 200), window());
    preview->setMax(2);
    EXPECT_TRUE(preview->isHidden());
    preview->addImage(Image());
    EXPECT_TRUE(preview->isHidden()) << "no picture, nothing to show";
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage blue = red;
    blue.fill(Qt::blue);
    preview->setMax(2);
    preview->addImage(Image(red));
    preview->addImage(Image(blue));
    preview->addImage(Image(blue));
    EXPECT_FALSE(preview->isHidden());
    ASSERT_EQ(preview->images().size(), 2);
    EXPECT_EQ(preview->images()[1].toImage().pixelColor(0, 0), QColor(Qt::blue));

    preview->removeImageAt(5);
    preview->removeImageAt(-1);
    EXPECT_EQ(preview->images().size(), 2);
    preview->scrollView()->setContentOffset(QPointF(320, 0));
    preview->deletePhoto();
    EXPECT_EQ(preview->images().size(), 1);
    EXPECT_FALSE(preview->isHidden());
    preview->deletePhoto();
    EXPECT_TRUE(preview->images().isEmpty());
    EXPECT_TRUE(preview->isHidden());
}

}  // namespace
