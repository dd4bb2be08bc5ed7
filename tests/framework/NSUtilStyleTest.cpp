#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRandomGenerator>

#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/navigation/ViewController.h"
#include "platform/ui/overlays/Toast.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"
#include "tests/framework/FrameworkUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class Style : public tovera::testing::FrameworkUiTest {};

TEST_F(Style, ColoursComeFromSixHexDigits) {
    EXPECT_EQ(NSUtil::getColor("364B61"), QColor(0x36, 0x4B, 0x61));
    EXPECT_EQ(NSUtil::getColor("b89766"), QColor(0xB8, 0x97, 0x66));
    EXPECT_EQ(NSUtil::getColor("12345"), QColor(Qt::black));
    EXPECT_EQ(NSUtil::getColor("GG0000"), QColor(Qt::black));
    EXPECT_EQ(NSUtil::listview_item(), QColor(0xEC, 0xEC, 0xEF));
    EXPECT_EQ(NSUtil::redcolor(), QColor(0xCD, 0x00, 0x00));
}

TEST_F(Style, SkinColoursIgnoreCaseAndFollowThePreference) {
    const struct {
        const char* skin;
        QColor colour;
    } cases[] = {
        {"black", QColor(0x30, 0x30, 0x32)},   {"BLACK", QColor(0x30, 0x30, 0x32)},
        {"Default", QColor(0x9C, 0xC5, 0xF0)}, {"orange", QColor(0xEF, 0xC6, 0x9C)},
        {"purple", QColor(0xEF, 0xC6, 0x9C)},  {"", QColor(0xEF, 0xC6, 0x9C)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NSUtil::skinColor(c.skin), c.colour) << c.skin;
    platform::preferences().setString("skin", "black");
    EXPECT_EQ(NSUtil::skinColor(), QColor(0x30, 0x30, 0x32));
}

TEST_F(Style, FontsHaveTheirSizesAndFallBackToTheSystemFont) {
    EXPECT_EQ(NSUtil::smallFont().pointSizeF(), Font::system(13).pointSizeF());
    EXPECT_EQ(NSUtil::normalFont().pointSizeF(), Font::system(15).pointSizeF());
    EXPECT_EQ(NSUtil::bigFont("no such family").family(), Font::systemFamily());
}

TEST_F(Style, PhotosShrinkToFitAndAreCompressed) {
    QImage photo(640, 960, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    EXPECT_EQ(NSUtil::imageByScalingAndCroppingForSize(photo, QSizeF(320, 320)).size(),
              QSize(213, 320));
    QImage small(100, 50, QImage::Format_RGB32);
    small.fill(Qt::white);
    EXPECT_EQ(NSUtil::imageByScalingAndCroppingForSize(small, QSizeF(320, 320)).size(),
              QSize(100, 50));

    // Noise does not compress: far more than 12500 bytes at full quality.
    QImage noisy(300, 300, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            noisy.setPixel(x, y, random.generate() | 0xFF000000);
    EXPECT_EQ(NSUtil::compressionQuality(noisy), 0.6);
    EXPECT_EQ(NSUtil::compressionQuality(small), 1.0);
    EXPECT_LT(NSUtil::compressedData(noisy, 0.1).size(), NSUtil::compressedData(noisy, 5).size());
}

TEST_F(Style, TabRowsShareTheWidthByTitleLength) {
    auto* row = new View(QRectF(0, 64, 320, 44));
    window()->addSubview(row);
    Button* pressed = nullptr;
    NSUtil::createBtns({"a", "bbb"}, row, [&](Button* b) { pressed = b; });
    NSUtil::createBtns({"关注楼盘", "订阅", "资讯"}, row, [&](Button* b) { pressed = b; });
    processEvents();
    const QList<QWidget*> buttons = row->subviews();
    ASSERT_EQ(buttons.size(), 3) << "the earlier row is gone at once";
    const double unit = 318.0 / 8;
    const double widths[] = {4 * unit, 2 * unit, 2 * unit};
    double x = 1;
    for (int i = 0; i < 3; ++i) {
        auto* b = qobject_cast<Button*>(buttons[i]);
        EXPECT_EQ(b->frame(), QRectF(x, 8, widths[i], 28)) << i;
        x += widths[i];
    }
    auto* first = qobject_cast<Button*>(buttons[0]);
    auto* second = qobject_cast<Button*>(buttons[1]);
    EXPECT_EQ(NSUtil::getSelectedButton(row), first) << "none selected: the first";
    ASSERT_TRUE(tap(second));
    EXPECT_EQ(pressed, second);
    second->setSelected(true);
    EXPECT_EQ(NSUtil::getSelectedButton(row), second);
    EXPECT_EQ(second->titleColorForState(Button::Selected), QColor(Qt::white));
    EXPECT_FALSE(second->backgroundImageForState(Button::Selected).isNull());
}

TEST_F(Style, ToastsShowForTheirDuration) {
    NSUtil::makeText("订阅成功!").show();
    EXPECT_EQ(currentToast(), QStringLiteral("订阅成功!"));
    fastForward(std::chrono::milliseconds(2000));
    EXPECT_EQ(currentToast(), QString());
    NSUtil::makeText("x").setDuration(5000).show();
    fastForward(std::chrono::milliseconds(2000));
    EXPECT_EQ(currentToast(), QStringLiteral("x"));
}

TEST_F(Style, BarButtonsAreSizedByTheirTitleAndGoBackWithoutAnAction) {
    auto* root = new ViewController;
    auto* top = new ViewController;
    showRoot(root)->pushViewController(top, false);
    processEvents();

    NavigationStyle::setBackItem(top->navigationItem());
    BarButtonItem* back = top->navigationItem()->leftBarButtonItem();
    ASSERT_TRUE(back);
    auto* button = qobject_cast<Button*>(back->customView());
    ASSERT_TRUE(button);
    const QFontMetricsF metrics(Font::system(15));
    auto expected = [&](const QString& title, double extra) {
        const QSizeF text = metrics.size(Qt::TextSingleLine, title);
        return QSizeF(std::ceil(text.width()) + extra, std::ceil(text.height()) + 10);
    };
    EXPECT_EQ(button->currentTitle(), QStringLiteral("返回"));
    EXPECT_EQ(button->frame().size(), expected(QStringLiteral("返回"), 18));
    back->setTitle(QStringLiteral("返回首页"));
    EXPECT_EQ(button->frame().size(), expected(QStringLiteral("返回首页"), 18));

    bool acted = false;
    BarButtonItem* plain = NavigationStyle::barButtonItem(
        QStringLiteral("城市"), BarButtonItem::Style::Plain, [&] { acted = true; });
    top->navigationItem()->setRightBarButtonItem(plain);
    EXPECT_EQ(plain->customView()->size(), expected(QStringLiteral("城市"), 10).toSize());
    plain->trigger();
    EXPECT_TRUE(acted);

    back->trigger();
    processEvents();
    EXPECT_EQ(nav()->topViewController(), root);
}

}  // namespace
