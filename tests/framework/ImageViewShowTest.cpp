#include "framework/ImageLoader.h"
#include "framework/ImageViewShow.h"
#include "framework/MyPageControl.h"
#include "framework/MyScrollView.h"
#include "framework/NetImageView.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Label.h"
#include "tests/framework/FrameworkUiTest.h"
#include "tests/framework/ScriptedServer.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::testing::ScriptedServer;

namespace {

class Viewer : public tovera::testing::FrameworkUiTest {
protected:
    void SetUp() override {
        FrameworkUiTest::SetUp();
        server_.bytes(tovera::testing::jpegBytes(64, 48), "image/jpeg");
        viewer_ = ImageViewShow::inWindow(window());
    }
    std::string urls(std::initializer_list<const char*> names, const char* separator = "|") {
        std::string text;
        for (const char* name : names) {
            if (!text.empty()) text += separator;
            text += server_.url(std::string("/pic/") + name);
        }
        return text;
    }

    ScriptedServer server_;
    ImageViewShow* viewer_ = nullptr;
};

TEST_F(Viewer, OneViewerPerWindowStartsHidden) {
    ASSERT_TRUE(viewer_);
    EXPECT_EQ(ImageViewShow::inWindow(window()), viewer_);
    EXPECT_TRUE(viewer_->isHidden());
    EXPECT_EQ(viewer_->frame(), window()->bounds());
    EXPECT_EQ(viewer_->pageControl()->frame(), QRectF(0, 436, 320, 44));
    EXPECT_EQ(viewer_->nameLbl()->frame(), QRectF(0, 396, 320, 30));
}

TEST_F(Viewer, IndexesWrapAroundAndCaptionsMayRunOut) {
    viewer_->setPics(urls({"1.jpg", "2.jpg", "3.jpg"}));
    viewer_->setNameArray({"一", "二"});
    const struct {
        int set;
        int idx;
        const char* caption;
    } cases[] = {{4, 1, "二"}, {2, 2, ""}, {-1, 2, ""}, {3, 0, "一"}};
    for (const auto& c : cases) {
        viewer_->setIdx(c.set);
        EXPECT_EQ(viewer_->idx(), c.idx) << c.set;
        EXPECT_EQ(viewer_->pageControl()->currentPage(), c.idx) << c.set;
        EXPECT_EQ(viewer_->nameLbl()->text(), QString::fromUtf8(c.caption)) << c.set;
    }
    EXPECT_EQ(viewer_->getImgUrl(2), server_.url("/pic/3.jpg"));
    EXPECT_FALSE(viewer_->getImgUrl(3));
}

TEST_F(Viewer, EveryUrlGetsAPageAndOnlyTheCurrentOneLoads) {
    const struct {
        std::string text;
        int pages;
    } cases[] = {
        {urls({"a.jpg", "b.jpg"}), 2},
        {urls({"a.jpg", "b.jpg"}, ","), 2},
        {urls({"a.jpg", "a.jpg", "b.jpg"}), 3},
        {"", 0},
    };
    for (const auto& c : cases) {
        viewer_->setPics(c.text);
        processEvents();
        EXPECT_EQ(viewer_->pageControl()->numberOfPages(), c.pages) << c.text;
        EXPECT_EQ(viewer_->scrollView()->contentSize().width(), 320.0 * c.pages);
        for (int i = 0; i < c.pages; ++i) {
            ASSERT_TRUE(viewer_->page(i)) << c.text;
            EXPECT_EQ(viewer_->page(i)->tag(), 100 + i);
            EXPECT_EQ(viewer_->page(i)->frame(), QRectF(320.0 * i, 10, 320, 470));
        }
        viewer_->setIdx(5);  // never divides by zero
    }

    // A URL listed twice: both of its pages load (the second from the cache).
    viewer_->setPics(urls({"same.jpg", "same.jpg"}));
    NetImageView* first = viewer_->page(0)->imageView();
    NetImageView* second = viewer_->page(1)->imageView();
    ASSERT_TRUE(waitFor([&] { return !first->netimg().isNull(); }));
    EXPECT_TRUE(second->netimg().isNull()) << "only the current page loads";
    viewer_->setIdx(1);
    EXPECT_FALSE(second->netimg().isNull());
    EXPECT_EQ(second->image(), second->netimg());
    int fetches = 0;
    for (const auto& request : server_.received())
        fetches += request.path == "/pic/same.jpg";
    EXPECT_EQ(fetches, 1);
}

TEST_F(Viewer, SwipingMovesThePageAndATapCloses) {
    viewer_->setPics(urls({"1.jpg", "2.jpg", "3.jpg"}));
    viewer_->setNameArray({"一", "二", "三"});
    viewer_->setIdx(0);
    viewer_->setHidden(false);
    processEvents();
    ASSERT_TRUE(drag(viewer_->scrollView(), QPointF(250, 200), QPointF(-200, 0)));
    processEvents();
    EXPECT_EQ(viewer_->scrollView()->contentOffset().x(), 320);
    EXPECT_EQ(viewer_->idx(), 1);
    EXPECT_EQ(viewer_->nameLbl()->text(), QStringLiteral("二"));
    EXPECT_EQ(viewer_->pageControl()->currentPage(), 1);

    // Leaving a zoomed page sets its zoom back.
    MyScrollView* page = viewer_->page(1);
    page->zoomIn();
    EXPECT_EQ(page->zoomScale(), 2);
    viewer_->scrollView()->setContentOffset(QPointF(640, 0));
    viewer_->scrollViewDidEndDecelerating(viewer_->scrollView());
    EXPECT_EQ(page->zoomScale(), 1);
    EXPECT_EQ(viewer_->idx(), 2);
    EXPECT_EQ(viewer_->nameLbl()->text(), QStringLiteral("三"));

    ASSERT_TRUE(tap(viewer_->page(viewer_->idx())));
    fastForward(std::chrono::milliseconds(1000));  // no second tap comes
    EXPECT_TRUE(viewer_->isHidden());
    EXPECT_FALSE(viewer_->page(0));
}

}  // namespace
