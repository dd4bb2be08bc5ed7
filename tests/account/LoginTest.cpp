// The login screen: its checks at their edges, what a reply with "code"
// does, the two switches, and what a login stores for later runs.
#include <QApplication>
#include <QString>

#include <sqlite3.h>

#include "account/UserLogin.h"
#include "core/DBConnection.h"
#include "core/DSTovera.h"
#include "core/Statement.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/FocusChain.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/views/Switch.h"
#include "platform/ui/views/TextField.h"
#include "tests/account/AccountUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class Login : public tovera::testing::AccountUiTest {
protected:
    UserLogin* open() {
        return push(new UserLogin([this] { ++newMessages_; }));
    }
    // Fills the fields and taps "登录".
    void login(UserLogin* screen, const QString& name, const QString& password) {
        screen->usernameTextField()->setText(name);
        screen->pwdTextField()->setText(password);
        // A refused check leaves the keyboard up; the button stays above it.
        processEvents();
        ASSERT_TRUE(tap(findByText(screen->view(), QStringLiteral("登录"))));
        processEvents();
    }

    // The drawn button titled `title`.
    static QWidget* button(UserLogin* screen, const QString& title) {
        QWidget* found = findByText(screen->view(), title);
        return found && !qobject_cast<Control*>(found) ? found->parentWidget() : found;
    }

    int newMessages_ = 0;
};

TEST_F(Login, NameAndPasswordLengthsAreCheckedAtTheirEdges) {
    const QString name16 = QString(16, QChar(0x623F));  // 16 × "房"
    const struct {
        QString name;
        QString password;
        const char* toast;  // nullptr: the request goes out
    } cases[] = {
        {"a", "secret", "用户名长度要求2-16位"},
        {"ab", "secret", nullptr},
        {name16, "secret", nullptr},
        {name16 + "x", "secret", "用户名长度要求2-16位"},
        {"ab", "", "密码长度要求5-16位"},
        {"ab", "1234", "密码长度要求5-16位"},
        {"ab", "12345", nullptr},
        {"ab", QString(16, 'p'), nullptr},
        {"ab", QString(17, 'p'), "密码长度要求5-16位"},
        {"", "", "用户名长度要求2-16位"},
        {QString::fromUcs4(U"𠀀𠀀"), "12345", nullptr},  // characters, not UTF-16 units
    };
    scripted_.reply(R"({"error_code":200,"code":1,"msg":"用户名或密码错误"})");
    UserLogin* screen = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " / " + c.password.toStdString());
        fastForward(std::chrono::seconds(2));  // earlier toasts go
        const std::size_t before = scripted_.received().size();
        login(screen, c.name, c.password);
        if (c.toast) {
            EXPECT_EQ(currentToast(), QString::fromUtf8(c.toast));
            const bool nameRefused =
                QString::fromUtf8(c.toast).startsWith(QStringLiteral("用户名"));
            EXPECT_TRUE((nameRefused ? screen->usernameTextField() : screen->pwdTextField())
                            ->isFirstResponder())
                << "the refused field takes the focus";
            processEvents();
            EXPECT_EQ(scripted_.received().size(), before);
        } else {
            EXPECT_EQ(currentToast(), QString());
            ASSERT_TRUE(waitFor([&] { return currentAlert().has_value(); }));
            EXPECT_EQ(scripted_.received().size(), before + 1);
            answerAlert(0);
        }
    }
}

TEST_F(Login, AReplyCarryingCodeFailsWhateverItsValue) {
    const struct {
        const char* reply;
        const char* msg;
    } cases[] = {
        {R"({"error_code":200,"code":0,"msg":"登录异常","id":"1","username":"demo","password":"ab"})",
         "登录异常"},
        {R"({"error_code":200,"code":1,"msg":"用户名或密码错误"})", "用户名或密码错误"},
        {R"({"error_code":200,"code":"","msg":"稍后再试"})", "稍后再试"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        scripted_.reply(c.reply);
        UserLogin* screen = open();
        login(screen, "demo", "demo1234");
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
        EXPECT_EQ(currentAlert()->title, QStringLiteral("登录失败"));
        EXPECT_EQ(currentAlert()->message, QString::fromUtf8(c.msg));
        EXPECT_EQ(currentAlert()->buttons, QStringList{QStringLiteral("确定")});
        answerAlert(0);
        EXPECT_TRUE(isTop(screen));
        EXPECT_FALSE(platform::preferences().contains("username"));
        EXPECT_FALSE(platform::preferences().contains("update"));
        EXPECT_FALSE(session().isUserLoggedin());
        EXPECT_FALSE(DSTovera::getPassword("demo"));
        EXPECT_EQ(newMessages_, 0);
    }
}

TEST_F(Login, AutomaticLoginTurnsRememberOnButNotTheOtherWayRound) {
    UserLogin* screen = open();
    Switch* remember = screen->rempwdSwitch();
    Switch* automatic = screen->autologinSwitch();
    EXPECT_FALSE(remember->isOn());
    EXPECT_FALSE(automatic->isOn());
    ASSERT_TRUE(tap(automatic));
    EXPECT_TRUE(automatic->isOn());
    EXPECT_TRUE(remember->isOn());
    ASSERT_TRUE(tap(remember));
    EXPECT_FALSE(remember->isOn());
    EXPECT_TRUE(automatic->isOn()) << "remember off leaves automatic login on";
    ASSERT_TRUE(tap(automatic));
    ASSERT_TRUE(tap(automatic));
    EXPECT_TRUE(remember->isOn());
}

TEST_F(Login, ASuccessfulLoginKeepsTheSessionAndFillsTheNextLoginScreen) {
    useDemo();
    UserLogin* screen = open();
    ASSERT_TRUE(tap(screen->autologinSwitch()));
    login(screen, "demo", "demo1234");
    ASSERT_TRUE(backAtRoot());

    platform::Preferences& prefs = platform::preferences();
    const std::string password = prefs.string("password").value_or("");
    EXPECT_EQ(password.size(), 32u) << "the service's password value, not the typed one";
    EXPECT_EQ(prefs.string("username"), "demo");
    EXPECT_EQ(prefs.string("id"), "1");
    EXPECT_EQ(prefs.string("completion"), "85");
    EXPECT_TRUE(prefs.boolean("update"));
    EXPECT_TRUE(prefs.boolean("remember"));
    EXPECT_TRUE(prefs.boolean("autologin"));
    EXPECT_EQ(DSTovera::getPassword("demo"), "demo1234");
    EXPECT_TRUE(session().isUserLoggedin());
    EXPECT_EQ(session().userId(), "1");
    EXPECT_EQ(session().accessToken(), "demo" + password);
    EXPECT_EQ(session().cityId(), "3401");
    EXPECT_EQ(newMessages_, 1);
    EXPECT_EQ(platform::Preferences(prefs.path()).string("username"), "demo")
        << "written out at once";

    UserLogin* next = open();
    EXPECT_TRUE(next->rempwdSwitch()->isOn());
    EXPECT_TRUE(next->autologinSwitch()->isOn());
    EXPECT_EQ(next->usernameTextField()->text(), QStringLiteral("demo"));
    EXPECT_EQ(next->pwdTextField()->text(), QStringLiteral("demo1234"));
}

// Without "记住密码" and "自动登录" the typed password stays in memory for
// this run (a re-login needs it) but never in the account table, and a
// password stored earlier is removed.
TEST_F(Login, WithoutRememberTheNextLoginScreenAsksForThePassword) {
    useDemo();
    ASSERT_TRUE(DSTovera::setPassword("stored-earlier", "demo"));
    login(open(), "demo", "demo1234");
    ASSERT_TRUE(backAtRoot());
    EXPECT_FALSE(platform::preferences().boolean("remember"));
    Statement rows = DBConnection::statementWithQuery("SELECT COUNT(*) FROM `account`");
    ASSERT_EQ(rows.step(), SQLITE_ROW);
    EXPECT_EQ(rows.getInt32(0), 0) << "no password in the account table";
    EXPECT_EQ(DSTovera::getPassword("demo"), "demo1234") << "kept for this run";
    UserLogin* next = open();
    EXPECT_EQ(next->usernameTextField()->text(), QStringLiteral("demo"));
    EXPECT_EQ(next->pwdTextField()->text(), QString());
}

TEST_F(Login, ReturnMovesToAnEmptyPasswordFieldFirst) {
    UserLogin* screen = open();
    TextField* name = screen->usernameTextField();
    TextField* password = screen->pwdTextField();
    ASSERT_TRUE(type(name, QStringLiteral("demo")));
    pressKey(Qt::Key_Return);
    processEvents();
    EXPECT_TRUE(password->isFirstResponder());
    ASSERT_TRUE(type(password, QStringLiteral("x")));
    ASSERT_TRUE(type(name, QStringLiteral("1")));
    pressKey(Qt::Key_Return);
    processEvents();
    EXPECT_FALSE(name->isFirstResponder());
    EXPECT_FALSE(password->isFirstResponder());
}

TEST_F(Login, ReturnInThePasswordSignsInAsTheButtonDoes) {
    service::DemoService& demo = useDemo();
    UserLogin* screen = open();
    ASSERT_TRUE(type(screen->usernameTextField(), QStringLiteral("demo")));
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(screen->pwdTextField()->isFirstResponder());
    ASSERT_TRUE(type(screen->pwdTextField(), QStringLiteral("demo1234")));
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(backAtRoot());
    EXPECT_EQ(demo.requestsTo("user/login.aspx").size(), 1u);
    EXPECT_TRUE(session().accessToken().has_value());
    EXPECT_FALSE(Keyboard::shared().isVisible());
}

TEST_F(Login, TabWalksTheFormInReadingOrderAndSpacePressesTheFocusedControl) {
    UserLogin* screen = open();
    processEvents();
    Window* window = Window::keyWindow();
    QWidget* const order[] = {screen->usernameTextField(),
                              screen->pwdTextField(),
                              screen->rempwdSwitch(),
                              screen->autologinSwitch(),
                              button(screen, QStringLiteral("登录")),
                              button(screen, QStringLiteral("注册"))};
    const QList<QWidget*> reachable = FocusChain::reachable(window);
    qsizetype last = -1;
    for (QWidget* view : order) {
        const qsizetype at = reachable.indexOf(view);
        ASSERT_GT(at, last) << view->metaObject()->className() << " out of reading order";
        last = at;
    }
    // The back button of the bar is read before the form.
    EXPECT_EQ(reachable.value(0),
              findByText(nav()->view(), QStringLiteral("返回"))->parentWidget());

    auto focusedMember = [] {
        QWidget* focus = QApplication::focusWidget();
        while (focus && !qobject_cast<Control*>(focus))
            focus = focus->parentWidget();
        return focus;
    };
    screen->usernameTextField()->becomeFirstResponder();
    for (int step = 1; step < 6; ++step) {
        pressKey(Qt::Key_Tab);
        EXPECT_EQ(focusedMember(), order[step]) << "step " << step;
    }
    pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(focusedMember(), screen->rempwdSwitch());
    // A ring shows around it, and Space flips it as a click does.
    auto* ring = window->findChild<FocusRing*>();
    ASSERT_TRUE(ring);
    EXPECT_TRUE(ring->isVisible());
    EXPECT_TRUE(ring->geometry().contains(
        QRect(screen->rempwdSwitch()->mapTo(window, QPoint()), screen->rempwdSwitch()->size())));
    const bool was = screen->rempwdSwitch()->isOn();
    pressKey(Qt::Key_Space);
    EXPECT_NE(screen->rempwdSwitch()->isOn(), was);
    // A click elsewhere puts the ring away.
    ASSERT_TRUE(tap(screen->usernameTextField()));
    processEvents();
    EXPECT_FALSE(ring->isVisible());
}

TEST_F(Login, TheKeyboardShortensTheFormWhileItShows) {
    UserLogin* screen = open();
    const double full = screen->view()->bounds().height();
    ASSERT_TRUE(type(screen->usernameTextField(), QStringLiteral("d")));
    ASSERT_TRUE(waitFor([&] { return screen->scrollView()->frame().height() < full; }));
    EXPECT_DOUBLE_EQ(screen->scrollView()->frame().height(),
                     full - Keyboard::shownFrame().height());
    Keyboard::shared().dismiss();
    ASSERT_TRUE(waitFor([&] { return screen->scrollView()->frame().height() == full; }));
}

}  // namespace
