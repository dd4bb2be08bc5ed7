// The notification settings against the demo service: both tabs, unfollow
// from the followed projects, and the question asked when leaving with
// unsaved subscriptions.
#include <gtest/gtest.h>

#include "account/MessageSet.h"
#include "framework/ButtonsView.h"
#include "framework/Navigator.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/lists/TableViewCell.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "property/ToveraDetail.h"
#include "property/ToveraListItem.h"
#include "service/DemoService.h"
#include "tests/news/NewsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class MessageSettings : public tovera::testing::NewsUiTest {
protected:
    void SetUp() override {
        NewsUiTest::SetUp();
        startDemoService();
    }

    MessageSet* openSettings(const char* type = "1") {
        Route route{Destination::MessageSettings};
        route.param.setType(type);
        auto* settings = qobject_cast<MessageSet*>(Navigator::build(route));
        return open(settings);
    }

    static TableView* listOf(MessageSet* settings, int tab) {
        ViewController* list = settings->viewController(tab);
        return list ? findByClass<TableView>(list->view()) : nullptr;
    }

    static Button* tab(MessageSet* settings, const char* title) {
        return qobject_cast<Button*>(findByText(settings->btnsView(), QString::fromUtf8(title)));
    }
};

TEST_F(MessageSettings, AProjectFollowedAboveJoinsTheListAndUnfollowingItLeavesNone) {
    login("newbie", "newbie123");
    MessageSet* settings = openSettings();
    EXPECT_EQ(settings->title(), QStringLiteral("关注设置"));
    TableView* followed = listOf(settings, MessageSet::kFollowed);
    ASSERT_TRUE(followed);
    ASSERT_TRUE(waitFor([&] { return followed->tableFooterView() != nullptr; }));
    EXPECT_EQ(followed->numberOfRowsInSection(0), 0);
    // "楼盘" opens the project list, where a project is followed.
    tapRightButton(settings);
    ASSERT_TRUE(waitFor([&] { return top() != settings; }));
    EXPECT_EQ(top()->title(), QStringLiteral("新房"));
    auto* project = qobject_cast<ToveraDetail*>(
        Navigator::open(top(), Route::toObject(Destination::Project, std::string("1001"))));
    ASSERT_TRUE(project);
    // The follow state is known once the detail has loaded.
    ASSERT_TRUE(waitFor([&] { return !project->detail().empty(); }));
    ASSERT_EQ(project->navigationItem()->rightBarButtonItem()->title(), QStringLiteral("关注"));
    tapRightButton(project);
    ASSERT_TRUE(waitFor([&] {
        return project->navigationItem()->rightBarButtonItem()->title() ==
               QStringLiteral("取消关注");
    }));
    nav()->popToViewController(settings, false);
    processEvents();
    ASSERT_TRUE(waitFor([&] { return followed->numberOfRowsInSection(0) == 1; }));

    // Unfollowing the only project leaves "暂无" and a count of none.
    EXPECT_TRUE(isOnScreen(followed));
    auto* row = qobject_cast<ToveraListItem*>(followed->cellForRowAtIndexPath({0, 0}));
    ASSERT_TRUE(row);
    ASSERT_EQ(row->focusBtn()->currentTitle(), QStringLiteral("取消关注"));
    ASSERT_TRUE(tapSettled(row->focusBtn()));
    ASSERT_TRUE(waitFor([&] { return followed->numberOfRowsInSection(0) == 0; }));
    auto* header = qobject_cast<Label*>(followed->tableHeaderView());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->text(), QStringLiteral("您关注了0个楼盘"));
    auto* none = qobject_cast<Label*>(followed->tableFooterView());
    ASSERT_TRUE(none);
    EXPECT_EQ(none->text(), QStringLiteral("暂无"));
}

TEST_F(MessageSettings, LeavingAsksToSaveOnlyAfterATick) {
    login("demo", "demo1234");
    MessageSet* settings = openSettings("2");
    EXPECT_EQ(settings->title(), QStringLiteral("订阅设置"));
    EXPECT_EQ(settings->navigationItem()->rightBarButtonItem()->title(), QStringLiteral("订阅"));
    TableView* categories = listOf(settings, MessageSet::kSubscriptions);
    ASSERT_TRUE(categories);
    ASSERT_TRUE(waitFor([&] { return categories->numberOfRowsInSection(0) > 0; }));

    // Untouched: back leaves at once.
    settings->navigationItem()->leftBarButtonItem()->trigger();
    processEvents();
    EXPECT_FALSE(currentAlert().has_value());
    ASSERT_TRUE(waitFor([&] { return top() != settings; }));

    settings = openSettings("2");
    categories = listOf(settings, MessageSet::kSubscriptions);
    ASSERT_TRUE(waitFor([&] { return categories->numberOfRowsInSection(0) > 0; }));
    ASSERT_TRUE(tap(categories->cellForRowAtIndexPath({0, 0})));
    settings->navigationItem()->leftBarButtonItem()->trigger();
    processEvents();
    std::optional<OverlayInfo> ask = currentAlert();
    ASSERT_TRUE(ask.has_value());
    EXPECT_EQ(ask->message, QStringLiteral("是否保存订阅?"));
    EXPECT_EQ(ask->buttons, (QStringList{QStringLiteral("保存"), QStringLiteral("取消")}));

    // A save the service cannot take keeps the screen and the tick.
    demoService()->injectFault("user/subscribe.aspx", {service::Fault::Kind::kDrop});
    ASSERT_TRUE(answerAlert(QStringLiteral("保存")));
    ASSERT_TRUE(waitFor([&] { return currentAlert().has_value(); }));
    EXPECT_EQ(top(), settings);
    answerAlert(0);

    // Asked again, the save goes through and the screen leaves after it.
    settings->navigationItem()->leftBarButtonItem()->trigger();
    processEvents();
    ASSERT_TRUE(answerAlert(QStringLiteral("保存")));
    ASSERT_TRUE(waitFor([&] { return top() != settings; }));
    EXPECT_EQ(demoService()->requestsTo("user/subscribe.aspx").size(), 2u);
}

}  // namespace
