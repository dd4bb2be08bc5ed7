// The four menu pages of the home screen: what each lists, the account
// entry that follows the session (with logout), the recommendation rule,
// the badges, and that every entry opens something.
#include <QString>

#include "framework/ActivityView.h"
#include "framework/ButtonItem.h"
#include "framework/GridView.h"
#include "framework/NoticeView.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/overlays/ModalOverlay.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "property/MenuIcons.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/property/HomeScreenTest.h"

using namespace tovera;
using namespace tovera::platform::ui::testing;
using tovera::platform::ui::ModalOverlay;
using tovera::testing::ScriptedServer;

namespace {

class MenuPages : public tovera::testing::HomeScreenTest {
protected:
    // Back to the home screen after an entry opened something.
    // The loading overlay of the screen left stays until its reply comes
    // and takes the taps meanwhile.
    void backHome() {
        nav()->popToRootViewControllerAnimated(false);
        processEvents();
        EXPECT_TRUE(waitFor([] { return !ActivityView::shared()->isShowing(); }));
    }
    // A new page of tab `type` (choosing the selected tab again keeps the
    // page it shows).
    void freshPage(int type) {
        chooseTab(0);
        chooseTab(type);
    }
    NoticeView* badgeAt(int position) const {
        auto* item =
            qobject_cast<ButtonItem*>(home_->menu()->gridView()->getItemAtPosition(position));
        return item ? item->noticeView() : nullptr;
    }
};

TEST_F(MenuPages, PagesListTheirEntriesInOrder) {
    prepare(false);
    startDemoService();
    openHome();
    const std::vector<std::vector<const char*>> pages = {
        {"资讯", "销售信息", "新房", "二手房", "租房"},
        {"附近", "咨询", "活动", "网友评论", "购房工具", "好友", "话题", "直播"},
        {"网站推荐", "楼盘关注", "销售关注", "订阅资讯", "私信"},
        {"用户登录", "消息设置", "收藏夹", "修改密码", "个人资料", "置业信息", "邻里会",
         "系统设置"},
    };
    for (int type = 1; type <= 4; ++type) {
        chooseTab(type);
        ASSERT_TRUE(home_->menu());
        EXPECT_EQ(home_->menu()->type(), type);
        const auto& captions = pages[std::size_t(type - 1)];
        ASSERT_EQ(home_->menu()->gridView()->rowdata().size(), qsizetype(captions.size()));
        for (std::size_t i = 0; i < captions.size(); ++i)
            EXPECT_EQ(caption(int(i)), QString::fromUtf8(captions[i])) << type << "/" << i;
    }
    // Badges only on the four followed-content entries.
    chooseTab(3);
    for (int position : {0, 1, 3, 4})
        EXPECT_TRUE(badgeAt(position)) << position;
    EXPECT_FALSE(badgeAt(2));
    chooseTab(1);
    EXPECT_FALSE(badgeAt(0));
}

TEST_F(MenuPages, GridItemsAreSquaresOfThreeToARow) {
    prepare(false);
    startDemoService();
    openHome();
    chooseTab(2);
    GridView* grid = home_->menu()->gridView();
    EXPECT_EQ(grid->columNum(), 3);
    EXPECT_EQ(grid->bounds().width(), 320);
    const double side = 317.0 / 3;
    EXPECT_DOUBLE_EQ(grid->itemSide(), side);
    EXPECT_DOUBLE_EQ(grid->getItemAtPosition(4)->frame().x(), 1 + side + 1);
    EXPECT_DOUBLE_EQ(grid->getItemAtPosition(4)->frame().y(), 1 + side + 1);
    EXPECT_DOUBLE_EQ(grid->getItemAtPosition(4)->frame().width(), side);
}

TEST_F(MenuPages, AccountEntryFollowsSignInAndLogoutKeepsTheCity) {
    prepare(false);
    platform::Preferences& prefs = platform::preferences();
    prefs.setString("username", "demo");
    ASSERT_TRUE(DSTovera::setPassword("demo1234", "demo"));
    startDemoService();
    openHome();
    chooseTab(4);
    EXPECT_EQ(caption(0), QStringLiteral("用户登录"));

    // Automatic sign-in on: the next request signs in; the page shows it
    // once it is shown again with "update" set.
    prefs.setBool("autologin", true);
    home_->reloadData();
    ASSERT_TRUE(waitFor([&] { return home_->DStovera().isUserLoggedin(); }));
    prefs.setBool("update", true);
    nav()->pushViewController(new platform::ui::ViewController, false);
    nav()->popViewControllerAnimated(false);
    processEvents();
    EXPECT_EQ(caption(0), QStringLiteral("注销"));
    EXPECT_FALSE(prefs.contains("update"));
    EXPECT_TRUE(prefs.contains("password"));

    // A password change just asked for a re-login. Cancelling keeps the
    // user; confirming signs out, and the re-login is off too.
    home_->DStovera().setNeedRelogin(true);
    prefs.setBool("relogin", true);
    for (int answer : {1, 0}) {
        ASSERT_TRUE(tapEntry(0));
        const auto confirm = currentAlert();
        ASSERT_TRUE(confirm);
        EXPECT_EQ(confirm->title, QStringLiteral("提示"));
        EXPECT_EQ(confirm->message, QStringLiteral("您确定要退出登录吗?"));
        EXPECT_EQ(confirm->buttons, (QStringList{"确定", "取消"}));
        ASSERT_TRUE(answerAlert(answer));
        processEvents();
        EXPECT_EQ(home_->DStovera().isUserLoggedin(), answer == 1);
    }
    EXPECT_EQ(caption(0), QStringLiteral("用户登录"));
    EXPECT_EQ(home_->DStovera().cityId(), "3402");
    EXPECT_FALSE(prefs.boolean("autologin"));
    EXPECT_FALSE(prefs.contains("password"));
    EXPECT_FALSE(prefs.contains("relogin"));
    EXPECT_EQ(prefs.string("username"), "demo");
    EXPECT_EQ(DSTovera::getPassword("demo"), "demo1234");
    EXPECT_EQ(top(), home_);

    // The next request goes out without signing in again.
    home_->reloadData();
    EXPECT_FALSE(home_->DStovera().isUserLoggedin());
    chooseTab(4);
    EXPECT_EQ(caption(0), QStringLiteral("用户登录"));
}

TEST_F(MenuPages, RecommendationsWaitForAProfileCompleteEnough) {
    const struct {
        const char* completion;  // null: none stored
        bool prompt;
    } cases[] = {{"59", true}, {nullptr, true}, {"60", false}, {"100", false}};
    prepare(false);
    keepDemoAccount();
    startDemoService();
    openHome();
    ASSERT_TRUE(home_->DStovera().isUserLoggedin());
    for (const auto& c : cases) {
        if (c.completion)
            platform::preferences().setString("completion", c.completion);
        else
            platform::preferences().remove("completion");
        freshPage(3);
        ASSERT_TRUE(tapEntry(0));
        processEvents();
        EXPECT_NE(top(), home_);
        EXPECT_EQ(top()->title(), QStringLiteral("网站推荐"));
        const auto prompt = currentAlert();
        EXPECT_EQ(prompt.has_value(), c.prompt) << (c.completion ? c.completion : "none");
        if (prompt) {
            EXPECT_EQ(prompt->message, QStringLiteral("请完善置业信息"));
            EXPECT_EQ(prompt->buttons, (QStringList{"确定", "返回"}));
            EXPECT_EQ(prompt->tag, 1);
            ASSERT_TRUE(answerAlert(QStringLiteral("返回")));
            ASSERT_TRUE(waitFor([&] { return top() == home_; }));
        }
        backHome();
    }
}

TEST_F(MenuPages, BadgesSkipPositionTwoAndTheTotalSumsAllFour) {
    EXPECT_EQ(MenuIcons::badgeNumber("0,0,5,7", 0), 0);
    EXPECT_EQ(MenuIcons::badgeNumber("0,0,5,7", 3), 5);
    EXPECT_EQ(MenuIcons::badgeNumber("0,0,5,7", 4), 7);
    EXPECT_EQ(MenuIcons::badgeNumber("0,0,5,7", 5), 0);
    EXPECT_EQ(MenuIcons::badgeNumber("", 0), 0);

    ScriptedServer server;
    server.respond([](const httplib::Request& request, httplib::Response& response) {
        const std::string body = request.path.find("newmsg") != std::string::npos
                                     ? R"({"error_code":200,"number":"0,0,5,7"})"
                                     : tovera::testing::listPage(1, 3, 3);
        response.set_content(body, "application/json; charset=GB18030");
    });
    useService(server.base());
    prepare(true);
    openHome();
    ASSERT_TRUE(waitFor([&] { return home_->noticeView()->num() == 12; }));
    EXPECT_FALSE(home_->noticeView()->isHidden());

    // The page is built before the poll it starts is answered; the answer
    // brings the badges up to date.
    home_->DStovera().setNumber(Value("0,0,0,0"));
    chooseTab(3);
    ASSERT_TRUE(waitFor([&] { return badgeAt(4) && badgeAt(4)->num() == 7; }));
    EXPECT_EQ(badgeAt(0)->num(), 0);
    EXPECT_TRUE(badgeAt(0)->isHidden());
    EXPECT_EQ(badgeAt(1)->num(), 0);
    EXPECT_EQ(badgeAt(3)->num(), 5);
    EXPECT_EQ(home_->noticeView()->num(), 12);
}

TEST_F(MenuPages, EveryEntryOpensAScreen) {
    prepare(false);
    keepDemoAccount();
    platform::preferences().setString("completion", "80");
    startDemoService();
    openHome();
    ASSERT_TRUE(home_->DStovera().isUserLoggedin());
    const int counts[] = {5, 6, 5, 8};
    for (int type = 1; type <= 4; ++type) {
        for (int position = 0; position < counts[type - 1]; ++position) {
            freshPage(type);
            const QString name = caption(position);
            ASSERT_TRUE(tapEntry(position)) << type << "/" << position;
            processEvents();
            ASSERT_NE(name, QString()) << type << "/" << position;
            if (name == QStringLiteral("注销")) {
                ASSERT_TRUE(currentAlert());
                answerAlert(1);
                continue;
            }
            EXPECT_NE(top(), home_) << name.toStdString();
            EXPECT_FALSE(currentAlert()) << name.toStdString();
            EXPECT_TRUE(top()->view()->isVisible()) << name.toStdString();
            backHome();
        }
    }
}

TEST_F(MenuPages, AnEntryActsOnceForAClickAndOnceForTheKeyboard) {
    prepare(false);
    startDemoService();
    openHome();
    chooseTab(2);
    ASSERT_TRUE(tapEntry(5));  // "好友", which asks to sign in first
    processEvents();
    EXPECT_EQ(ModalOverlay::visibleOverlays().size(), 1);
    answerAlert(1);
    processEvents();
    ASSERT_TRUE(ModalOverlay::visibleOverlays().isEmpty());

    // Tab to the entry, then Enter: the same one prompt.
    QWidget* entry = home_->menu()->gridView()->getItemAtPosition(5);
    ASSERT_TRUE(entry);
    for (int step = 0; step < 40 && !entry->hasFocus(); ++step)
        pressKey(Qt::Key_Tab);
    ASSERT_TRUE(entry->hasFocus());
    pressKey(Qt::Key_Return);
    processEvents();
    EXPECT_EQ(ModalOverlay::visibleOverlays().size(), 1);
    const auto prompt = currentAlert();
    ASSERT_TRUE(prompt);
    EXPECT_EQ(prompt->message, QStringLiteral("您还没有登录，请登录!"));
    answerAlert(1);
}

TEST_F(MenuPages, SignedOutEntriesNeedingLoginPromptAndOpenNothing) {
    prepare(false);
    startDemoService();
    openHome();
    chooseTab(2);
    ASSERT_TRUE(tapEntry(5));  // "好友"
    const auto prompt = currentAlert();
    ASSERT_TRUE(prompt);
    EXPECT_EQ(prompt->message, QStringLiteral("您还没有登录，请登录!"));
    EXPECT_EQ(prompt->buttons, (QStringList{"登录", "取消"}));
    EXPECT_EQ(top(), home_);
    answerAlert(1);
    processEvents();
    EXPECT_EQ(top(), home_);

    chooseTab(3);
    ASSERT_TRUE(tapEntry(4));  // "私信"
    ASSERT_TRUE(answerAlert(QStringLiteral("登录")));
    ASSERT_TRUE(waitFor([&] { return top() != home_; }));
    EXPECT_EQ(top()->title(), QStringLiteral("用户登录"));
    ASSERT_TRUE(top()->navigationItem()->leftBarButtonItem());
    EXPECT_EQ(top()->navigationItem()->leftBarButtonItem()->title(), QStringLiteral("返回"));
}

}  // namespace
