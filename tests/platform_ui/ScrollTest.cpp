#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/ImageView.h"

#include <QStringList>

using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

// Records what a scroll view reports, the way a pull-to-refresh header
// listens: the deepest offset seen while dragging, and the offset at the
// end of the drag. It can also act as a refresh header on release.
class Listener : public ScrollViewDelegate {
public:
    QStringList events;
    double deepestWhileDragging = 0;
    double offsetAtEndDrag = 0;
    bool refreshOnRelease = false;
    View* zoomView = nullptr;

    void scrollViewDidScroll(ScrollView* s) override {
        if (s->isDragging())
            deepestWhileDragging = std::min(deepestWhileDragging, s->contentOffset().y());
        if (events.isEmpty() || events.last() != "scroll") events << "scroll";
    }
    void scrollViewWillBeginDragging(ScrollView*) override { events << "begin"; }
    void scrollViewDidEndDragging(ScrollView* s, bool decelerate) override {
        offsetAtEndDrag = s->contentOffset().y();
        events << (decelerate ? "end(decelerate)" : "end");
        if (refreshOnRelease && offsetAtEndDrag <= -65) s->setContentInset({60, 0, 0, 0});
    }
    void scrollViewDidEndDecelerating(ScrollView*) override { events << "stopped"; }
    View* viewForZoomingInScrollView(ScrollView*) override { return zoomView; }
};

class ScrollTest : public UiTest {
protected:
    ScrollView* addScrollView(const QSizeF& content) {
        auto* scroll = new ScrollView(QRectF(0, 64, 320, 416));
        scroll->setContentSize(content);
        scroll->setDelegate(&listener);
        window()->addSubview(scroll);
        processEvents();
        return scroll;
    }
    Listener listener;
};

}  // namespace

TEST_F(ScrollTest, APullPastTheTopIsReportedAndSpringsBack) {
    struct Case {
        double pull;
        bool refresh;
        double restsAt;
    } cases[] = {
        {64, false, 0},   // not far enough: back to the top
        {66, true, -60},  // far enough: the header holds the list 60 points down
    };
    for (const auto& c : cases) {
        listener = Listener();
        listener.refreshOnRelease = c.refresh;
        auto* scroll = new TableView(QRectF(0, 64, 320, 416), TableView::Style::Plain);
        scroll->setDelegate(nullptr);
        scroll->ScrollView::setDelegate(&listener);
        window()->addSubview(scroll);
        processEvents();
        ASSERT_TRUE(drag(scroll, QPointF(160, 100), QPointF(0, c.pull)));
        EXPECT_LE(listener.deepestWhileDragging, -c.pull + 0.5) << c.pull;
        EXPECT_NEAR(listener.offsetAtEndDrag, -c.pull, 0.5);
        EXPECT_EQ(listener.events,
                  (QStringList{"begin", "scroll", "end(decelerate)", "scroll", "stopped"}));
        EXPECT_DOUBLE_EQ(scroll->contentOffset().y(), c.restsAt) << c.pull;
        delete scroll;
    }
}

TEST_F(ScrollTest, PagingSnapsToWholePagesAndReportsTheEnd) {
    ScrollView* scroll = addScrollView(QSizeF(320 * 3, 416));
    scroll->setPagingEnabled(true);
    struct Step {
        double dx;
        bool fling;
        double page;
    } steps[] = {
        {-200, false, 1},  // more than half a page: the next page
        {-100, false, 1},  // less than half: back to the same page
        {-60, true, 2},    // a quick short swipe: the next page
        {-200, false, 2},  // nothing past the last page
        {300, true, 1},
    };
    for (const auto& step : steps) {
        listener.events.clear();
        DragOptions options;
        options.holdBeforeRelease = !step.fling;
        options.steps = 4;
        drag(scroll, QPointF(200, 200), QPointF(step.dx, 0), options);
        EXPECT_DOUBLE_EQ(scroll->contentOffset().x(), 320 * step.page) << step.dx;
        EXPECT_EQ(scroll->contentOffset().y(), 0);
        EXPECT_EQ(listener.events.last(), "stopped");
    }
}

TEST_F(ScrollTest, SubviewsMoveWithTheContentAndKeepTheirFrames) {
    ScrollView* scroll = addScrollView(QSizeF(320, 1000));
    auto* label = new View(QRectF(10, 500, 100, 20), scroll);
    scroll->setContentOffset({0, 300});
    EXPECT_EQ(label->frame(), QRectF(10, 500, 100, 20));
    EXPECT_EQ(label->geometry().topLeft(), QPoint(10, 200));
    EXPECT_EQ(label->convertPoint(QPointF(0, 0), scroll), QPointF(10, 500));
    scroll->scrollRectToVisible(QRectF(0, 900, 10, 50), false);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y(), 950 - 416);
}

TEST_F(ScrollTest, ADragThatStartsOnAButtonScrollsAndCancelsTheButton) {
    ScrollView* scroll = addScrollView(QSizeF(320, 1000));
    auto* button = new Button(QRectF(20, 20, 200, 60), scroll);
    button->setTitle("按钮");
    int taps = 0;
    QObject::connect(button, &Control::touchUpInside, [&] { ++taps; });
    drag(button, QPointF(50, 30), QPointF(0, -120));
    EXPECT_EQ(taps, 0);
    EXPECT_FALSE(button->isHighlighted());
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y(), 120);
    scroll->setContentOffset({0, 0});
    tap(button);
    EXPECT_EQ(taps, 1);
}

TEST_F(ScrollTest, ZoomStaysWithinItsLimitsAndKeepsTheAnchor) {
    ScrollView* scroll = addScrollView(QSizeF(320, 416));
    auto* image = new ImageView(QRectF(0, 0, 320, 416), scroll);
    listener.zoomView = image;
    scroll->setMinimumZoomScale(0.5);
    scroll->setMaximumZoomScale(5.5);
    scroll->setZoomScale(2, QPointF(160, 208), false);
    EXPECT_DOUBLE_EQ(scroll->zoomScale(), 2);
    EXPECT_EQ(image->frame().size(), QSizeF(640, 832));
    EXPECT_EQ(scroll->contentSize(), QSizeF(640, 832));
    EXPECT_EQ(scroll->contentOffset(), QPointF(160, 208));
    scroll->setZoomScale(9, false);
    EXPECT_DOUBLE_EQ(scroll->zoomScale(), 5.5);
    scroll->setZoomScale(0.1, false);
    EXPECT_DOUBLE_EQ(scroll->zoomScale(), 0.5);
}
