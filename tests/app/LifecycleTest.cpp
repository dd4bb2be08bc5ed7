// The application object on the offscreen platform against the demo
// service: launch with the splash over the root screen, the splash's
// picture, leaving and coming back, memory warnings.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/SplashViewController.h"
#include "app/toveraAppDelegate.h"
#include "core/DBConnection.h"
#include "core/DSTovera.h"
#include "core/UncaughtExceptionHandler.h"
#include "news/NewsInfo.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Stage.h"
#include "platform/ui/navigation/StatusBar.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/testing/Snapshot.h"
#include "platform/ui/testing/Wait.h"
#include "platform/ui/views/ImageView.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/web/WebView.h"
#include "property/Tovera.h"
#include "tests/app/ServiceHome.h"

using namespace tovera;
using namespace tovera::app;
using platform::ui::Application;
using platform::ui::Image;
using platform::ui::ViewController;
using platform::ui::testing::processEvents;
using platform::ui::testing::waitFor;
using tovera::testing::fileBytes;
using tovera::testing::ServiceHome;

namespace {

class Lifecycle : public ::testing::Test {
protected:
    void TearDown() override {
        app_.reset();
        DBConnection::closeDatabase();
        processEvents();
    }

    void launch() {
        app_ = std::make_unique<toveraAppDelegate>();
        ASSERT_TRUE(app_->didFinishLaunching());
    }

    SplashViewController* splash() const { return app_->splash(); }
    bool splashShown() const { return !splash()->view()->isHidden(); }

    // Waits until every refresh ended and the splash faded (activation
    // events may start one more refresh after the first has ended).
    void settle() {
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(waitFor([this] { return !splash()->isRefreshing() && !splashShown(); }));
            processEvents();
        }
    }

    std::size_t splashQuestions() {
        return home_.service().requestsTo("/api/phone/system/splash.aspx").size();
    }

    // A downloaded picture kept from an earlier run.
    void keepPicture(const std::string& name) {
        std::filesystem::create_directories(home_.path() / "Documents");
        std::filesystem::copy_file(std::filesystem::path(service::defaultDemoDir()) / "pic" / name,
                                   home_.document(name));
        platform::preferences().setString("splash", name);
    }

    QImage shownPicture() const { return splash()->splashImageView()->image().toImage(); }

    ServiceHome home_;
    std::unique_ptr<toveraAppDelegate> app_;
};

int articleCount(const std::filesystem::path& database) {
    sqlite3* db = nullptr;
    int count = -1;
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*) FROM newsdetail", -1, &statement, nullptr);
        if (statement && sqlite3_step(statement) == SQLITE_ROW)
            count = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return count;
}

}  // namespace

TEST_F(Lifecycle, LaunchShowsTheSplashOverTheRootThenFades) {
    launch();
    EXPECT_TRUE(splashShown());
    EXPECT_FALSE(shownPicture().isNull()) << "the shipped splash.png";
    EXPECT_FALSE(app_->window()->statusBar()->isHidden());
    settle();
    auto* navigation = app_->navigationController();
    ASSERT_EQ(navigation->viewControllers().size(), 1);
    EXPECT_TRUE(qobject_cast<Tovera*>(navigation->topViewController()));
    EXPECT_EQ(navigation->topViewController()->title(), QStringLiteral("安家房产网"));
    // A first start has no city yet: its choice is open over the home screen.
    EXPECT_TRUE(waitFor([navigation] { return navigation->modalViewController() != nullptr; }));
    EXPECT_GE(splashQuestions(), 1u);
    EXPECT_EQ(platform::preferences().string("splash"), "splash_v1.png");
}

TEST_F(Lifecycle, TheLaunchedAppShowsThePictureOfAnArticleBody) {
    platform::preferences().setString("cityid", "3401");
    platform::preferences().setString("city", "合肥");
    launch();
    settle();
    auto* article = new NewsInfo;
    article->param().setRid("50001");  // a paragraph, a chart, three paragraphs
    app_->navigationController()->pushViewController(article, false);
    ASSERT_TRUE(waitFor(
        [article] {
            return !article->titleLable()->text().isEmpty() && !article->contentText()->isLoading();
        },
        std::chrono::seconds(30)));
    processEvents();
    const QImage body = platform::ui::testing::renderAsShown(article->contentText());
    const QRect chart =
        platform::ui::testing::boundsWhere(body, platform::ui::testing::isColourful);
    EXPECT_GE(chart.height() / body.devicePixelRatio(), 100) << "the chart's bars are drawn";
    EXPECT_LE(chart.width() / body.devicePixelRatio(), 304);
}

TEST_F(Lifecycle, KeptPictureIsShownAndNotDownloadedAgain) {
    keepPicture("splash_v1.png");
    launch();
    EXPECT_EQ(shownPicture(),
              Image::fromFile(QString::fromStdString(home_.document("splash_v1.png"))).toImage());
    settle();
    EXPECT_GE(splashQuestions(), 1u);
    EXPECT_TRUE(home_.service().requestsTo("/pic/splash_v1.png").empty());
}

TEST_F(Lifecycle, HostileSplashNameIsRefusedAndTheOldPictureStays) {
    keepPicture("splash_v1.png");
    const std::string kept = fileBytes(home_.document("splash_v1.png"));
    home_.service().setSplashPicture("tovera.sqlite");
    launch();
    settle();
    EXPECT_EQ(platform::preferences().string("splash"), "splash_v1.png");
    EXPECT_EQ(fileBytes(home_.document("splash_v1.png")), kept);
    EXPECT_TRUE(home_.service().requestsTo("/pic/tovera.sqlite").empty());
    splash()->showWithAnimation();
    EXPECT_EQ(shownPicture(),
              Image::fromFile(QString::fromStdString(home_.document("splash_v1.png"))).toImage());
    settle();
}

TEST_F(Lifecycle, LeavingWritesPreferencesClosesTheDatabaseTrimsAndCoversTheScreen) {
    launch();
    settle();
    for (int i = 0; i < 101; ++i)
        std::ofstream(home_.document("cached" + std::to_string(i) + ".jpg")) << i;
    platform::preferences().setString("cityid", "3401");
    sqlite3_exec(DBConnection::getSharedDatabase(), "BEGIN", nullptr, nullptr, nullptr);
    for (int id = 1; id <= 101; ++id)
        ASSERT_TRUE(DSTovera::newsDetailCaches(Dict{{"id", id}, {"title", "标题"}}));
    sqlite3_exec(DBConnection::getSharedDatabase(), "COMMIT", nullptr, nullptr, nullptr);

    emit Application::instance()->willResignActive();

    platform::Preferences written((home_.path() / "Library/Preferences/tovera.prefs").string());
    EXPECT_EQ(written.string("cityid"), "3401");
    // Closing prunes the kept articles to the newest 100.
    EXPECT_EQ(articleCount(home_.document("tovera.sqlite")), 100);
    // The cache was trimmed; the database and the splash picture stay.
    int cached = 0;
    for (int i = 0; i < 101; ++i)
        cached += std::filesystem::exists(home_.document("cached" + std::to_string(i) + ".jpg"));
    EXPECT_LE(cached, 1);
    EXPECT_TRUE(std::filesystem::exists(home_.document("splash_v1.png")));
    EXPECT_TRUE(splashShown());
}

TEST_F(Lifecycle, TheWindowSitsInAResizableFrameWhoseScaleIsKeptOnLeaving) {
    launch();
    settle();
    platform::ui::Stage* stage = app_->stage();
    ASSERT_TRUE(stage);
    EXPECT_EQ(app_->window()->parentWidget(), stage);
    EXPECT_TRUE(stage->isWindow());
    EXPECT_GT(stage->maximumWidth(), stage->width());
    const double start = stage->scale();
    stage->zoomIn();
    const double zoomed = stage->scale();
    ASSERT_GT(zoomed, start);

    emit Application::instance()->willResignActive();
    platform::Preferences written((home_.path() / "Library/Preferences/tovera.prefs").string());
    EXPECT_EQ(written.string("scale"), QString::number(zoomed).toStdString());
    stage->setScale(start);
}

TEST_F(Lifecycle, ComingBackShowsTheSplashAndAsksAgain) {
    launch();
    settle();
    const std::size_t asked = splashQuestions();
    emit Application::instance()->didBecomeActive();
    EXPECT_TRUE(splashShown());
    settle();
    EXPECT_GT(splashQuestions(), asked);
}

TEST_F(Lifecycle, MemoryWarningPopsToTheRoot) {
    launch();
    settle();
    auto* navigation = app_->navigationController();
    navigation->pushViewController(new ViewController, false);
    navigation->pushViewController(new ViewController, false);
    ASSERT_EQ(navigation->viewControllers().size(), 3);
    Application::postMemoryWarning();
    EXPECT_TRUE(waitFor([navigation] { return navigation->viewControllers().size() == 1; }));
    EXPECT_TRUE(qobject_cast<Tovera*>(navigation->topViewController()));
}

namespace {
[[noreturn]] void earlierTerminateHandler() {
    std::abort();
}
}  // namespace

TEST_F(Lifecycle, TerminatingPutsBackTheEarlierHandlerAndSavesPreferences) {
    std::terminate_handler before = std::set_terminate(earlierTerminateHandler);
    launch();
    EXPECT_EQ(std::get_terminate(), &UncaughtExceptionHandler);
    settle();
    platform::preferences().setString("city", "合肥");
    emit Application::instance()->willTerminate();
    EXPECT_EQ(std::get_terminate(), &earlierTerminateHandler);
    platform::Preferences written((home_.path() / "Library/Preferences/tovera.prefs").string());
    EXPECT_EQ(written.string("city"), "合肥");
    std::set_terminate(before);
}
