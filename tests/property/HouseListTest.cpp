// The second-hand and rental screens against the demo service: rows, paging
// of a project's listings, the filter hand-back, a listing's three pages and
// its tab bar, and the call offer.
#include "framework/ButtonsView.h"
#include "framework/GridView.h"
#include "framework/Navigator.h"
#include "platform/Dialer.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"
#include "property/Gallery.h"
#include "property/HouseDetail.h"
#include "property/HouseList.h"
#include "property/HouseListItem.h"
#include "property/LabelButton.h"
#include "property/OldhousePreview.h"
#include "property/RentPreview.h"
#include "tests/property/ProjectListTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

std::string sent(const Dict& request, std::string_view key) {
    return request.getStringValueForKey(key, "<none>");
}

Button* pageButton(HouseDetail* detail, const QString& caption) {
    for (QWidget* child : detail->btnView()->subviews())
        if (auto* button = qobject_cast<Button*>(child);
            button && button->titleForState(Button::Normal) == caption)
            return button;
    return nullptr;
}

void tapTab(HouseDetail* detail, int index) {
    TabBar* bar = detail->tabBar();
    EXPECT_TRUE(tap(bar->viewForItem(bar->items().value(index))));
    processEvents();
}

TEST(HouseListItemText, PricesUnitsAndSource) {
    const struct {
        Dict info;
        const char* api;
        QString name;
        QString price;
    } cases[] = {
        {Dict{{"title", "整租"}, {"source", "个人"}, {"price", "1500"}}, "rent",
         QStringLiteral("[个人]整租"), QStringLiteral("1500元/月")},
        {Dict{{"name", "东方里"}, {"source", "中介"}, {"price", "0"}}, "oldhouse",
         QStringLiteral("[中介]东方里"), QStringLiteral("面议")},
        {Dict{{"title", "急售"}, {"price", "165"}}, "oldhouse", QStringLiteral("急售"),
         QStringLiteral("165万元")},
        {Dict{{"title", ""}, {"name", "星河"}, {"price", "-3"}}, "rent", QStringLiteral("星河"),
         QStringLiteral("面议")},
        {Dict{{"title", "x"}, {"price", Value()}}, "rent", QStringLiteral("x"),
         QStringLiteral("面议")},
    };
    HouseListItem cell;
    for (const auto& c : cases) {
        cell.setInfo(c.info);
        cell.setType(c.api);
        EXPECT_EQ(cell.nameLbl()->text(), c.name);
        EXPECT_EQ(cell.priceLbl()->text(), c.price);
    }
    cell.setInfo(Dict{{"size", "118"}, {"unit", "3室2厅1卫"}});
    EXPECT_EQ(cell.sizeLbl()->text(), QStringLiteral("118平方米"));
    EXPECT_EQ(cell.unitLbl()->text(), QStringLiteral("3室2厅1卫"));
}

TEST(HouseDetailText, DescriptionsShowTheirTextWithoutMarkup) {
    EXPECT_EQ(HouseDetail::descriptionText(Dict{{"detail", "<p>南北通透</p><p>近地铁</p>"}}),
              QStringLiteral("南北通透\n近地铁"));
    EXPECT_EQ(HouseDetail::descriptionText(Dict{{"detail", "a < b"}}), QStringLiteral("a < b"));
    EXPECT_EQ(HouseDetail::descriptionText(Dict{{"detail", "<img src=\"http://x/y.png\">"}}),
              QString());
    EXPECT_EQ(HouseDetail::descriptionText(Dict{}), QString());
}

class Listings : public tovera::testing::ProjectListTest {
protected:
    HouseList* openListings(const char* api, const char* hid = nullptr) {
        Route route{Destination::Listings};
        route.param.setApi(api);
        if (hid) route.param.setHid(hid);
        if (!nav()) showRoot(new ViewController);
        auto* list = qobject_cast<HouseList*>(Navigator::open(top(), route));
        EXPECT_TRUE(list);
        if (list) {
            EXPECT_TRUE(waitFor([list] { return !list->items().empty(); }) && settled());
        }
        return list;
    }

    HouseDetail* openListing(const char* api, const char* id) {
        Route route = Route::toObject(Destination::Listing, id);
        route.param.setApi(api);
        if (!nav()) showRoot(new ViewController);
        auto* detail = qobject_cast<HouseDetail*>(Navigator::open(top(), route));
        EXPECT_TRUE(detail);
        if (detail) {
            EXPECT_TRUE(waitFor([detail] { return !detail->detail().empty(); }) && settled());
        }
        return detail;
    }
};

TEST_F(Listings, RentalsAreListedWithMonthlyRentAndOpenTheirDetail) {
    HouseList* list = openListings("rent");
    EXPECT_EQ(list->title(), QStringLiteral("租房"));
    EXPECT_EQ(requestsTo("rent/search.aspx").size(), 1u);
    EXPECT_TRUE(requestsTo("oldhouse/search.aspx").empty());
    EXPECT_EQ(list->tableView()->tag(), list->total());
    auto* cell = qobject_cast<HouseListItem*>(list->tableView()->cellForRowAtIndexPath({0, 0}));
    ASSERT_TRUE(cell);
    EXPECT_TRUE(cell->priceLbl()->text().endsWith(QStringLiteral("元/月")));
    const std::string id = list->items()[0].getStringValueForKey("id", "");
    ASSERT_TRUE(tap(cell));
    ASSERT_TRUE(waitFor([&] { return qobject_cast<HouseDetail*>(top()) != nullptr; }));
    auto* detail = qobject_cast<HouseDetail*>(top());
    EXPECT_EQ(detail->title(), QStringLiteral("租房详情"));
    ASSERT_TRUE(waitFor([&] { return requestsTo("rent/detail.aspx").size() == 1; }));
    EXPECT_EQ(sent(requestsTo("rent/detail.aspx")[0], "id"), id);
}

TEST_F(Listings, AProjectsListingsAskForTheProjectOnEveryPage) {
    HouseList* list = openListings("oldhouse", "1004");
    EXPECT_EQ(list->title(), QStringLiteral("二手房"));
    list->dataGrow();
    ASSERT_TRUE(replies("oldhouse/search.aspx", 2));
    const std::vector<Dict> pages = requestsTo("oldhouse/search.aspx");
    EXPECT_EQ(sent(pages[0], "page"), "1");
    EXPECT_EQ(sent(pages[1], "page"), "2");
    for (const Dict& page : pages) {
        EXPECT_EQ(sent(page, "hid"), "1004");
        EXPECT_FALSE(page.contains("api"));
    }
    // Second-hand price 0 reads "面议".
    bool negotiable = false;
    for (int row = 0; row < int(list->items().size()); ++row)
        if (auto* cell =
                qobject_cast<HouseListItem*>(list->tableView()->cellForRowAtIndexPath({0, row})))
            negotiable |= cell->priceLbl()->text() == QStringLiteral("面议");
    EXPECT_TRUE(negotiable);
}

TEST_F(Listings, FiltersMergeKeepTheKindAndProjectAndCanBeCleared) {
    HouseList* list = openListings("oldhouse", "1231");
    HouseSearch* form = openFilter();
    ASSERT_TRUE(form);
    EXPECT_EQ(form->checkBoxes().value(1)->currentTitle(), QStringLiteral("急售"));
    ASSERT_TRUE(openField(form, 2));
    ASSERT_TRUE(pick(form, 2));
    ASSERT_TRUE(tap(form->checkBoxes()[1]));
    ASSERT_TRUE(tapText(QStringLiteral("筛选")));
    ASSERT_TRUE(waitFor([&] { return top() == list; }));
    ASSERT_TRUE(replies("oldhouse/search.aspx", 2));
    Dict filtered = requestsTo("oldhouse/search.aspx").back();
    EXPECT_EQ(sent(filtered, "hid"), "1231");
    EXPECT_EQ(sent(filtered, "p"), "2");
    EXPECT_EQ(sent(filtered, "h"), "1");
    EXPECT_EQ(sent(filtered, "page"), "1");
    // Fields left at "不限" send no title as a criterion.
    EXPECT_EQ(sent(filtered, "r"), "");
    EXPECT_EQ(sent(filtered, "a"), "");
    EXPECT_EQ(list->param().api(), "oldhouse");

    // A new form left as it is clears what the last one set; Enter in the
    // keyword field runs it as the button does.
    form = openFilter();
    ASSERT_TRUE(form);
    ASSERT_TRUE(type(form->keyWord(), QStringLiteral("花园")));
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return top() == list; }));
    ASSERT_TRUE(replies("oldhouse/search.aspx", 3));
    filtered = requestsTo("oldhouse/search.aspx").back();
    EXPECT_EQ(sent(filtered, "p"), "0");
    EXPECT_EQ(sent(filtered, "h"), "0");
    EXPECT_EQ(sent(filtered, "hid"), "1231");
    EXPECT_EQ(sent(filtered, "q"), "花园");
}

TEST_F(Listings, RentalDetailShowsItsThreePagesAndReportsAsRental) {
    HouseDetail* detail = openListing("rent", "30032");
    auto* preview = qobject_cast<RentPreview*>(detail->currentPage());
    ASSERT_TRUE(preview);
    EXPECT_TRUE(isOnScreen(preview));
    const QStringList lines = preview->lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("价格:\t1450元/月")));
    EXPECT_TRUE(lines.contains(QStringLiteral("楼盘名称:\t盛世湾")));
    ASSERT_TRUE(preview->lineFor("size"));
    EXPECT_TRUE(preview->lineFor("size")->text().endsWith(QStringLiteral("平米")));
    EXPECT_TRUE(preview->lineFor("rent_method"));
    EXPECT_FALSE(preview->lineFor("nature"));
    EXPECT_TRUE(preview->lineFor("effect")->text().endsWith(QStringLiteral("天")));
    EXPECT_TRUE(preview->addressBtn()->isEnabled());
    ASSERT_TRUE(preview->pin().has_value());
    EXPECT_NEAR(preview->pin()->latitude, 31.817343, 1e-6);

    // No description: "暂无".
    ASSERT_TRUE(tap(pageButton(detail, QStringLiteral("详细"))));
    auto* text = qobject_cast<TextView*>(detail->currentPage());
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text(), QStringLiteral("暂无"));
    EXPECT_FALSE(isOnScreen(preview));
    ASSERT_TRUE(tap(pageButton(detail, QStringLiteral("图片"))));
    auto* grid = qobject_cast<GridView*>(detail->currentPage());
    ASSERT_TRUE(grid);
    EXPECT_GT(grid->rowdata().size(), 0);
    EXPECT_TRUE(isOnScreen(detail->currentPage()));

    tapTab(detail, HouseDetail::kReport);
    ASSERT_TRUE(waitFor([&] { return top() != detail; }));
    EXPECT_EQ(top()->title(), QStringLiteral("举报"));
    auto* report = qobject_cast<QXViewController*>(top());
    ASSERT_TRUE(report);
    EXPECT_EQ(report->param().ptype(), "4");
    EXPECT_EQ(report->param().type(), "9");
    EXPECT_EQ(report->param().rid(), "30032");
    nav()->popViewControllerAnimated(false);
    processEvents();
    // Back on top, the page shown is rebuilt and nothing is asked again.
    EXPECT_EQ(requestsTo("rent/detail.aspx").size(), 1u);

    tapTab(detail, HouseDetail::kCall);
    ASSERT_TRUE(currentActionSheet().has_value());
    const QString tel = QString::fromStdString(detail->detail().getStringValueForKey("tel", ""));
    EXPECT_TRUE(currentActionSheet()->buttons.contains(QStringLiteral("拨打:%1?").arg(tel)));
    ASSERT_TRUE(answerActionSheet(0));
    ASSERT_EQ(platform::Dialer::shared().requests().size(), 1u);
    EXPECT_EQ(platform::Dialer::shared().requests()[0], "tel:" + tel.toStdString());
}

TEST_F(Listings, SecondHandDetailWithoutPositionOrPicturesSaysSo) {
    HouseDetail* detail = openListing("oldhouse", "20017");
    auto* preview = qobject_cast<OldhousePreview*>(detail->currentPage());
    ASSERT_TRUE(preview);
    EXPECT_TRUE(preview->lineFor("nature"));
    EXPECT_TRUE(preview->lineFor("size")->text().endsWith(QStringLiteral("平方米")));
    EXPECT_FALSE(preview->addressBtn()->isEnabled());
    EXPECT_FALSE(preview->pin().has_value());
    preview->getLocation();
    processEvents();
    EXPECT_EQ(top(), detail);

    tapTab(detail, HouseDetail::kReport);
    ASSERT_TRUE(waitFor([&] { return top() != detail; }));
    EXPECT_EQ(qobject_cast<QXViewController*>(top())->param().ptype(), "3");
    nav()->popViewControllerAnimated(false);
    processEvents();

    HouseDetail* bare = openListing("rent", "30027");
    ASSERT_TRUE(tap(pageButton(bare, QStringLiteral("图片"))));
    auto* none = qobject_cast<TextView*>(bare->currentPage());
    ASSERT_TRUE(none);
    EXPECT_EQ(none->text(), QStringLiteral("暂无"));
    // An unknown listing is refused with the service's message.
    Route route = Route::toObject(Destination::Listing, "20001");
    route.param.setApi("rent");
    Navigator::open(top(), route);
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("该房源不存在"));
}

TEST_F(Listings, SummaryCallsWithTheHomeRuleAndPricesNegotiable) {
    showRoot(new ViewController);
    auto& preview = *new OldhousePreview(QRectF(0, 0, 320, 331), top()->view());
    preview.setInfo(Dict{{"title", "急售"}, {"price", "0"}, {"tel", "0551 6555 转 8"}});
    EXPECT_EQ(preview.lineFor("price")->text(), QStringLiteral("价格:面议"));
    EXPECT_EQ(preview.lineFor("floor")->text(), QStringLiteral("楼层:\t层"));
    preview.scrollRectToVisible(preview.telBtn()->frame(), false);
    processEvents();
    ASSERT_TRUE(tap(preview.telBtn()));
    ASSERT_TRUE(currentActionSheet().has_value());
    ASSERT_TRUE(answerActionSheet(0));
    ASSERT_FALSE(platform::Dialer::shared().requests().empty());
    EXPECT_EQ(platform::Dialer::shared().requests().back(), "tel:05516555,8");

    preview.setInfo(Dict{{"title", "无号码"}});
    preview.btnCall();
    EXPECT_EQ(currentToast(), QStringLiteral("没有提供相关号码!"));
    EXPECT_FALSE(currentActionSheet().has_value());
}

}  // namespace
