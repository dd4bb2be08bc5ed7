#include <QRegularExpression>
#include <QString>

#include "core/DBConnection.h"
#include "core/Statement.h"
#include "framework/ActivityView.h"
#include "platform/Preferences.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/ActivityIndicatorView.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Label.h"
#include "tests/framework/FrameworkUiTest.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/framework/TestListScreen.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using tovera::testing::ScriptedServer;
using tovera::testing::TestListScreen;

namespace {

class ListScreen : public tovera::testing::FrameworkUiTest {
protected:
    void SetUp() override {
        FrameworkUiTest::SetUp();
        useService(server_.base());
    }

    // A list screen shown as the root, loading its first page.
    TestListScreen* open(TestListScreen::Issue issue = {}) {
        auto* screen = new TestListScreen(session(), std::move(issue));
        showRoot(screen);
        return screen;
    }
    // Waits for the n-th reply or failure of `screen`.
    bool settled(TestListScreen* screen, int replies) {
        return waitFor([&] {
            return screen->didLoadCount + screen->failureCount >= replies || currentAlert();
        });
    }
    // Taps the footer button after scrolling it into view.
    void tapLoadMore(TestListScreen* screen) {
        TableView* table = screen->table();
        table->setContentOffset(table->maximumOffset());
        processEvents();
        ASSERT_TRUE(tap(table->tableFooterView()));
    }

    ScriptedServer server_;
};

TEST_F(ListScreen, RepliesReachTheScreenUnlessRefused) {
    const struct {
        const char* body;
        bool reaches;
        const char* msg;
    } cases[] = {
        {R"({"error_code":200,"code":1,"msg":"x"})", false, "x"},
        {R"({"error_code":200,"code":"2","msg":"不行"})", false, "不行"},
        {R"({"error_code":200,"code":0,"result":[]})", true, ""},
        {R"({"error_code":200,"result":[]})", true, ""},
        {R"({"error_code":200,"code":-1,"result":[]})", true, ""},
    };
    for (const auto& c : cases) {
        server_.reply(c.body);
        TestListScreen* screen = open();
        ASSERT_TRUE(settled(screen, 1)) << c.body;
        EXPECT_EQ(screen->didLoadCount, c.reaches ? 1 : 0) << c.body;
        const auto alert = currentAlert();
        EXPECT_EQ(alert.has_value(), !c.reaches) << c.body;
        if (alert) {
            EXPECT_EQ(alert->title, QStringLiteral("提示"));
            EXPECT_EQ(alert->message, QString::fromUtf8(c.msg));
            EXPECT_EQ(alert->buttons, QStringList{QStringLiteral("确定")});
            answerAlert(0);
        }
        EXPECT_FALSE(ActivityView::shared()->isShowing()) << c.body;
    }
}

TEST_F(ListScreen, CategoryRepliesAreKeptBeforeTheScreenSeesThem) {
    server_.reply(R"({"error_code":200,"result":[{"cid":"3","catname":"楼市","subscribed":"1"},)"
                  R"({"cid":"5","catname":"家居","subscribed":"0"}]})");
    int keptWhenSeen = -1;
    auto* screen = new TestListScreen(
        session(),
        [](DSTovera& s, Dict& params, QXRequestDelegate* d) { s.getNewsSort(params, d); });
    screen->onDidLoad = [&](const Value&) {
        Statement count = DBConnection::statementWithQuery("SELECT count(*) FROM `newssort`");
        keptWhenSeen = count.step() == 100 ? count.getInt32(0) : -2;
    };
    showRoot(screen);
    ASSERT_TRUE(settled(screen, 1));
    EXPECT_EQ(keptWhenSeen, 2);
}

TEST_F(ListScreen, FailuresShowWhatTheyCallFor) {
    const struct {
        const char* name;
        std::string body;  // empty: no request at all
        TestListScreen::Issue issue;
        QString message;  // empty: no alert
    } cases[] = {
        {"unreadable reply", "not json", {}, QStringLiteral("出错了")},
        {"service error",
         R"({"error_code":500,"msg":"内部错误"})",
         {},
         QStringLiteral("加载失败，请重试!")},
        {"unread-count poll", R"({"error_code":500,"msg":"内部错误"})",
         [](DSTovera& s, Dict& params, QXRequestDelegate* d) {
             params.set("api", "newmsg");
             s.userNewmsg(params, d);
         },
         QString()},
        {"signed-out upload", "",
         [](DSTovera& s, Dict& params, QXRequestDelegate* d) { s.userMessagePost(params, d); },
         QStringLiteral("您还没有登录，请登录!")},
    };
    for (const auto& c : cases) {
        server_.reply(c.body);
        const std::size_t before = server_.received().size();
        TestListScreen* screen = open(c.issue);
        ASSERT_TRUE(settled(screen, 1)) << c.name;
        EXPECT_EQ(screen->failureCount, 1) << c.name;
        EXPECT_EQ(server_.received().size(), before + (c.body.empty() ? 0 : 1)) << c.name;
        const auto alert = currentAlert();
        ASSERT_EQ(alert.has_value(), !c.message.isEmpty()) << c.name;
        if (alert) {
            EXPECT_EQ(alert->title, QStringLiteral("提示")) << c.name;
            EXPECT_EQ(alert->message, c.message) << c.name;
            answerAlert(int(alert->buttons.size()) - 1);
        }
    }
}

TEST_F(ListScreen, TheFailureAlertPopsOnlyTheScreenWhoseRequestFailed) {
    server_.reply(R"({"error_code":500,"msg":"内部错误"})");
    showRoot(new ViewController);
    auto* failing = new TestListScreen(session());
    nav()->pushViewController(failing, false);
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    answerAlert(0);
    processEvents();
    EXPECT_EQ(nav()->viewControllers().size(), 1) << "the failed screen was on top: it goes";

    server_.holdPage("1");
    auto* left = new TestListScreen(session());
    nav()->pushViewController(left, false);
    ASSERT_TRUE(waitFor([&] { return server_.received().size() == 2; }));
    auto* above = new ViewController;
    nav()->pushViewController(above, false);
    server_.release();
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    answerAlert(0);
    processEvents();
    EXPECT_EQ(nav()->topViewController(), above) << "another screen is on top: it stays";
}

TEST_F(ListScreen, PagesShowLoadMoreUntilTheTotalIsReached) {
    for (int total : {25, 26}) {
        server_.list(total, 25);
        TestListScreen* screen = open();
        ASSERT_TRUE(settled(screen, 1));
        for (int page = 2; page <= 3; ++page) {
            auto* more = qobject_cast<Button*>(screen->table()->tableFooterView());
            ASSERT_TRUE(more) << total;
            EXPECT_EQ(more->currentTitle(), QStringLiteral("加载更多"));
            // The page waits at the server until the footer has been read.
            server_.holdPage(std::to_string(page));
            tapLoadMore(screen);
            EXPECT_EQ(more->currentTitle(), QStringLiteral("加载中..."));
            server_.release();
            ASSERT_TRUE(settled(screen, page));
        }
        EXPECT_EQ(screen->items().size(), 25u);
        EXPECT_EQ(screen->param().page(), "3");
        View* footer = screen->table()->tableFooterView();
        if (total == 25) {
            EXPECT_EQ(footer, nullptr);
        } else {
            auto* more = qobject_cast<Button*>(footer);
            ASSERT_TRUE(more);
            EXPECT_EQ(more->currentTitle(), QStringLiteral("加载更多"));
        }
        EXPECT_EQ(screen->table()->numberOfRowsInSection(0), 25);
    }
    EXPECT_EQ(server_.pages(), (std::vector<std::string>{"1", "2", "3", "1", "2", "3"}));
}

TEST_F(ListScreen, AnEmptyFirstPageShowsNone) {
    server_.list(0);
    TestListScreen* screen = open();
    ASSERT_TRUE(settled(screen, 1));
    auto* none = qobject_cast<Label*>(screen->table()->tableFooterView());
    ASSERT_TRUE(none);
    EXPECT_EQ(none->text(), QStringLiteral("暂无"));
    EXPECT_EQ(none->frame().size(), QSizeF(320, 44));
}

TEST_F(ListScreen, AFailedLoadMoreAsksForTheSamePageAgain) {
    server_.list(30);
    TestListScreen* screen = open();
    ASSERT_TRUE(settled(screen, 1));
    server_.reply(R"({"error_code":500,"msg":"内部错误"})");
    tapLoadMore(screen);
    ASSERT_TRUE(settled(screen, 2));
    answerAlert(0);
    EXPECT_EQ(screen->param().page(), "1");
    auto* more = qobject_cast<Button*>(screen->table()->tableFooterView());
    ASSERT_TRUE(more);
    EXPECT_EQ(more->currentTitle(), QStringLiteral("加载更多"));

    server_.list(30);
    tapLoadMore(screen);
    ASSERT_TRUE(settled(screen, 3));
    EXPECT_EQ(screen->items().size(), 20u);
    EXPECT_EQ(server_.pages(), (std::vector<std::string>{"1", "2", "2"}));
}

TEST_F(ListScreen, AReplyToAPageThatARefreshReplacedIsDropped) {
    server_.list(30);
    TestListScreen* screen = open();
    ASSERT_TRUE(settled(screen, 1));
    server_.holdPage("2");
    tapLoadMore(screen);
    ASSERT_TRUE(waitFor([&] { return server_.received().size() == 2; }));
    screen->reloadData();
    ASSERT_TRUE(settled(screen, 2));
    server_.release();
    ASSERT_TRUE(waitFor([&] { return logged("dropped the reply to a replaced page request"); }));
    processEvents();
    EXPECT_EQ(screen->didLoadCount, 2);
    EXPECT_EQ(screen->items().size(), 10u);
    EXPECT_EQ(screen->items()[0]["id"], Value("0"));
    EXPECT_EQ(screen->param().page(), "1");
}

TEST_F(ListScreen, PullingPastTheThresholdRefreshes) {
    server_.list(30);
    const struct {
        double pull;
        bool refreshes;
    } cases[] = {{64, false}, {66, true}};
    for (const auto& c : cases) {
        TestListScreen* screen = open();
        ASSERT_TRUE(settled(screen, 1));
        RefreshTableHeaderView* header = screen->refreshHeaderView();
        ASSERT_TRUE(header);
        EXPECT_EQ(header->state(), RefreshState::Normal);
        EXPECT_EQ(header->statusLabel()->text(), QStringLiteral("下拉刷新"));
        const std::size_t before = server_.received().size();
        server_.holdPage("1");

        DragOptions held;
        held.keepPressed = true;
        ASSERT_TRUE(drag(screen->table(), QPointF(160, 100), QPointF(0, c.pull), held));
        EXPECT_EQ(header->state(), c.refreshes ? RefreshState::Pulling : RefreshState::Normal);
        if (c.refreshes) {
            EXPECT_EQ(header->statusLabel()->text(), QStringLiteral("松开刷新"));
            EXPECT_EQ(header->arrowRotation(), 180);
        }
        release();
        processEvents();
        if (!c.refreshes) {
            EXPECT_EQ(header->state(), RefreshState::Normal) << c.pull;
            EXPECT_EQ(screen->table()->contentOffset().y(), 0);
            EXPECT_EQ(server_.received().size(), before);
            server_.release();
            continue;
        }
        EXPECT_EQ(header->state(), RefreshState::Loading);
        EXPECT_EQ(header->statusLabel()->text(), QStringLiteral("加载中..."));
        EXPECT_TRUE(header->activityView()->isAnimating());
        EXPECT_FALSE(header->arrowShown());
        EXPECT_TRUE(screen->reloading());
        EXPECT_EQ(screen->table()->contentInset().top, 60);
        EXPECT_EQ(screen->table()->contentOffset().y(), -60);
        server_.release();
        ASSERT_TRUE(settled(screen, 2));
        EXPECT_EQ(header->state(), RefreshState::Normal);
        EXPECT_FALSE(screen->reloading());
        EXPECT_EQ(screen->table()->contentInset().top, 0);
        EXPECT_EQ(screen->table()->contentOffset().y(), 0);
        // The Chinese date form, not the machine locale's ("8 Dec 2026").
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("^上次刷新时间: \\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}$"))
                .match(header->lastUpdatedLabel()->text())
                .hasMatch())
            << header->lastUpdatedLabel()->text().toStdString();
        EXPECT_EQ(platform::preferences().string("RefreshTableView_LastRefresh"),
                  header->lastUpdatedLabel()->text().toStdString());
        EXPECT_EQ(screen->items().size(), 10u) << "the refresh replaced the list";
    }
}

TEST_F(ListScreen, AFailedRefreshLetsTheHeaderGo) {
    server_.list(30);
    TestListScreen* screen = open();
    ASSERT_TRUE(settled(screen, 1));
    server_.reply(R"({"error_code":500,"msg":"内部错误"})");
    ASSERT_TRUE(drag(screen->table(), QPointF(160, 100), QPointF(0, 80)));
    ASSERT_TRUE(settled(screen, 2));
    answerAlert(0);
    EXPECT_EQ(screen->refreshHeaderView()->state(), RefreshState::Normal);
    EXPECT_FALSE(screen->reloading());
    EXPECT_EQ(screen->table()->contentInset().top, 0);
}

// Rows read up to page 2, then a refresh that fails (transport error) or is
// refused (a positive "code"): the rows stay, and the next "加载更多" asks
// for page 3 and appends it to them.
TEST_F(ListScreen, AfterAFailedOrRefusedRefreshLoadMoreAppendsToTheRowsShown) {
    for (const char* failure :
         {R"({"error_code":500,"msg":"内部错误"})", R"({"code":1,"msg":"稍后再试"})"}) {
        server_.list(40);
        TestListScreen* screen = open();
        ASSERT_TRUE(settled(screen, 1));
        tapLoadMore(screen);
        ASSERT_TRUE(settled(screen, 2));
        ASSERT_EQ(screen->items().size(), 20u);

        server_.reply(failure);
        screen->reloadData();
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); })) << failure;
        answerAlert(0);
        EXPECT_EQ(screen->items().size(), 20u) << failure;
        EXPECT_EQ(screen->param().page(), "2") << failure;

        server_.list(40);
        tapLoadMore(screen);
        ASSERT_TRUE(waitFor([&] { return screen->items().size() == 30u; })) << failure;
        EXPECT_EQ(screen->items()[0]["id"], Value("0")) << failure;
        EXPECT_EQ(screen->items()[29]["id"], Value("29")) << failure;
    }
}

TEST_F(ListScreen, LeavingAScreenStillLoadingTakesItsOverlayAlong) {
    // The screen beneath has a button; the overlay of a screen left while
    // loading must not cover it until the overlay's ten seconds run out.
    auto* beneath = new ViewController;
    showRoot(beneath);
    auto* button = new Button(QRectF(100, 200, 120, 44));
    beneath->view()->addSubview(button);
    int taps = 0;
    QObject::connect(button, &Control::touchUpInside, [&taps] { ++taps; });

    server_.holdPage("1");
    nav()->pushViewController(new TestListScreen(session()), false);
    ASSERT_TRUE(waitFor([&] { return server_.received().size() == 1; }));
    ActivityView* overlay = ActivityView::shared();
    ASSERT_TRUE(overlay && overlay->isShowing());
    nav()->popViewControllerAnimated(false);
    processEvents();
    EXPECT_FALSE(overlay->isShowing());
    ASSERT_TRUE(tap(button));
    EXPECT_EQ(taps, 1) << "the click reached the screen beneath";
    server_.release();
    processEvents();
}

TEST_F(ListScreen, TheOverlayHidesItselfAfterTenSeconds) {
    server_.holdPage("1");
    server_.list(30);
    TestListScreen* screen = open();
    ActivityView* overlay = ActivityView::shared();
    ASSERT_TRUE(overlay);
    EXPECT_TRUE(overlay->isShowing());
    EXPECT_EQ(overlay->frame(), QRectF(0, 64, 320, 416));
    EXPECT_EQ(overlay->activityView()->frame(), QRectF(120, 100, 80, 80));
    EXPECT_EQ(overlay, ActivityView::shared()) << "one overlay per window";
    // Real time passes too while the test runs: a little room either side.
    fastForward(std::chrono::milliseconds(9500));
    EXPECT_TRUE(overlay->isShowing());
    fastForward(std::chrono::milliseconds(600));
    EXPECT_FALSE(overlay->isShowing());
    EXPECT_FALSE(overlay->activityView()->isAnimating());
    server_.release();
    ASSERT_TRUE(settled(screen, 1));

    // A later show counts its ten seconds from itself: the timer of the
    // earlier show does not hide it.
    overlay->show();
    fastForward(std::chrono::milliseconds(6000));
    overlay->disMiss();
    overlay->show();
    fastForward(std::chrono::milliseconds(5000));
    EXPECT_TRUE(overlay->isShowing());
    fastForward(std::chrono::milliseconds(5500));
    EXPECT_FALSE(overlay->isShowing());
}

}  // namespace
