#include "framework/ButtonItem.h"
#include "framework/CustomCell.h"
#include "framework/GridView.h"
#include "framework/NSUtil.h"
#include "framework/NetImageView.h"
#include "framework/NoticeView.h"
#include "framework/QXViewDelegate.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "tests/framework/FrameworkUiTest.h"

#include <QFontMetricsF>

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class Widgets : public tovera::testing::FrameworkUiTest {};

class Source : public GridViewDataSource {
public:
    int count = 7;
    int created = 0;
    QList<int> selected;
    int numberOfItems(GridView*) override { return count; }
    View* viewForItemAtPosition(GridView* grid, int position) override {
        if (View* reused = grid->getItemAtPosition(position)) return reused;
        ++created;
        auto* item = new ButtonItem(QRectF(0, 0, 70, 70));
        item->setLable(QStringLiteral("第%1").arg(position));
        return item;
    }
    void didSelectItemAtPosition(GridView*, int position) override { selected << position; }
};

TEST_F(Widgets, GridItemsAreSquaresInRows) {
    auto* grid = new GridView(QRectF(0, 64, 320, 416));
    window()->addSubview(grid);
    Source source;
    grid->setGridDelegate(&source);  // asked when no data source is set
    grid->setColumNum(3);
    grid->setSpaceWidth(0);  // raised to 1
    grid->reloadData();
    const double side = 317.0 / 3;
    EXPECT_DOUBLE_EQ(grid->itemSide(), side);
    ASSERT_EQ(grid->rowdata().size(), 7);
    EXPECT_EQ(grid->getItemAtPosition(0)->frame(), QRectF(1, 1, side, side));
    EXPECT_EQ(grid->getItemAtPosition(2)->frame(), QRectF(1 + 2 * (side + 1), 1, side, side));
    EXPECT_EQ(grid->getItemAtPosition(3)->frame(), QRectF(1, side + 2, side, side));
    EXPECT_EQ(grid->getItemAtPosition(6)->frame(), QRectF(1, 2 * (side + 1) + 1, side, side));
    EXPECT_DOUBLE_EQ(grid->contentSize().height(), 2 * (side + 1) + 1 + side);
    EXPECT_EQ(grid->getItemAtPosition(7), nullptr);

    source.count = 4;
    grid->reloadData();
    processEvents();
    EXPECT_EQ(source.created, 7) << "items are reused";
    EXPECT_EQ(grid->rowdata().size(), 4);

    ASSERT_TRUE(tap(grid->getItemAtPosition(1)));
    EXPECT_EQ(source.selected, QList<int>{1}) << "one press, one selection";
}

TEST_F(Widgets, APressOnAViewInsideAnItemSelectsTheItemOnce) {
    // Items whose inner view takes presses, as a picture inside a button:
    // the press reaches the grid at the inner view and again at the item.
    class Nested : public Source {
        View* viewForItemAtPosition(GridView* grid, int position) override {
            if (View* reused = grid->getItemAtPosition(position)) return reused;
            auto* item = new View(QRectF(0, 0, 60, 60));
            new View(QRectF(10, 10, 40, 40), item);
            return item;
        }
    } source;
    auto* grid = new GridView(QRectF(0, 64, 320, 416));
    window()->addSubview(grid);
    grid->setColumNum(5);
    grid->setDataSource(&source);
    grid->reloadData();
    processEvents();
    ASSERT_TRUE(tap(grid->getItemAtPosition(2)));
    EXPECT_EQ(source.selected, QList<int>{2});
    ASSERT_TRUE(tap(grid->getItemAtPosition(2)));
    EXPECT_EQ(source.selected, (QList<int>{2, 2})) << "a second tap is a second choice";
}

TEST_F(Widgets, MenuItemsLayOutIconLabelAndBadge) {
    auto* item = new ButtonItem(QRectF(10, 80, 70, 70));
    window()->addSubview(item);
    auto* badge = new NoticeView(QRectF(0, 0, 30, 30));
    item->addSubview(badge);
    item->layoutIfNeeded();
    item->setLable(QStringLiteral("资讯"));
    EXPECT_EQ(item->icon()->frame(), QRectF(14, 14, 42, 42));
    EXPECT_EQ(item->label()->frame(), QRectF(1, 54, 62, 22));
    EXPECT_EQ(badge->center(), QPointF(56, 14));
    // A new frame lays the icon, the caption and the badge out again.
    item->setFrame(QRectF(10, 80, 100, 90));
    item->layoutIfNeeded();
    EXPECT_EQ(item->icon()->frame(), QRectF(20, 20, 60, 60));
    EXPECT_EQ(item->label()->frame(), QRectF(1, 78, 92, 18));
    EXPECT_EQ(badge->center(), QPointF(80, 20));
    item->setFrame(QRectF(10, 80, 70, 70));
    item->layoutIfNeeded();
    EXPECT_TRUE(badge->isHidden());
    badge->setNum(5);
    EXPECT_FALSE(badge->isHidden());
    EXPECT_EQ(badge->label()->text(), QStringLiteral("5"));
    badge->setNum(0);
    EXPECT_TRUE(badge->isHidden());

    // The tab bar's badge is 25 points wide: three digits would spill out.
    auto* total = new NoticeView(QRectF(0, 0, 25, 25));
    window()->addSubview(total);
    for (int count : {99, 234}) {
        total->setNum(count);
        const Label* text = total->label();
        EXPECT_LE(QFontMetricsF(text->font()).horizontalAdvance(text->text()),
                  text->frame().width())
            << count;
    }
    EXPECT_EQ(total->label()->text(), QStringLiteral("99+"));
}

class Screen : public QObject, public QXViewDelegate {
public:
    QList<QPair<View*, Button*>> presses;
    void qxView(View* view, Button* button) override { presses.append({view, button}); }
};

TEST_F(Widgets, CellsForwardTheirButtons) {
    auto* cell = new CustomCell;
    cell->setFrame(QRectF(0, 64, 320, 44));
    window()->addSubview(cell);
    auto* button = new Button(QRectF(250, 5, 60, 34));
    button->setTitle(QStringLiteral("删除"));
    cell->contentView()->addSubview(button);
    cell->connectButton(button);
    ASSERT_TRUE(tap(button));  // no delegate: nothing happens
    Screen screen;
    cell->setDelegate(&screen);
    ASSERT_TRUE(tap(button));
    ASSERT_EQ(screen.presses.size(), 1);
    EXPECT_EQ(screen.presses[0].first, cell);
    EXPECT_EQ(screen.presses[0].second, button);

    cell->setMore(QStringLiteral("更多"));
    EXPECT_EQ(cell->textLabel()->text(), QStringLiteral("更多"));
    cell->setInfo({});
    EXPECT_EQ(cell->textLabel()->text(), QString());
    EXPECT_EQ(cell->contentHeight(), 44);
    EXPECT_EQ(cell->selectedBackgroundView()->backgroundColor(), NSUtil::skinColor());
}

}  // namespace
