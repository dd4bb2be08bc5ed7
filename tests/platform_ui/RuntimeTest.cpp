#include "platform/Dialer.h"
#include "platform/MainQueue.h"
#include "platform/Timers.h"
#include "platform/net/Http.h"
#include "platform/ui/navigation/StatusBar.h"
#include "platform/ui/runtime/Application.h"
#include "platform/ui/testing/UiTest.h"
#include "platform/ui/testing/Wait.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTest>
#include <QThread>

#include <csignal>
#include <thread>
#include <vector>

using namespace tovera::platform;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;
using namespace std::chrono_literals;

using RuntimeTest = UiTest;

TEST_F(RuntimeTest, TimersFireOnTheEventLoopAndFastForward) {
    ASSERT_NE(Application::instance(), nullptr);
    int polls = 0;
    const TimerId poll = timers().schedule(
        300s, [&] { ++polls; }, true);
    bool soon = false;
    timers().schedule(20ms, [&] { soon = true; });
    // A short timer fires by itself while the loop runs.
    EXPECT_TRUE(waitFor([&] { return soon; }, 5s));
    fastForward(900s);
    EXPECT_EQ(polls, 3);
    timers().cancel(poll);
    fastForward(900s);
    EXPECT_EQ(polls, 3);
}

TEST_F(RuntimeTest, TasksPostedFromOtherThreadsRunOnTheMainThreadInOrder) {
    std::vector<int> seen;
    bool wrongThread = false;
    QThread* main = QThread::currentThread();
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i)
            mainQueue().post([&, i] {
                if (QThread::currentThread() != main) wrongThread = true;
                seen.push_back(i);
            });
    });
    worker.join();
    ASSERT_TRUE(waitFor([&] { return seen.size() == 50; }));
    EXPECT_FALSE(wrongThread);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(seen[size_t(i)], i);
}

TEST_F(RuntimeTest, MemoryWarningsArriveFromSignalAndShortcut) {
    int warnings = 0;
    QObject::connect(Application::instance(), &Application::didReceiveMemoryWarning, window(),
                     [&] { ++warnings; });
    std::raise(SIGUSR1);
    ASSERT_TRUE(waitFor([&] { return warnings == 1; }));
    Application::postMemoryWarning();
    ASSERT_TRUE(waitFor([&] { return warnings == 2; }));
    QTest::keyClick(window()->windowHandle(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(waitFor([&] { return warnings == 3; }));
}

TEST_F(RuntimeTest, ActiveAndResignFollowTheApplicationState) {
    QStringList events;
    Application* app = Application::instance();
    QObject::connect(app, &Application::didBecomeActive, window(), [&] { events << "active"; });
    QObject::connect(app, &Application::willResignActive, window(), [&] { events << "resign"; });
    auto* gui = qGuiApp;
    const bool wasActive = app->isActive();
    emit gui->applicationStateChanged(Qt::ApplicationInactive);
    emit gui->applicationStateChanged(Qt::ApplicationHidden);  // no second resign
    emit gui->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(events, wasActive ? (QStringList{"resign", "active"}) : QStringList{"active"});
    EXPECT_TRUE(app->isActive());
}

TEST_F(RuntimeTest, NetworkIndicatorAndDiallingGoThroughTheToolkit) {
    net::setNetworkActivityIndicatorVisible(true);
    ASSERT_TRUE(
        waitFor([&] { return window()->statusBar()->isNetworkActivityIndicatorVisible(); }));
    net::setNetworkActivityIndicatorVisible(false);
    ASSERT_TRUE(
        waitFor([&] { return !window()->statusBar()->isNetworkActivityIndicatorVisible(); }));
    EXPECT_FALSE(window()->statusBar()->clockText().isEmpty());

    Dialer::shared().clearRequests();
    // Offscreen there is no desktop to hand the number to; it is still recorded.
    EXPECT_FALSE(Dialer::shared().openUrl("tel:0551-1234,88"));
    EXPECT_EQ(Dialer::shared().requests(), std::vector<std::string>{"tel:0551-1234,88"});
}

TEST(ApplicationArguments, ScaleIsTakenFromTheCommandLine) {
    struct Case {
        std::vector<std::string> args;
        double scale;
        int remaining;
    } cases[] = {
        {{"app", "--scale", "3", "--home", "/tmp/x"}, 3, 3},
        {{"app", "--scale=1.5"}, 1.5, 1},
        {{"app", "--scale", "99"}, 2, 1},
        {{"app", "--scale", "abc"}, 2, 1},
        {{"app", "-platform", "offscreen"}, 2, 3},
    };
    for (auto& c : cases) {
        std::vector<char*> argv;
        for (auto& a : c.args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int argc = int(c.args.size());
        EXPECT_DOUBLE_EQ(Application::takeScaleArgument(argc, argv.data()), c.scale);
        EXPECT_EQ(argc, c.remaining);
        EXPECT_EQ(argv[size_t(argc)], nullptr);
    }
}
