// The account forms used as a person uses them: fields clicked and typed
// into with the keyboard stand-in up, the form's own buttons and the
// keyboard's keys clicked. Every refusal shows its text, the login buttons
// stay clickable above the keyboard, and the keyboard's keys walk the form.
#include <QString>

#include "account/UserLogin.h"
#include "account/UserRegister.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/NavigationBar.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextField.h"
#include "tests/account/AccountUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class TypedForm : public tovera::testing::AccountUiTest {
protected:
    // Clicks `field` and types `text` into it, as a person would.
    void fill(TextField* field, const QString& text) {
        ASSERT_TRUE(tap(field));
        ASSERT_TRUE(type(field, text));
        ASSERT_TRUE(waitFor([] { return Keyboard::shared().isVisible(); }));
    }
    // The window's rectangle of `view`.
    QRectF onWindow(View* view) { return view->convertRect(view->bounds(), window()); }
    bool aboveKeyboard(View* view) {
        return onWindow(view).bottom() <= Keyboard::shownFrame().top();
    }
    // Clicks the button titled `title` on the navigation bar.
    bool tapBar(const QString& title) { return tap(findByText(nav()->navigationBar(), title)); }
    // The button showing `title` on `screen`.
    static Button* button(ViewController* screen, const QString& title) {
        for (QWidget* w = findByText(screen->view(), title); w; w = w->parentWidget())
            if (auto* found = qobject_cast<Button*>(w)) return found;
        return nullptr;
    }
    // Waits for earlier toasts to go.
    void clearToasts() { fastForward(std::chrono::seconds(2)); }
};

TEST_F(TypedForm, LoginButtonsAnswerTheFirstClickWhileTheKeyboardShows) {
    UserLogin* screen = push(new UserLogin);
    Button* login = button(screen, QStringLiteral("登录"));
    Button* signUp = button(screen, QStringLiteral("注册"));
    ASSERT_TRUE(login && signUp);
    const struct {
        QString name, password;
        bool typesPassword;
        const char* toast;
    } cases[] = {
        {"", "", false, "用户名长度要求2-16位"},
        {"a", "", false, "用户名长度要求2-16位"},
        {"demo", "1", true, "密码长度要求5-16位"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toast);
        clearToasts();
        screen->usernameTextField()->setText({});
        screen->pwdTextField()->setText({});
        fill(screen->usernameTextField(), c.name);
        if (c.typesPassword) fill(screen->pwdTextField(), c.password);
        ASSERT_TRUE(waitFor([&] { return aboveKeyboard(login) && aboveKeyboard(signUp); }))
            << "the buttons scroll above the keyboard with the field typed in";
        EXPECT_TRUE(
            aboveKeyboard(c.typesPassword ? screen->pwdTextField() : screen->usernameTextField()));
        ASSERT_TRUE(tap(login));
        EXPECT_EQ(currentToast(), QString::fromUtf8(c.toast));
        EXPECT_TRUE(scripted_.received().empty());
    }
}

TEST_F(TypedForm, WithoutTheOnScreenKeyboardTheFormStaysPut) {
    Keyboard::setOnScreen(false);
    UserLogin* screen = push(new UserLogin);
    const QRectF full = screen->scrollView()->frame();
    fill(screen->pwdTextField(), QStringLiteral("x"));
    processEvents();
    EXPECT_EQ(screen->scrollView()->frame(), full);
    EXPECT_EQ(screen->scrollView()->contentOffset(), QPointF());
}

TEST_F(TypedForm, TheFormGrowsBackWhenTheKeyboardGoes) {
    UserLogin* screen = push(new UserLogin);
    const QRectF full = screen->scrollView()->frame();
    fill(screen->usernameTextField(), QStringLiteral("demo"));
    ASSERT_TRUE(tap(findByText(window(), QStringLiteral("收起键盘"))));
    ASSERT_TRUE(waitFor([&] { return !Keyboard::shared().isVisible(); }));
    EXPECT_EQ(screen->scrollView()->frame(), full);
    EXPECT_EQ(screen->scrollView()->contentOffset(), QPointF()) << "no gap below the form";
}

TEST_F(TypedForm, TheKeyboardKeysWalkTheLoginForm) {
    UserLogin* screen = push(new UserLogin);
    fill(screen->usernameTextField(), QStringLiteral("demo"));
    ASSERT_TRUE(tap(findByText(window(), QStringLiteral("下一项"))));
    ASSERT_TRUE(waitFor([&] { return screen->pwdTextField()->isFirstResponder(); }));
    ASSERT_TRUE(type(screen->pwdTextField(), QStringLiteral("demo1234")));
    ASSERT_TRUE(waitFor([] { return findByText(Window::keyWindow(), QStringLiteral("完成")); }));
    ASSERT_TRUE(tap(findByText(window(), QStringLiteral("完成"))));
    EXPECT_TRUE(waitFor([] { return !Keyboard::shared().isVisible(); }));
    EXPECT_TRUE(scripted_.received().empty())
        << "return on the login form only closes the keyboard";
}

TEST_F(TypedForm, RegistrationRefusalsShowTheirTexts) {
    const struct {
        QString name, password, confirm;
        bool read;
        const char* toast;
    } cases[] = {
        {"newuser", "secret1", "secret1", false, "请阅读协议"},
        {"newuser", "s", "s", true, "密码长度要求5-16位"},
        {QString(17, QChar(u'名')), "secret1", "secret1", true, "用户名长度要求2-16位"},
    };
    UserRegister* screen = push(new UserRegister);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toast);
        clearToasts();
        for (TextField* field :
             {screen->usernameTextField(), screen->pwdTextField(), screen->confirmTextField()})
            field->setText({});
        fill(screen->usernameTextField(), c.name);
        fill(screen->pwdTextField(), c.password);
        fill(screen->confirmTextField(), c.confirm);
        ASSERT_TRUE(aboveKeyboard(screen->readBtn()));
        if (screen->readBtn()->isSelected() != c.read) {
            ASSERT_TRUE(tap(screen->readBtn()));
        }
        ASSERT_TRUE(tapBar(QStringLiteral("注册")));
        EXPECT_EQ(currentToast(), QString::fromUtf8(c.toast));
        EXPECT_TRUE(scripted_.received().empty());
    }
}

TEST_F(TypedForm, TheKeyboardKeysWalkTheRegistrationForm) {
    UserRegister* screen = push(new UserRegister);
    fill(screen->usernameTextField(), QStringLiteral("newuser"));
    ASSERT_TRUE(tap(findByText(window(), QStringLiteral("下一项"))));
    EXPECT_TRUE(waitFor([&] { return screen->pwdTextField()->isFirstResponder(); }));
    ASSERT_TRUE(tap(findByText(window(), QStringLiteral("下一项"))));
    EXPECT_TRUE(waitFor([&] { return screen->confirmTextField()->isFirstResponder(); }));
    ASSERT_TRUE(waitFor([] { return findByText(Window::keyWindow(), QStringLiteral("完成")); }));
    ASSERT_TRUE(tap(findByText(window(), QStringLiteral("完成"))));
    EXPECT_TRUE(waitFor([] { return !Keyboard::shared().isVisible(); }));
}

}  // namespace
