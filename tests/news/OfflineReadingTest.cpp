// Reading without the network: screens opened before open again from their
// kept copies once the demo service is gone, marked "离线", and the local
// search finds them and opens them.
#include "comments/CommentTableView.h"
#include "core/DBConnection.h"
#include "core/ServiceSettings.h"
#include "framework/Navigator.h"
#include "framework/OfflineTitle.h"
#include "framework/QXViewController.h"
#include "news/LocalSearch.h"
#include "news/LocalSearchCell.h"
#include "news/NewsSearch.h"
#include "platform/ui/lists/TableView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/Label.h"
#include "service/DemoService.h"
#include "tests/news/NewsUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

constexpr const char* kNotCurrent = "网络不可用，显示的内容不是最新的";

class OfflineReadingTest : public tovera::testing::NewsUiTest {
protected:
    // The service goes away: stopped, and the app pointed at a port nothing
    // listens on, so a port the system hands to another test's service in
    // the meantime is never reached.
    void stopService() {
        demoService()->stop();
        serviceSettings().serviceHost = "http://127.0.0.1:1";
    }
    void SetUp() override {
        NewsUiTest::SetUp();
        // The store opens again in this test's home, not one an earlier test
        // left open.
        DBConnection::closeDatabase();
        // The store's clock: a fetch of a project is not repeated within 50
        // seconds, so every reopening below comes later than that.
        DBConnection::setClock([this] { return now_; });
        startDemoService();
        showRoot(new ViewController);
    }
    void TearDown() override {
        DBConnection::setClock({});
        DBConnection::closeDatabase();
        NewsUiTest::TearDown();
    }

    // Opens `route` and waits until `text` is drawn on the screen.
    ViewController* openShowing(const Route& route, const QString& text) {
        now_ += 100;
        ViewController* screen = Navigator::open(top(), route);
        EXPECT_TRUE(waitFor([&] {
            return screen->isViewLoaded() && findByText(screen->view(), text, false);
        })) << text.toStdString();
        return screen;
    }
    void back() {
        nav()->popToRootViewControllerAnimated(false);
        processEvents();
    }
    // Whether a reply of the operation `path` is kept (the parts of a
    // screen that arrive after what the test waits for).
    static bool keptFrom(const std::string& path) {
        Statement count =
            DBConnection::statementWithQuery("SELECT count(*) FROM kept WHERE key LIKE ?");
        count.bindString(path + "%", 1);
        return count.step() == 100 && count.getInt32(0) > 0;
    }
    static QString offlineMark(ViewController* screen) {
        auto* title = qobject_cast<OfflineTitle*>(screen->navigationItem()->titleView());
        return title ? title->mark() : QString();
    }
    LocalSearch* searchFor(const QString& text) {
        auto* search =
            qobject_cast<LocalSearch*>(Navigator::open(top(), {Destination::LocalSearch}));
        EXPECT_TRUE(
            waitFor([&] { return search->isViewLoaded() && search->searchBar()->isVisible(); }));
        type(search->searchBar(), text);
        pressKey(Qt::Key_Return);
        processEvents();
        return search;
    }

    double now_ = 600000000.0;
};

const Route kArticle = Route::toObject(Destination::Article, "50001");
const Route kProject = Route::toObject(Destination::Project, "1001");
const Route kQuestion = Route::toObject(Destination::Question, "60002");

TEST_F(OfflineReadingTest, OpenedScreensReopenFromHistoryAndSearchWithTheServiceDown) {
    for (const auto& [route, text] : {std::pair{kArticle, QStringLiteral("香樟御园")},
                                      std::pair{kProject, QStringLiteral("翠湖名邸")},
                                      std::pair{kQuestion, QStringLiteral("贷款利率")}}) {
        ViewController* screen = openShowing(route, text);
        EXPECT_TRUE(offlineMark(screen).isEmpty());
        back();
    }
    for (const char* part : {"house/sell_list.aspx", "system/reply_list.aspx"}) {
        EXPECT_TRUE(waitFor([part] { return keptFrom(part); })) << part;
    }
    stopService();

    // From history: the same screens, from their kept copies.
    openShowing(kArticle, QStringLiteral("香樟御园"));
    back();
    for (const auto& [route, text] : {std::pair{kProject, QStringLiteral("翠湖名邸")},
                                      std::pair{kQuestion, QStringLiteral("贷款利率")}}) {
        ViewController* screen = openShowing(route, text);
        EXPECT_TRUE(offlineMark(screen).startsWith(QStringLiteral("离线 "))) << text.toStdString();
        EXPECT_EQ(currentToast(), kNotCurrent);
        const auto alert = currentAlert();
        EXPECT_FALSE(alert) << "no failure alert over a kept copy: "
                            << (alert ? alert->message.toStdString() : std::string());
        back();
    }

    // From search: a two-character word inside the question's title.
    LocalSearch* search = searchFor(QStringLiteral("利率"));
    ASSERT_EQ(search->numberOfSectionsInTableView(search->tableView()), 1);
    EXPECT_TRUE(findByText(search->view(), QStringLiteral("咨询 (1)")));
    auto* row = findByClass<LocalSearchCell>(search->tableView());
    ASSERT_TRUE(row);
    EXPECT_EQ(row->title(), QStringLiteral("首套房贷款利率现在是多少？"));
    EXPECT_TRUE(row->marked().contains(QStringLiteral("利率")));
    ASSERT_TRUE(tap(row));
    ASSERT_TRUE(waitFor([&] { return top() != search && top()->isViewLoaded(); }));
    ViewController* question = top();
    EXPECT_TRUE(
        waitFor([&] { return findByText(question->view(), QStringLiteral("贷款利率"), false); }));
    EXPECT_TRUE(offlineMark(question).startsWith(QStringLiteral("离线")));
    back();

    // The project and the article by words of their texts.
    search = searchFor(QStringLiteral("翠湖名邸"));
    EXPECT_TRUE(findByText(search->view(), QStringLiteral("楼盘 (1)")));
    // The project's snippet reads as its text: no markup, no bare field
    // values (its id, telephone, price) beside the marked name.
    row = findByClass<LocalSearchCell>(search->tableView());
    ASSERT_TRUE(row);
    const QString snippet = row->snippet();
    EXPECT_TRUE(snippet.contains(QStringLiteral("翠湖名邸"))) << snippet.toStdString();
    for (const QString& raw : {QStringLiteral("<"), QStringLiteral("1001"),
                               QStringLiteral("0551-65553743"), QStringLiteral("15200")})
        EXPECT_FALSE(snippet.contains(raw)) << snippet.toStdString();
    EXPECT_TRUE(row->marked().contains(QStringLiteral("翠湖名邸")));
    ASSERT_TRUE(tap(row));
    ASSERT_TRUE(waitFor([&] { return top() != search && offlineMark(top()).startsWith("离线"); }));
    back();
    search = searchFor(QStringLiteral("香樟御园"));
    EXPECT_TRUE(findByText(search->view(), QStringLiteral("资讯 (1)")));
}

// An article's comments are asked for once its body has loaded, which can
// come after the user went back; until its deferred delete the article still
// hears of that request. Its failure belongs to a screen no longer shown and
// must not raise an alert over the one shown now.
TEST_F(OfflineReadingTest, AFailureReportedToAScreenAlreadyLeftRaisesNoAlert) {
    openShowing(kArticle, QStringLiteral("香樟御园"));
    ASSERT_TRUE(waitFor([] { return keptFrom("system/comment_list.aspx"); }));
    stopService();
    Error unreachable;
    unreachable.domain = "net";
    unreachable.code = 7;
    unreachable.description = "Couldn't connect to server";

    // While the article is shown, the failure is reported.
    QPointer<ViewController> article = top();
    auto* comments = findByClass<CommentTableView>(article->view());
    ASSERT_TRUE(comments);
    comments->requestDidFailWithError(nullptr, unreachable);
    ASSERT_TRUE(currentAlert());
    ASSERT_TRUE(answerAlert(0));
    ASSERT_TRUE(waitFor([] { return !currentAlert(); }));

    // Gone back from, but not yet deleted: silence, for the screen and for
    // the views inside it.
    nav()->popViewControllerAnimated(false);
    ASSERT_TRUE(article);
    comments->requestDidFailWithError(nullptr, unreachable);
    static_cast<QXViewController*>(article.data())->requestDidFailWithError(nullptr, unreachable);
    EXPECT_FALSE(currentAlert());
}

TEST_F(OfflineReadingTest, AListShowsItsLastPageWithTheServiceDown) {
    auto* online = open(new NewsSearch);
    ASSERT_TRUE(waitFor([&] { return !online->items().empty(); }));
    const std::size_t shown = online->items().size();
    back();
    stopService();
    now_ += 100;

    auto* offline = open(new NewsSearch);
    ASSERT_TRUE(waitFor([&] { return !offline->items().empty(); }));
    EXPECT_EQ(offline->items().size(), shown);
    EXPECT_EQ(currentToast(), kNotCurrent);
    EXPECT_FALSE(currentAlert());
}

TEST_F(OfflineReadingTest, SearchOfNothingKeptOrHostileTextShowsNoneAndNoError) {
    LocalSearch* search = searchFor(QStringLiteral("\"AND\" OR NEAR(*"));
    EXPECT_EQ(search->numberOfSectionsInTableView(search->tableView()), 0);
    EXPECT_TRUE(findByText(search->view(), QStringLiteral("暂无")));
    EXPECT_FALSE(currentAlert());
}

}  // namespace
