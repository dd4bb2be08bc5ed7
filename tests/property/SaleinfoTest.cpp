// Sale information: the city's latest sale news per project, the search by
// project name and its cancel, the followed projects, a row opening the
// project's sale news and its project button opening the project, and a
// failed request keeping the list it held.
#include "app/Destinations.h"
#include "framework/Navigator.h"
#include "framework/RootScreenServices.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextView.h"
#include "property/SaleInfoItem.h"
#include "property/Saleinfo.h"
#include "property/SellList.h"
#include "property/SellListItem.h"
#include "tests/news/NewsListsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

constexpr const char* kPath = "house/saleinfo.aspx";

class SaleinfoScreen : public tovera::testing::NewsListsUiTest {
protected:
    void open(Saleinfo* screen = new Saleinfo) {
        useDemo();
        saleinfo_ = push(screen);
        ASSERT_TRUE(replies(1));
    }
    bool replies(std::size_t n) { return waitForRequests(kPath, n) && settled(); }
    Dict lastRequest() { return requestsTo(kPath).back(); }
    void searchFor(const QString& text) {
        saleinfo_->searchBar()->setText(text);
        saleinfo_->searchBarSearchButtonClicked(saleinfo_->searchBar());
    }

    Saleinfo* saleinfo_ = nullptr;
};

TEST_F(SaleinfoScreen, SearchThenCancelBringsBackEveryProject) {
    open();
    const int everything = saleinfo_->total();
    ASSERT_GT(everything, 10);
    EXPECT_EQ(saleinfo_->items().size(), 10u);
    EXPECT_FALSE(lastRequest().contains("housename"));
    EXPECT_FALSE(lastRequest().contains("uid"));

    searchFor(QStringLiteral("壹号"));
    ASSERT_TRUE(replies(2));
    EXPECT_EQ(lastRequest().getStringValueForKey("housename", ""), "壹号");
    EXPECT_EQ(lastRequest().getStringValueForKey("page", ""), "1");
    EXPECT_TRUE(saleinfo_->searchActive());
    ASSERT_FALSE(saleinfo_->items().empty());
    EXPECT_LT(saleinfo_->total(), everything);
    for (const Value& row : saleinfo_->items())
        EXPECT_NE(row.getStringValueForKey("housename", "").find("壹号"), std::string::npos);

    // The drawn 取消 with the searched text still in the bar.
    ASSERT_TRUE(tap(saleinfo_->searchBar()->cancelButton()));
    ASSERT_TRUE(replies(3));
    EXPECT_FALSE(lastRequest().contains("housename"));
    EXPECT_EQ(lastRequest().getStringValueForKey("page", ""), "1");
    EXPECT_FALSE(saleinfo_->searchActive());
    EXPECT_EQ(saleinfo_->total(), everything);
    EXPECT_EQ(saleinfo_->items().size(), 10u);
    EXPECT_EQ(saleinfo_->searchBar()->text(), QString());

    // With no search applied, cancelling asks for nothing.
    saleinfo_->searchBar()->setText(QStringLiteral("x"));
    ASSERT_TRUE(tap(saleinfo_->searchBar()->cancelButton()));
    processEvents();
    EXPECT_EQ(requestsTo(kPath).size(), 3u);
}

TEST_F(SaleinfoScreen, RowsShowTheProjectAndPageOn) {
    open();
    auto* cell =
        qobject_cast<SaleInfoItem*>(saleinfo_->tableView()->cellForRowAtIndexPath(IndexPath{0, 0}));
    ASSERT_NE(cell, nullptr);
    const Value& row = saleinfo_->items()[0];
    EXPECT_EQ(cell->houseButton()->currentTitle(),
              QString::fromStdString("[" + row.getStringValueForKey("catname", "") + "]" +
                                     row.getStringValueForKey("housename", "")));
    EXPECT_EQ(cell->houseButton()->tag(), row.getIntValueForKey("hid", 0));
    EXPECT_EQ(cell->saleLabel()->text(),
              QString::fromStdString(row.getStringValueForKey("saletext", "")));
    EXPECT_EQ(cell->frame().height(), SaleInfoItem::kHeight);

    saleinfo_->loadMore(saleinfo_->loadMoreView());
    ASSERT_TRUE(waitFor([&] { return saleinfo_->items().size() > 10; }));
    EXPECT_EQ(lastRequest().getStringValueForKey("page", ""), "2");
}

TEST_F(SaleinfoScreen, FollowedModeAsksForTheUsersProjects) {
    useDemo();
    signIn();
    Route route{Destination::FollowedSaleInfo};
    auto* screen = qobject_cast<Saleinfo*>(Navigator::build(route));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->param().uid(), "1");
    open(screen);
    EXPECT_EQ(lastRequest().getStringValueForKey("uid", ""), "1");
    EXPECT_EQ(saleinfo_->tableView()->tableHeaderView(), nullptr);
}

TEST_F(SaleinfoScreen, ARowOpensTheProjectsSaleNewsAndTheProjectOpens) {
    open();
    const Value row = saleinfo_->items()[1];
    const std::string hid = row.getStringValueForKey("hid", "");
    saleinfo_->didSelectRowAtIndexPath(saleinfo_->tableView(), IndexPath{0, 1});
    auto* news = qobject_cast<SellList*>(top());
    ASSERT_NE(news, nullptr);
    ASSERT_TRUE(waitForRequests("house/sell_list.aspx", 1) && settled());
    EXPECT_EQ(requestsTo("house/sell_list.aspx").back().getStringValueForKey("id", ""), hid);
    auto* header = qobject_cast<Label*>(news->tableView()->tableHeaderView());
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->text(), QString::fromStdString(row.getStringValueForKey("housename", "")));
    ASSERT_FALSE(news->items().empty());

    // Each news row is as tall as its text under the date.
    auto* item =
        qobject_cast<SellListItem*>(news->tableView()->cellForRowAtIndexPath(IndexPath{0, 0}));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->textView()->text(),
              QString::fromStdString(news->items()[0].getStringValueForKey("selltxt", "")));
    EXPECT_GE(item->frame().height(),
              SellListItem::kDateHeight + item->textView()->frame().height());

    // "查看楼盘" and the row's project button both open the project.
    std::vector<std::string> opened;
    Navigator::registerBuilder(Destination::Project, [&](const Route& route) {
        opened.push_back(route.param.rid());
        return new ViewController;
    });
    BarButtonItem* view = news->navigationItem()->rightBarButtonItem();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->title(), QStringLiteral("查看楼盘"));
    view->trigger();
    processEvents();
    backToRoot();
    push(saleinfo_ = new Saleinfo);
    ASSERT_TRUE(replies(2));
    auto* cell =
        qobject_cast<SaleInfoItem*>(saleinfo_->tableView()->cellForRowAtIndexPath(IndexPath{0, 1}));
    ASSERT_NE(cell, nullptr);
    ASSERT_TRUE(tap(cell->houseButton()));
    processEvents();
    Navigator::clear();
    registerDestinations();
    EXPECT_EQ(opened, (std::vector<std::string>{hid, hid}));
}

TEST_F(SaleinfoScreen, ASearchIsKeptOnReturnAndARefreshFlagReloads) {
    open();
    searchFor(QStringLiteral("壹号"));
    ASSERT_TRUE(replies(2));
    const Array found = saleinfo_->items();
    saleinfo_->didSelectRowAtIndexPath(saleinfo_->tableView(), IndexPath{0, 0});
    ASSERT_NE(qobject_cast<SellList*>(top()), nullptr);
    nav()->popViewControllerAnimated(false);
    processEvents();
    EXPECT_EQ(top(), saleinfo_);
    EXPECT_EQ(saleinfo_->searchBar()->text(), QStringLiteral("壹号"));
    EXPECT_TRUE(saleinfo_->searchActive());
    EXPECT_EQ(saleinfo_->items(), found);
    EXPECT_EQ(requestsTo(kPath).size(), 2u) << "returning asks for nothing";

    // A project followed or unfollowed above marks the list for a reload,
    // which keeps the search.
    saleinfo_->didSelectRowAtIndexPath(saleinfo_->tableView(), IndexPath{0, 0});
    saleinfo_->param().param().set("refresh", "1");
    nav()->popViewControllerAnimated(false);
    ASSERT_TRUE(replies(3));
    EXPECT_FALSE(saleinfo_->param().param().contains("refresh"));
    EXPECT_EQ(lastRequest().getStringValueForKey("housename", ""), "壹号");
    EXPECT_FALSE(lastRequest().contains("refresh"));
}

TEST_F(SaleinfoScreen, AFailedSearchKeepsTheListItHeld) {
    open();
    const int total = saleinfo_->total();
    const Value first = saleinfo_->items()[0];
    auto keptTheList = [&] {
        EXPECT_EQ(saleinfo_->total(), total);
        EXPECT_EQ(saleinfo_->items().size(), 10u);
        EXPECT_EQ(saleinfo_->items()[0], first);
    };

    service::Fault refusal;
    refusal.msg = "查询太频繁";
    useDemo().injectFault(kPath, refusal);
    searchFor(QStringLiteral("壹号"));
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->title, QStringLiteral("提示"));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("查询太频繁"));
    ASSERT_TRUE(answerAlert(0));
    processEvents();
    EXPECT_EQ(top(), saleinfo_);
    keptTheList();

    service::Fault down;
    down.kind = service::Fault::Kind::kDrop;
    useDemo().injectFault(kPath, down);
    saleinfo_->loadMore(saleinfo_->loadMoreView());
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("加载失败，请重试!"));
    keptTheList();
    // The footer may be tapped again for the page that failed.
    EXPECT_EQ(saleinfo_->param().page(), "1");
    EXPECT_EQ(saleinfo_->tableView()->tableFooterView(), saleinfo_->loadMoreView());
}

}  // namespace
