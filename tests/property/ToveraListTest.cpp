// "新房" and its filter form against the demo service: sort tabs, the
// criteria the form hands back, narrowing, paging, unfollowing in the
// followed-projects list, and the failure paths.
#include <QString>

#include "core/DBConnection.h"
#include "core/OfflineStore.h"
#include "framework/JVPickView.h"
#include "framework/Navigator.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextField.h"
#include "property/HouseTableView.h"
#include "property/LabelButton.h"
#include "property/ToveraListItem.h"
#include "service/DemoService.h"
#include "service/ServiceHooks.h"
#include "tests/property/ProjectListTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

using tovera::testing::ProjectListTest;

QString countText(int total) {
    return QStringLiteral("共有%1条符合条件的新房").arg(total);
}

std::string sent(const Dict& request, std::string_view key) {
    return request.getStringValueForKey(key, "<absent>");
}

class NewBuildList : public ProjectListTest {
protected:
    void SetUp() override {
        ProjectListTest::SetUp();
        openList();
    }
    HouseTableView* table() const { return list_->list(); }
    bool chooseSortTab(int index) {
        const std::size_t before = requestsTo("house/search.aspx").size();
        TabBar* bar = list_->tabBar();
        return tap(bar->viewForItem(bar->items()[index])) &&
               replies("house/search.aspx", before + 1);
    }
    // Fills the form with nothing and hands it back.
    bool filterWith(const std::function<void(HouseSearch*)>& fill) {
        HouseSearch* form = openFilter();
        if (!form) return false;
        fill(form);
        const std::size_t before = requestsTo("house/search.aspx").size();
        return tapText(QStringLiteral("筛选")) && replies("house/search.aspx", before + 1) &&
               waitFor([this] { return top() == list_; });
    }
};

TEST_F(NewBuildList, OpensNewestFirstWithTheCount) {
    const Dict request = lastSearch();
    EXPECT_EQ(sent(request, "o"), "1");
    EXPECT_EQ(sent(request, "force"), "1");
    EXPECT_EQ(sent(request, "page"), "1");
    EXPECT_EQ(sent(request, "cityid"), "3401");
    EXPECT_EQ(list_->title(), QStringLiteral("新房"));
    ASSERT_GT(table()->total(), 10);
    EXPECT_EQ(table()->items().size(), 10u);
    EXPECT_EQ(list_->keyWord()->text(), countText(table()->total()));
    EXPECT_EQ(table()->tableView()->tableFooterView(), table()->loadMoreView());
    // Rows show their project: the title with its class in brackets.
    auto* cell =
        qobject_cast<ToveraListItem*>(table()->tableView()->cellForRowAtIndexPath(IndexPath{0, 0}));
    ASSERT_TRUE(cell);
    const Value& first = table()->items()[0];
    EXPECT_TRUE(cell->titleLabel()->text().endsWith(
        QString::fromStdString(first.getStringValueForKey("name", ""))));
    EXPECT_TRUE(cell->introLbl()->text().startsWith(QStringLiteral("均价:")));
    EXPECT_TRUE(cell->introLbl()->text().contains(QStringLiteral("\r\n地址:")));
    EXPECT_TRUE(cell->focusBtn()->isHidden()) << "no unfollow outside the followed list";
}

TEST_F(NewBuildList, SortTabTwoSendsFiveAndDropsEarlierCriteria) {
    ASSERT_TRUE(filterWith([this](HouseSearch* form) {
        ASSERT_TRUE(type(form->keyWord(), QStringLiteral("花园")));
        ASSERT_TRUE(openField(form, 1));
        ASSERT_TRUE(pick(form, 2));
    }));
    EXPECT_EQ(sent(lastSearch(), "q"), "花园");
    EXPECT_EQ(sent(lastSearch(), "p"), "2");

    ASSERT_TRUE(chooseSortTab(2));
    const Dict request = lastSearch();
    EXPECT_EQ(sent(request, "o"), "5");
    EXPECT_EQ(sent(request, "force"), "1");
    for (const char* key : {"q", "p", "a", "t", "type", "r", "m"})
        EXPECT_EQ(sent(request, key), "<absent>") << key;
    EXPECT_EQ(list_->keyWord()->text(), countText(table()->total()));
}

TEST_F(NewBuildList, AnUntouchedFilterSendsNoBandAndTheSessionCityKeepingTheSort) {
    ASSERT_TRUE(chooseSortTab(1));
    ASSERT_TRUE(filterWith([](HouseSearch*) {}));
    const Dict request = lastSearch();
    for (const char* key : {"p", "a", "t", "type", "r", "m"})
        EXPECT_EQ(sent(request, key), "0") << key;
    EXPECT_EQ(sent(request, "q"), "");
    EXPECT_EQ(sent(request, "cityid"), "3401");
    EXPECT_EQ(sent(request, "o"), "3") << "the filter keeps the sort";
    EXPECT_EQ(sent(request, "force"), "1");
}

TEST_F(NewBuildList, ADistrictLayoutAndPriceNarrowTheListAndTheCountSaysSo) {
    const int everything = table()->total();
    std::string district;
    ASSERT_TRUE(filterWith([&](HouseSearch* form) {
        ASSERT_TRUE(openField(form, 3));
        const QStringList districts = pickerTitles(form);
        ASSERT_GT(districts.size(), 1);
        EXPECT_EQ(districts.first(), QStringLiteral("全部"));
        const Dict asked = requestsTo("system/cityinfo.aspx").back();
        EXPECT_EQ(sent(asked, "city"), "3401");
        EXPECT_EQ(sent(asked, "t"), "2");
        ASSERT_TRUE(pick(form, 1));
        EXPECT_EQ(form->row(3)->chosenTitle(), districts[1]);
        district = std::to_string(form->row(3)->value());
    }));
    const int inDistrict = table()->total();
    EXPECT_NE(district, "0");
    EXPECT_EQ(sent(lastSearch(), "a"), district);
    EXPECT_LT(inDistrict, everything);
    EXPECT_EQ(list_->keyWord()->text(), countText(inDistrict));

    ASSERT_TRUE(filterWith([&](HouseSearch* form) {
        ASSERT_TRUE(openField(form, 3));
        ASSERT_TRUE(pick(form, 1));
        ASSERT_TRUE(openField(form, 5));
        EXPECT_EQ(pickerTitles(form).first(), QStringLiteral("不限"));
        ASSERT_TRUE(pick(form, 2));
        ASSERT_TRUE(openField(form, 1));
        ASSERT_TRUE(pick(form, 3));
    }));
    const Dict request = lastSearch();
    EXPECT_EQ(sent(request, "a"), district);
    EXPECT_EQ(sent(request, "r"), "2");
    EXPECT_EQ(sent(request, "p"), "3");
    EXPECT_LT(table()->total(), inDistrict);
    EXPECT_EQ(list_->keyWord()->text(), countText(table()->total()));
}

TEST_F(NewBuildList, AllDistrictsSendsDistrictZeroAndTheFirstRealOptionCanBeChosen) {
    ASSERT_TRUE(filterWith([&](HouseSearch* form) {
        // The first option after "不限" is reachable and kept.
        ASSERT_TRUE(openField(form, 4));
        ASSERT_TRUE(pick(form, 1));
        EXPECT_EQ(form->row(4)->value(), 1);
        ASSERT_TRUE(openField(form, 3));
        ASSERT_TRUE(pick(form, 2));
        ASSERT_TRUE(openField(form, 3));
        ASSERT_TRUE(pick(form, 0));
        EXPECT_EQ(form->row(3)->chosenTitle(), QStringLiteral("全部"));
    }));
    EXPECT_EQ(sent(lastSearch(), "a"), "0");
    EXPECT_EQ(sent(lastSearch(), "t"), "1");
    EXPECT_EQ(sent(lastSearch(), "type"), "1");
}

TEST_F(NewBuildList, TheKeyboardPutsThePickerAwayAndTheFormGrowsBackAfterIt) {
    HouseSearch* form = openFilter();
    ASSERT_TRUE(form);
    const double full = form->view()->bounds().height();
    ASSERT_TRUE(openField(form, 1));
    EXPECT_LT(form->scrollView()->frame().height(), full);
    ASSERT_TRUE(type(form->keyWord(), QStringLiteral("湖")));
    ASSERT_TRUE(waitFor([] { return Keyboard::shared().isVisible(); }));
    EXPECT_FALSE(isOnScreen(form->pkView()));
    EXPECT_LE(form->scrollView()->frame().height(), full - Keyboard::shownFrame().height() + 1);
    EXPECT_TRUE(isOnScreen(form->keyWord()));
    ASSERT_TRUE(tap(findByText(window(), QStringLiteral("收起键盘"))));
    ASSERT_TRUE(waitFor([] { return !Keyboard::shared().isVisible(); }));
    EXPECT_EQ(form->scrollView()->frame().height(), full);
    const std::size_t before = requestsTo("house/search.aspx").size();
    ASSERT_TRUE(tapText(QStringLiteral("筛选")));
    ASSERT_TRUE(replies("house/search.aspx", before + 1));
    EXPECT_EQ(sent(lastSearch(), "q"), "湖");
}

TEST_F(NewBuildList, ALateDistrictReplyNeverFillsAnotherField) {
    HouseSearch* form = openFilter();
    ASSERT_TRUE(form);
    // The districts come while the picker already waits for the cities.
    demoService()->injectFault("system/cityinfo.aspx",
                               {service::Fault::Kind::kDelay, 1, std::chrono::milliseconds(400)});
    demoService()->injectFault("system/citylist.aspx",
                               {service::Fault::Kind::kDelay, 1, std::chrono::milliseconds(1500)});
    ASSERT_TRUE(tap(form->row(3)->btn()));
    ASSERT_TRUE(tap(form->row(2)->btn()));
    ASSERT_TRUE(waitFor([form] { return form->pkView() && isOnScreen(form->pkView()); }));
    const QStringList shown = pickerTitles(form);
    ASSERT_GT(shown.size(), 2);
    EXPECT_EQ(shown.first(), QStringLiteral("不限"));
    EXPECT_TRUE(shown.contains(QStringLiteral("合肥")));
    EXPECT_FALSE(shown.contains(QStringLiteral("全部"))) << "districts in the city picker";
    EXPECT_EQ(form->pkView()->tag(), 2);
    ASSERT_TRUE(pick(form, 1));
    EXPECT_EQ(form->row(2)->chosenTitle(), shown[1]);
    EXPECT_EQ(form->row(3)->value(), 0);
}

TEST_F(NewBuildList, AFailedOptionRequestKeepsTheFormAndWhatWasTyped) {
    HouseSearch* form = openFilter();
    ASSERT_TRUE(form);
    ASSERT_TRUE(type(form->keyWord(), QStringLiteral("湖")));
    ASSERT_TRUE(openField(form, 1));
    ASSERT_TRUE(pick(form, 2));
    demoService()->injectFault("system/cityinfo.aspx", {service::Fault::Kind::kDrop});
    ASSERT_TRUE(tap(form->row(3)->btn()));
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("加载失败，请重试!"));
    ASSERT_TRUE(answerAlert(QStringLiteral("确定")));
    processEvents();
    waitFor([] { return false; }, std::chrono::milliseconds(400));
    ASSERT_EQ(top(), form) << "the form stays";
    EXPECT_EQ(form->keyWord()->text(), QStringLiteral("湖"));
    EXPECT_EQ(form->row(1)->value(), 2);
    EXPECT_FALSE(isOnScreen(form->pkView()));
}

TEST_F(NewBuildList, ChoosingACityListsItsDistrictsAndSearchesIt) {
    ASSERT_TRUE(filterWith([&](HouseSearch* form) {
        ASSERT_TRUE(openField(form, 2));
        const QStringList cities = pickerTitles(form);
        ASSERT_GT(cities.size(), 2);
        EXPECT_EQ(cities.first(), QStringLiteral("不限"));
        const int at = int(cities.indexOf(QStringLiteral("芜湖")));
        ASSERT_GT(at, 0);
        ASSERT_TRUE(pick(form, at));
        ASSERT_TRUE(openField(form, 3));
        EXPECT_EQ(sent(requestsTo("system/cityinfo.aspx").back(), "city"),
                  std::to_string(form->row(2)->value()));
    }));
    EXPECT_NE(sent(lastSearch(), "cityid"), "3401");
}

TEST_F(NewBuildList, FailuresShowTheirAlertAndKeepTheRows) {
    // With a kept copy of the page a dropped connection would show that
    // copy instead; these are failures with nothing kept.
    OfflineStore::flush();
    DBConnection::statementWithQuery("DELETE FROM kept").step();
    const std::size_t shown = table()->items().size();
    const int total = table()->total();
    struct Case {
        service::Fault::Kind kind;
        QString message;
    };
    // Service down, a reply that is not JSON, a refusal with its message.
    for (const Case& c : {Case{service::Fault::Kind::kDrop, QStringLiteral("加载失败，请重试!")},
                          Case{service::Fault::Kind::kGarbage, QStringLiteral("出错了")},
                          Case{service::Fault::Kind::kRefusal, QStringLiteral("操作失败")}}) {
        demoService()->injectFault("house/search.aspx", {c.kind});
        const std::size_t before = requestsTo("house/search.aspx").size();
        ASSERT_TRUE(chooseSortTab(1));
        ASSERT_GE(requestsTo("house/search.aspx").size(), before + 1);
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
        EXPECT_EQ(currentAlert()->title, QStringLiteral("提示"));
        EXPECT_EQ(currentAlert()->message, c.message);
        ASSERT_TRUE(answerAlert(0));
        processEvents();
        EXPECT_EQ(table()->items().size(), shown);
        EXPECT_EQ(table()->total(), total);
        EXPECT_EQ(list_->keyWord()->text(), countText(total));
    }
}

TEST_F(NewBuildList, PullingDownReloadsTheFirstPageWithTheSameCriteria) {
    ASSERT_TRUE(chooseSortTab(2));
    const std::size_t before = requestsTo("house/search.aspx").size();
    ASSERT_TRUE(drag(table()->tableView(), QPointF(160, 100), QPointF(0, 90)));
    ASSERT_TRUE(replies("house/search.aspx", before + 1));
    const Dict request = lastSearch();
    EXPECT_EQ(sent(request, "page"), "1");
    EXPECT_EQ(sent(request, "o"), "5");
    EXPECT_EQ(table()->items().size(), 10u);
}

TEST_F(NewBuildList, ARowOpensItsProject) {
    const int id = table()->items()[0].getIntValueForKey("id", 0);
    TableView* tableView = table()->tableView();
    ASSERT_TRUE(tap(tableView->cellForRowAtIndexPath(IndexPath{0, 0})));
    ASSERT_TRUE(waitFor([this] { return top() != list_; }));
    processEvents();
    EXPECT_FALSE(tableView->indexPathForSelectedRow().has_value());
    EXPECT_GT(id, 0);
}

class ScriptedProjects : public ProjectListTest {
protected:
    void SetUp() override {
        ProjectListTest::SetUp();
        useService(scripted_.base());
    }
};

TEST_F(ScriptedProjects, TenRowsOfTwentyFivePageToTheEnd) {
    scripted_.list(25);
    showRoot(new ViewController);
    list_ = new ToveraList;
    nav()->pushViewController(list_, false);
    HouseTableView* table = nullptr;
    ASSERT_TRUE(waitFor([&] {
        table = list_->list();
        return table && table->items().size() == 10 && settled();
    }));
    EXPECT_EQ(list_->keyWord()->text(), countText(25));
    for (std::size_t rows : {20u, 25u}) {
        TableView* tableView = table->tableView();
        ASSERT_EQ(tableView->tableFooterView(), table->loadMoreView());
        tableView->scrollRectToVisible(tableView->tableFooterView()->frame(), false);
        processEvents();
        ASSERT_TRUE(tap(table->loadMoreView()));
        ASSERT_TRUE(waitFor([&] { return table->items().size() == rows; }));
    }
    settled();
    EXPECT_EQ(table->tableView()->tableFooterView(), nullptr);
    EXPECT_EQ(list_->keyWord()->text(), countText(25));
}

class FollowedProjects : public ProjectListTest {};

TEST_F(FollowedProjects, UnfollowingRemovesTheRowAndTheListKeepsItsOwnParameters) {
    signIn();
    showRoot(new ViewController);
    auto* followed = new HouseTableView;
    followed->param().setApi("housefocus");
    nav()->pushViewController(followed, false);
    followed->willBeShown();
    ASSERT_TRUE(replies("user/focushouse_list.aspx", 1));
    const int total = followed->total();
    ASSERT_GT(total, 0);
    auto* header = qobject_cast<Label*>(followed->tableView()->tableHeaderView());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->text(), QStringLiteral("您关注了%1个楼盘").arg(total));

    auto* cell = qobject_cast<ToveraListItem*>(
        followed->tableView()->cellForRowAtIndexPath(IndexPath{0, 0}));
    ASSERT_TRUE(cell);
    ASSERT_TRUE(isOnScreen(cell->focusBtn()));
    EXPECT_EQ(cell->focusBtn()->currentTitle(), QStringLiteral("取消关注"));
    const int id = followed->items()[0].getIntValueForKey("id", 0);

    // Refused: the service's message, and the row stays.
    demoService()->injectFault("user/focus.aspx", {service::Fault::Kind::kRefusal});
    ASSERT_TRUE(tap(cell->focusBtn()));
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("操作失败"));
    ASSERT_TRUE(answerAlert(0));
    processEvents();
    EXPECT_EQ(followed->total(), total);
    EXPECT_EQ(followed->items()[0].getIntValueForKey("id", 0), id);

    cell = qobject_cast<ToveraListItem*>(
        followed->tableView()->cellForRowAtIndexPath(IndexPath{0, 0}));
    ASSERT_TRUE(cell);
    ASSERT_TRUE(tap(cell->focusBtn()));
    ASSERT_TRUE(replies("user/focus.aspx", 2));
    ASSERT_TRUE(waitFor([&] { return followed->total() == total - 1; }));
    const Dict request = requestsTo("user/focus.aspx").back();
    EXPECT_EQ(sent(request, "id"), std::to_string(id));
    EXPECT_EQ(sent(request, "operate"), "0");
    EXPECT_EQ(sent(request, "code"), "0");
    EXPECT_EQ(sent(request, "t"), "1");
    for (const Value& row : followed->items())
        EXPECT_NE(row.getIntValueForKey("id", 0), id);
    EXPECT_EQ(header->text(), QStringLiteral("您关注了%1个楼盘").arg(total - 1));
    EXPECT_EQ(followed->param().api(), "housefocus");
    EXPECT_FALSE(followed->param().param().contains("operate"));

    // A screen above flags it; shown again, it reloads the followed list.
    followed->param().setString("1", "refresh");
    followed->willBeShown();
    ASSERT_TRUE(replies("user/focushouse_list.aspx", 2));
    EXPECT_EQ(followed->total(), total - 1);
}

TEST(ToveraListItemRow, PriceClassAndState) {
    struct Case {
        Dict info;
        QString title;
        QString intro;
        QString state;
    };
    const Case cases[] = {
        {Dict{{"name", "翡翠湾"},
              {"catname", "住宅"},
              {"price", "12000"},
              {"address", "蜀山区"},
              {"state", 1}},
         QStringLiteral("[住宅]翡翠湾"), QStringLiteral("均价:12000元/平方米\r\n地址:蜀山区"),
         QStringLiteral("在售")},
        {Dict{{"name", "云谷"}, {"catname", ""}, {"price", "0"}, {"address", "高新区"}},
         QStringLiteral("云谷"), QStringLiteral("均价:一房一价\r\n地址:高新区"),
         QStringLiteral("待售")},
        {Dict{{"name", "远山"}, {"state", 99}}, QStringLiteral("远山"),
         QStringLiteral("均价:一房一价\r\n地址:"), QString()},
        {Dict{{"name", "近水"}, {"state", -1}}, QStringLiteral("近水"),
         QStringLiteral("均价:一房一价\r\n地址:"), QString()},
    };
    ToveraListItem cell;
    for (const Case& c : cases) {
        cell.setInfo(c.info);
        EXPECT_EQ(cell.titleLabel()->text(), c.title);
        EXPECT_EQ(cell.introLbl()->text(), c.intro);
        EXPECT_EQ(cell.stateLabel()->text(), c.state);
    }
}

// Stands for the listing list beneath the form: it keeps its own
// parameters and counts its reloads.
class ListingsStandIn : public QXViewController {
public:
    ListingsStandIn() { param().setApi("oldhouse"); }
    void reloadData() override { ++reloads; }
    int reloads = 0;
};

class ListingFilter : public ProjectListTest {};

TEST_F(ListingFilter, CheckBoxesAndTitlesAreMergedIntoTheListBeneath) {
    showRoot(new ViewController);
    auto* listings = new ListingsStandIn;
    listings->param().setString("kept", "keep");
    nav()->pushViewController(listings, false);
    Route route{Destination::ProjectFilter};
    route.param.setApi("oldhouse");
    ASSERT_TRUE(Navigator::open(listings, route));
    ASSERT_TRUE(waitFor([this] { return qobject_cast<HouseSearch*>(top()) != nullptr; }));
    auto* form = qobject_cast<HouseSearch*>(top());
    processEvents();
    EXPECT_EQ(form->title(), QStringLiteral("筛选条件"));
    ASSERT_EQ(form->rows().size(), 6);
    EXPECT_EQ(form->row(1)->lbl()->text(), QStringLiteral("户型:"));
    ASSERT_EQ(form->checkBoxes().size(), 2);
    EXPECT_EQ(form->checkBoxes()[1]->currentTitle(), QStringLiteral("急售"));
    EXPECT_EQ(form->checkBoxes()[0]->tag(), 7);
    EXPECT_EQ(form->checkBoxes()[1]->tag(), 8);

    ASSERT_TRUE(tap(form->checkBoxes()[0]));
    EXPECT_TRUE(form->checkBoxes()[0]->isSelected());
    // A field tapped again closes its open options.
    ASSERT_TRUE(openField(form, 3));
    ASSERT_TRUE(tap(form->row(3)->btn()));
    EXPECT_FALSE(isOnScreen(form->pkView()));
    EXPECT_EQ(form->scrollView()->frame().height(), form->view()->bounds().height());
    ASSERT_TRUE(openField(form, 4));
    const QStringList districts = pickerTitles(form);
    EXPECT_EQ(districts.first(), QStringLiteral("全部"));
    EXPECT_EQ(sent(requestsTo("system/cityinfo.aspx").back(), "city"), "3401");
    ASSERT_TRUE(pick(form, 1));
    ASSERT_TRUE(openField(form, 5));
    EXPECT_EQ(sent(requestsTo("system/cityinfo.aspx").back(), "t"), "1");
    EXPECT_EQ(pickerTitles(form).first(), QStringLiteral("不限"));
    ASSERT_TRUE(pick(form, 1));
    const int businessArea = form->row(5)->value();
    EXPECT_GT(businessArea, 0);
    ASSERT_TRUE(openField(form, 1));
    ASSERT_TRUE(pick(form, 2));

    ASSERT_TRUE(tapText(QStringLiteral("筛选")));
    ASSERT_TRUE(waitFor([&] { return top() == listings; }));
    EXPECT_EQ(listings->reloads, 1);
    const QXParam& criteria = listings->param();
    EXPECT_EQ(sent(criteria.param(), "a"), districts[1].toStdString());
    EXPECT_EQ(sent(criteria.param(), "r"), "二室");
    EXPECT_EQ(sent(criteria.param(), "d"), std::to_string(businessArea));
    EXPECT_EQ(sent(criteria.param(), "j"), "1");
    EXPECT_EQ(sent(criteria.param(), "h"), "0");
    EXPECT_EQ(sent(criteria.param(), "api"), "oldhouse");
    EXPECT_EQ(sent(criteria.param(), "keep"), "kept");
}

TEST_F(ListingFilter, TheRentalFormOffersUrgentRent) {
    showRoot(new ViewController);
    Route route{Destination::ProjectFilter};
    route.param.setApi("rent");
    auto* form = qobject_cast<HouseSearch*>(Navigator::open(nav()->topViewController(), route));
    ASSERT_TRUE(form);
    processEvents();
    ASSERT_EQ(form->checkBoxes().size(), 2);
    EXPECT_EQ(form->checkBoxes()[1]->currentTitle(), QStringLiteral("急租"));
    ASSERT_TRUE(openField(form, 2));
    EXPECT_EQ(pickerTitles(form).value(1), QStringLiteral("800元以下"));
}

}  // namespace
