// The settings menu and the skins against the demo service: the update
// check's three outcomes, the about box, and a skin chosen while other
// screens are open.
#include <gtest/gtest.h>

#include "account/SetList.h"
#include "account/SetSkin.h"
#include "comments/CommentList.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "framework/Navigator.h"
#include "news/News.h"
#include "news/NewsInfo.h"
#include "platform/Browser.h"
#include "platform/Preferences.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/lists/TableViewCell.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationBar.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/navigation/TabBar.h"
#include "platform/ui/navigation/TabBarItem.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "service/DemoService.h"
#include "tests/news/NewsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class Settings : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        startDemoService();
        platform::Browser::shared().clearRequests();
    }

    SetList* openSettings() {
        Route route{Destination::Settings};
        route.title = QStringLiteral("系统设置");
        return open(qobject_cast<SetList*>(Navigator::build(route)));
    }

    static void tapRow(TableView* table, int row) {
        TableViewCell* cell = table->cellForRowAtIndexPath({0, row});
        ASSERT_TRUE(cell);
        ASSERT_TRUE(tap(cell));
    }
};

TEST_F(Settings, TheMenuShowsItsFourRowsAndTheAboutBox) {
    SetList* settings = openSettings();
    EXPECT_EQ(settings->title(), QStringLiteral("设置"));
    ASSERT_EQ(settings->tableView()->numberOfRowsInSection(0), 4);
    EXPECT_EQ(settings->tableView()->cellForRowAtIndexPath({0, 3})->textLabel()->text(),
              QStringLiteral("关于"));
    tapRow(settings->tableView(), SetList::kAbout);
    std::optional<OverlayInfo> about = currentAlert();
    ASSERT_TRUE(about.has_value());
    EXPECT_EQ(about->title, QStringLiteral("关于"));
    const QStringList lines = about->message.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[3], QStringLiteral("for iPhone v1.0.0"));
    EXPECT_EQ(about->buttons, QStringList{QStringLiteral("确定")});
    answerAlert(0);

    tapRow(settings->tableView(), SetList::kFeedback);
    ASSERT_TRUE(waitFor([&] { return top() != settings; }));
    EXPECT_EQ(top()->title(), QStringLiteral("用户反馈"));
}

TEST_F(Settings, TheUpdateCheckTellsNewerCurrentAndFailedApart) {
    SetList* settings = openSettings();
    TableView* table = settings->tableView();

    demoService()->setUpdateCode("101");
    tapRow(table, SetList::kUpdate);
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("检测到新版本，请更新!"));
    EXPECT_EQ(currentAlert()->buttons,
              (QStringList{QStringLiteral("确定"), QStringLiteral("取消")}));
    ASSERT_TRUE(answerAlert(QStringLiteral("确定")));
    ASSERT_EQ(platform::Browser::shared().requests().size(), 1u);

    // The same code as the client's is current.
    demoService()->setUpdateCode("100");
    tapRow(table, SetList::kUpdate);
    ASSERT_TRUE(waitFor([] { return !currentToast().isEmpty(); }));
    EXPECT_EQ(currentToast(), QStringLiteral("您当前的版本为最新版本!"));
    EXPECT_FALSE(currentAlert().has_value());

    // A check that got no answer never claims the client is current.
    demoService()->setUpdateCode("200");
    demoService()->injectFault("system/update.aspx", {service::Fault::Kind::kDrop});
    tapRow(table, SetList::kUpdate);
    ASSERT_TRUE(
        waitFor([] { return currentToast() == QStringLiteral("检查更新失败，请稍后再试"); }));
    EXPECT_FALSE(currentAlert().has_value());
}

TEST_F(Settings, UpdateRowsForOtherPlatformsOrMalformedCountAsCurrent) {
    EXPECT_FALSE(SetList::newerVersion(
        Value(Dict{{"result", Array{Dict{{"platform", "android"}, {"code", "999"}}}}})));
    EXPECT_FALSE(SetList::newerVersion(Value(Dict{{"result", "none"}})));
    EXPECT_FALSE(SetList::newerVersion(Value(Array{})));
    EXPECT_EQ(SetList::newerVersion(Value(Dict{
                  {"result", Array{Dict{{"platform", "ios"}, {"code", "101"}, {"url", "u"}}}}})),
              std::optional<std::string>("u"));
}

TEST_F(Settings, ASkinReskinsEveryOpenScreenWithoutARequestAndOutlivesARestart) {
    News* home = open(News::withStrip());
    // The application styles its navigation bar so at start.
    const platform::ui::Image orangeBar = NSUtil::skinImage("top_bg");
    NavigationStyle::applySkin(nav()->navigationBar());
    NavigationStyle::applySkin(nav()->navigationBar());
    ASSERT_TRUE(waitFor([&] { return home->tabBar() != nullptr; }));
    auto* article = new NewsInfo;
    article->param().setRid("50001");
    open(article);
    auto* comments = new CommentList;
    comments->param().setRid("50001");
    comments->param().setType("1");
    open(comments);
    SetList* settings = openSettings();
    tapRow(settings->tableView(), SetList::kSkin);
    ASSERT_TRUE(waitFor([&] { return qobject_cast<SetSkin*>(top()) != nullptr; }));
    auto* skins = qobject_cast<SetSkin*>(top());
    processEvents();
    ASSERT_EQ(skins->tableView()->numberOfRowsInSection(0), 3);
    // Let every screen finish loading before counting what is sent.
    processEvents();
    waitFor([] { return false; }, std::chrono::milliseconds(500));
    const std::size_t sent = demoService()->operationCount();

    tapRow(skins->tableView(), 2);  // 黑色
    ASSERT_TRUE(waitFor([&] { return top() == settings; }));
    processEvents();
    EXPECT_EQ(demoService()->operationCount(), sent) << "re-skinning sends nothing";
    EXPECT_EQ(NSUtil::skinName(), "black");
    EXPECT_EQ(nav()->navigationBar()->backgroundImage(), NSUtil::skinImage("top_bg"));
    EXPECT_FALSE(nav()->navigationBar()->backgroundImage() == orangeBar);
    for (ViewController* screen :
         {static_cast<ViewController*>(home), static_cast<ViewController*>(article),
          static_cast<ViewController*>(comments)}) {
        BarButtonItem* back = screen->navigationItem()->leftBarButtonItem();
        if (!back) continue;
        auto* button = qobject_cast<Button*>(back->customView());
        ASSERT_TRUE(button);
        EXPECT_EQ(button->backgroundImageForState(Button::Normal),
                  NSUtil::skinImage("top_back").stretchable(14, 0));
    }
    EXPECT_EQ(home->tabBar()->items().front()->image(), NSUtil::skinImage("fic_news"));

    // A new start reads the choice back from the stored preferences.
    platform::Preferences restarted(platform::preferences().path());
    EXPECT_EQ(restarted.string("skin"), std::optional<std::string>("black"));
}

}  // namespace
