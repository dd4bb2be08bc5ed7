// The resizable desktop frame around the phone: clicks given in device
// pixels, as a desktop delivers them, press what is drawn there at every
// scale; resizing fits the phone with bars; the zoom keys change the scale
// live.
#include "platform/ui/navigation/Stage.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"

#include <gtest/gtest.h>

#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>
#include <QApplication>
#include <QSignalSpy>
#include <QWindow>

#include <memory>

using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class StageTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* window = new Window;
        stage = std::make_unique<Stage>(window);
        startScale = stage->scale();
        button = new Button(QRectF(100, 200, 80, 40), window);
        button->setBackgroundColor(Qt::red);
        QObject::connect(button, &Control::touchUpInside, [this] { ++presses; });
        window->makeKeyAndVisible();
        QApplication::setActiveWindow(stage.get());
        ASSERT_TRUE(waitFor([this] { return stage->isVisible() && stage->windowHandle(); }));
        processEvents();
    }
    void TearDown() override {
        // The scale is the screen's: the next test starts where this one did.
        stage->setScale(startScale);
        stage.reset();
        processEvents();
    }

    // The frame's size in device pixels, as the desktop sees it.
    QSize pixelSize() const { return stage->windowHandle()->handle()->geometry().size(); }

    // A click at `point` of the phone, turned into device pixels of the
    // frame and delivered as the desktop would.
    void clickPhoneAt(const QPointF& point) {
        QWindow* handle = stage->windowHandle();
        const QPointF inFrame = stage->phoneWindow()->mapTo(stage.get(), point);
        const QPointF pixels = inFrame * stage->scale();
        const QPointF global = handle->handle()->geometry().topLeft() + pixels;
        for (auto [state, type] :
             {std::pair{Qt::MouseButtons(Qt::LeftButton), QEvent::MouseButtonPress},
              std::pair{Qt::MouseButtons(), QEvent::MouseButtonRelease}})
            QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::SynchronousDelivery>(
                handle, pixels, global, state, Qt::LeftButton, type);
        processEvents();
    }

    // The colour drawn at `point` of the phone, read from the frame's pixels.
    QColor drawnAt(const QPointF& point) const {
        const QImage frame = stage->grab().toImage();
        const QPointF inFrame = stage->phoneWindow()->mapTo(stage.get(), point);
        return frame.pixelColor((inFrame * frame.devicePixelRatio()).toPoint());
    }

    std::unique_ptr<Stage> stage;
    Button* button = nullptr;
    double startScale = 1;
    int presses = 0;
};

TEST_F(StageTest, AClickOnTheDrawnButtonPressesItAtScaleOneTwoAndThree) {
    for (double scale : {1.0, 2.0, 3.0}) {
        SCOPED_TRACE(scale);
        stage->setScale(scale);
        processEvents();
        EXPECT_EQ(pixelSize(), QSize(int(320 * scale), int(480 * scale)));
        EXPECT_DOUBLE_EQ(stage->devicePixelRatioF(), scale);
        // Where the button is drawn is where a click finds it, to its edges.
        EXPECT_EQ(drawnAt({102, 202}), QColor(Qt::red));
        EXPECT_EQ(drawnAt({178, 238}), QColor(Qt::red));
        presses = 0;
        clickPhoneAt({102, 202});
        clickPhoneAt({178, 238});
        EXPECT_EQ(presses, 2);
        clickPhoneAt({97, 220});
        clickPhoneAt({140, 243});
        EXPECT_EQ(presses, 2);
    }
}

TEST_F(StageTest, ResizingFitsThePhoneWithBarsAndKeepsClicksOnTarget) {
    stage->setScale(2);
    QSignalSpy changes(stage.get(), &Stage::scaleChanged);
    // Wider than the phone at this scale: bars left and right, same scale.
    stage->resize(500, 480);
    EXPECT_FALSE(waitFor([&] { return !changes.isEmpty(); }, 3 * Stage::kFitDelay));
    EXPECT_DOUBLE_EQ(stage->scale(), 2);
    EXPECT_EQ(stage->phoneWindow()->geometry(), QRect(90, 0, 320, 480));
    EXPECT_EQ(drawnAt({-40, 240}), QColor(Qt::black));
    EXPECT_TRUE(changes.isEmpty());

    // Narrower: 500 x 960 device pixels fit the phone at 500 / 320.
    stage->resize(250, 480);
    ASSERT_TRUE(waitFor([&] { return !changes.isEmpty(); }));
    processEvents();
    ASSERT_EQ(changes.size(), 1);
    EXPECT_DOUBLE_EQ(stage->scale(), 500.0 / 320);
    EXPECT_NEAR(pixelSize().width(), 500, 2);
    EXPECT_NEAR(pixelSize().height(), 960, 2);
    EXPECT_EQ(stage->phoneWindow()->x(), 0);
    EXPECT_NEAR(stage->phoneWindow()->y(), (stage->height() - 480) / 2, 1);
    EXPECT_GT(stage->phoneWindow()->y(), 60);
    clickPhoneAt({104, 204});
    clickPhoneAt({176, 236});
    EXPECT_EQ(presses, 2);

    // Smaller than the smallest scale: the scale stops at its bound.
    stage->resize(10, 10);
    ASSERT_TRUE(waitFor([&] { return changes.size() == 2; }));
    EXPECT_DOUBLE_EQ(stage->scale(), Stage::kMinScale);
}

TEST_F(StageTest, ZoomKeysStepTheScaleLiveAndCtrlZeroGoesBackToTheDefault) {
    stage->setScale(2);
    QSignalSpy changes(stage.get(), &Stage::scaleChanged);
    pressKey(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(stage->scale(), 2.5);
    EXPECT_EQ(pixelSize(), QSize(800, 1200));
    pressKey(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(stage->scale(), 3);
    pressKey(Qt::Key_Minus, Qt::ControlModifier);
    pressKey(Qt::Key_Minus, Qt::ControlModifier);
    pressKey(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(stage->scale(), 1.75);
    pressKey(Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(stage->scale(), Stage::kDefaultScale);
    EXPECT_EQ(changes.size(), 6);
    EXPECT_DOUBLE_EQ(changes.back().at(0).toDouble(), 2);
    clickPhoneAt({140, 220});
    EXPECT_EQ(presses, 1);

    // The ladder ends at its bounds.
    stage->setScale(Stage::kMaxScale);
    pressKey(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(stage->scale(), Stage::kMaxScale);
    stage->setScale(Stage::kMinScale);
    pressKey(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(stage->scale(), Stage::kMinScale);
}

}  // namespace
