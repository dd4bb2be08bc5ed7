#include "platform/ui/lists/TableView.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"

#include <vector>

using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

// A list of numbered rows in sections; it counts the cells it builds.
class Rows : public TableViewDataSource, public TableViewDelegate {
public:
    std::vector<int> rowsPerSection{10000};
    std::vector<QString> headers;
    double height = 44;
    int built = 0;
    QList<IndexPath> selected;
    QList<IndexPath> deselected;
    std::optional<IndexPath> redirect;
    bool refuse = false;

    int numberOfSectionsInTableView(TableView*) override { return int(rowsPerSection.size()); }
    int numberOfRowsInSection(TableView*, int s) override { return rowsPerSection[size_t(s)]; }
    TableViewCell* cellForRowAtIndexPath(TableView* table, const IndexPath& ip) override {
        TableViewCell* cell = table->dequeueReusableCellWithIdentifier("row");
        if (!cell) {
            ++built;
            cell = new TableViewCell(TableViewCell::Style::Subtitle, "row");
        }
        cell->textLabel()->setText(QString("%1-%2").arg(ip.section).arg(ip.row));
        cell->detailTextLabel()->setText("detail");
        return cell;
    }
    QString titleForHeaderInSection(TableView*, int s) override {
        return size_t(s) < headers.size() ? headers[size_t(s)] : QString();
    }
    double heightForRowAtIndexPath(TableView*, const IndexPath&) override { return height; }
    std::optional<IndexPath> willSelectRowAtIndexPath(TableView*, const IndexPath& ip) override {
        if (refuse) return std::nullopt;
        return redirect ? redirect : ip;
    }
    void didSelectRowAtIndexPath(TableView*, const IndexPath& ip) override { selected << ip; }
    void didDeselectRowAtIndexPath(TableView*, const IndexPath& ip) override { deselected << ip; }
};

class TableTest : public UiTest {
protected:
    TableView* makeTable(TableView::Style style = TableView::Style::Plain) {
        auto* table = new TableView(QRectF(0, 64, 320, 416), style);
        table->setDataSource(&rows);
        table->setDelegate(&rows);
        window()->addSubview(table);
        table->reloadData();
        processEvents();
        return table;
    }
    Rows rows;
};

}  // namespace

TEST_F(TableTest, ScrollingTenThousandRowsBuildsOnlyTheCellsOnScreen) {
    TableView* table = makeTable();
    const int onScreen = int(416 / rows.height) + 2;
    EXPECT_LE(rows.built, onScreen);
    EXPECT_EQ(table->contentSize().height(), 10000 * rows.height);
    for (double y = 0; y <= table->maximumOffset().y(); y += 97)
        table->setContentOffset({0, y});
    table->setContentOffset(table->maximumOffset());
    EXPECT_LE(rows.built, onScreen + 2);
    EXPECT_EQ(table->cellsAdopted(), rows.built);
    // The rows on screen are the last ones, with their own texts.
    TableViewCell* last = table->cellForRowAtIndexPath({0, 9999});
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->textLabel()->text(), "0-9999");
    EXPECT_FALSE(table->cellForRowAtIndexPath({0, 0}));
    EXPECT_EQ(last->frame(), table->rectForRowAtIndexPath({0, 9999}));
}

TEST_F(TableTest, HeaderFooterAndSectionsTakeTheirPlaces) {
    rows.rowsPerSection = {3, 2};
    rows.headers = {"第一组", "第二组"};
    auto* header = new View(QRectF(0, 0, 320, 37));
    auto* footer = new View(QRectF(0, 0, 320, 44));
    TableView* table = makeTable();
    table->setTableHeaderView(header);
    table->setTableFooterView(footer);
    processEvents();
    EXPECT_EQ(header->frame(), QRectF(0, 0, 320, 37));
    EXPECT_EQ(table->rectForHeaderInSection(0), QRectF(0, 37, 320, 22));
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}).top(), 37 + 22);
    EXPECT_EQ(table->rectForHeaderInSection(1).top(), 37 + 22 + 3 * 44);
    const double rowsBottom = 37 + 2 * 22 + 5 * 44;
    EXPECT_EQ(footer->frame(), QRectF(0, rowsBottom, 320, 44));
    EXPECT_EQ(table->contentSize().height(), rowsBottom + 44);
    EXPECT_NE(findByText(table, "第二组"), nullptr);
    EXPECT_NE(findByText(table, "1-1"), nullptr);

    // A footer replaced is hidden, not deleted: the screen may show it again.
    table->setTableFooterView(nullptr);
    processEvents();
    EXPECT_TRUE(footer->isHidden());
    EXPECT_EQ(table->contentSize().height(), rowsBottom);
    table->setTableFooterView(footer);
    EXPECT_FALSE(footer->isHidden());
}

TEST_F(TableTest, GroupedRowsAreInsetAndPlainHeadersStayOnTop) {
    rows.rowsPerSection = {2, 30};
    rows.headers = {"A", "B"};
    TableView* grouped = makeTable(TableView::Style::Grouped);
    EXPECT_EQ(grouped->rectForRowAtIndexPath({0, 0}).x(), 10);
    EXPECT_EQ(grouped->rectForRowAtIndexPath({0, 0}).width(), 300);
    grouped->hide();

    TableView* plain = makeTable();
    plain->setContentOffset({0, 22 + 2 * 44 + 22 + 10 * 44});
    processEvents();
    View* header = findByText(plain, "B");
    ASSERT_NE(header, nullptr);
    EXPECT_DOUBLE_EQ(header->superview()->frame().top(), plain->contentOffset().y());
}

TEST_F(TableTest, TappingARowSelectsItThroughTheDelegate) {
    rows.rowsPerSection = {5};
    TableView* table = makeTable();
    ASSERT_TRUE(tap(table->cellForRowAtIndexPath({0, 2})));
    EXPECT_EQ(rows.selected, (QList<IndexPath>{{0, 2}}));
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 2}));
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 2})->isSelected());

    tap(table->cellForRowAtIndexPath({0, 3}));
    EXPECT_EQ(rows.deselected, (QList<IndexPath>{{0, 2}}));
    EXPECT_FALSE(table->cellForRowAtIndexPath({0, 2})->isSelected());

    table->deselectRowAtIndexPath({0, 3}, true);
    EXPECT_FALSE(table->indexPathForSelectedRow());

    rows.redirect = IndexPath{0, 0};
    tap(table->cellForRowAtIndexPath({0, 4}));
    EXPECT_EQ(rows.selected.last(), (IndexPath{0, 0}));
    rows.refuse = true;
    const auto before = rows.selected.size();
    tap(table->cellForRowAtIndexPath({0, 1}));
    EXPECT_EQ(rows.selected.size(), before);
}

TEST_F(TableTest, ADragScrollsInsteadOfSelecting) {
    TableView* table = makeTable();
    TableViewCell* cell = table->cellForRowAtIndexPath({0, 5});
    ASSERT_TRUE(drag(cell, QPointF(100, 20), QPointF(0, -150)));
    EXPECT_TRUE(rows.selected.isEmpty());
    EXPECT_DOUBLE_EQ(table->contentOffset().y(), 150);
    EXPECT_FALSE(cell->isHighlighted());
}

TEST_F(TableTest, AButtonInARowActsOnItsOwnEvenUnderTheStandardLabel) {
    rows.rowsPerSection = {3};
    TableView* table = makeTable();
    TableViewCell* cell = table->cellForRowAtIndexPath({0, 1});
    ASSERT_NE(cell, nullptr);
    auto* button = new Button(QRectF(200, 5, 80, 30), cell->contentView());
    // The standard label, made after the button, lies over the whole row.
    cell->textLabel()->setFrame(cell->contentView()->bounds());
    cell->textLabel()->raise();
    int pressed = 0;
    QObject::connect(button, &Control::touchUpInside, [&] { ++pressed; });

    ASSERT_TRUE(tap(button));
    EXPECT_EQ(pressed, 1);
    EXPECT_TRUE(rows.selected.isEmpty()) << "the row is not chosen";
    EXPECT_FALSE(cell->isSelected());

    ASSERT_TRUE(tapAt(cell, QPointF(60, 22)));
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(rows.selected, (QList<IndexPath>{{0, 1}})) << "elsewhere the row is chosen";
}
