// The registration screen: its checks in order, the agreement, and the
// signed-in state a new account leaves (without a kept password).
#include <QString>

#include "account/UserLogin.h"
#include "account/UserProtocol.h"
#include "account/UserRegister.h"
#include "core/DSTovera.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/testing/Snapshot.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextField.h"
#include "tests/account/AccountUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

class Register : public tovera::testing::AccountUiTest {
protected:
    UserRegister* open() { return push(new UserRegister); }
    void fill(UserRegister* screen, const QString& name, const QString& password,
              const QString& confirm, bool read) {
        screen->usernameTextField()->setText(name);
        screen->pwdTextField()->setText(password);
        screen->confirmTextField()->setText(confirm);
        if (screen->readBtn()->isSelected() != read) {
            ASSERT_TRUE(tap(screen->readBtn()));
        }
        screen->navigationItem()->rightBarButtonItem()->trigger();
        processEvents();
    }
};

TEST_F(Register, FieldsAreCheckedInOrderWithTheirOwnTexts) {
    const QString name16 = QString(16, 'n');
    const struct {
        QString name, password, confirm;
        bool read;
        const char* toast;  // nullptr: the request goes out
        int focus;          // 0 name, 1 password, 2 confirmation, -1 not checked
    } cases[] = {
        {"a", "", "", false, "用户名长度要求2-16位", 0},
        {name16 + "n", "secret", "secret", true, "用户名长度要求2-16位", 0},
        {"ab", "", "", false, "密码不能为空", 1},
        {"ab", "1234", "1234", true, "密码长度要求5-16位", 1},
        {"ab", QString(17, 'p'), QString(17, 'p'), true, "密码长度要求5-16位", 1},
        {"ab", "secret", "", false, "确认密码不能为空", 2},
        {"ab", "secret", "secreT", true, "两次密码输入不一致", 2},
        {"ab", "secret", "secret", false, "请阅读协议", -1},
        {"ab", "12345", "12345", true, nullptr, -1},
        {name16, QString(16, 'p'), QString(16, 'p'), true, nullptr, -1},
    };
    scripted_.reply(R"({"error_code":200,"code":1,"msg":"该用户名已被注册"})");
    UserRegister* screen = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " / " + c.password.toStdString());
        fastForward(std::chrono::seconds(2));
        const std::size_t before = scripted_.received().size();
        fill(screen, c.name, c.password, c.confirm, c.read);
        if (c.toast) {
            EXPECT_EQ(currentToast(), QString::fromUtf8(c.toast));
            EXPECT_EQ(scripted_.received().size(), before);
            TextField* fields[] = {screen->usernameTextField(), screen->pwdTextField(),
                                   screen->confirmTextField()};
            if (c.focus >= 0) {
                EXPECT_TRUE(fields[c.focus]->isFirstResponder());
            }
            continue;
        }
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
        EXPECT_EQ(scripted_.received().size(), before + 1);
        EXPECT_EQ(currentAlert()->title, QStringLiteral("提示"));
        EXPECT_EQ(currentAlert()->message, QStringLiteral("该用户名已被注册"));
        answerAlert(0);
        EXPECT_TRUE(isTop(screen)) << "a refusal keeps the form";
        EXPECT_FALSE(platform::preferences().contains("username"));
    }
}

TEST_F(Register, ANewAccountIsSignedInWithoutAKeptPassword) {
    useDemo();
    platform::preferences().setBool("remember", true);
    UserLogin* login = push(new UserLogin);
    ASSERT_TRUE(tap(findByText(login->view(), QStringLiteral("注册"))));
    processEvents();
    auto* screen = qobject_cast<UserRegister*>(nav()->topViewController());
    ASSERT_TRUE(screen);
    fill(screen, "新会员", "secret1", "secret1", true);
    ASSERT_TRUE(backAtRoot()) << "registration goes back to the home screen";

    platform::Preferences& prefs = platform::preferences();
    EXPECT_EQ(prefs.string("username"), "新会员");
    EXPECT_EQ(prefs.string("password").value_or("").size(), 32u);
    EXPECT_GE(std::stoi(prefs.string("id").value_or("0")), 1001);
    EXPECT_TRUE(prefs.boolean("update"));
    EXPECT_FALSE(prefs.contains("completion"));
    EXPECT_FALSE(prefs.contains("autologin"));
    EXPECT_TRUE(session().isUserLoggedin());
    EXPECT_EQ(session().accessToken(), "新会员" + *prefs.string("password"));
    EXPECT_EQ(session().cityId(), "3401");
    EXPECT_FALSE(DSTovera::getPassword("新会员"));

    UserLogin* next = push(new UserLogin);
    EXPECT_EQ(next->usernameTextField()->text(), QStringLiteral("新会员"));
    EXPECT_EQ(next->pwdTextField()->text(), QString()) << "even with remember on";
}

TEST_F(Register, TheAgreementOpensFromTheForm) {
    UserRegister* screen = open();
    ASSERT_TRUE(tap(findByText(screen->view(), QStringLiteral("《用户服务协议》"))));
    processEvents();
    auto* agreement = qobject_cast<UserProtocol*>(nav()->topViewController());
    ASSERT_TRUE(agreement);
    EXPECT_EQ(agreement->title(), QStringLiteral("用户服务协议"));
    EXPECT_TRUE(findByText(agreement->view(), UserProtocol::agreementText()));

    // Dark text on a white page, as the screen is drawn.
    const QImage page = renderAsShown(agreement->view());
    EXPECT_EQ(page.pixelColor(2, 2), QColor(Qt::white));
    const QRect text = boundsWhere(page, isInk);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GT(text.height(), page.height() / 2);

    // Dragging up brings the end of the agreement into view.
    auto* scroll = qobject_cast<ScrollView*>(agreement->view());
    ASSERT_NE(scroll, nullptr);
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(drag(scroll, {160, 350}, {0, -300}));
    processEvents();
    EXPECT_GE(scroll->contentOffset().y() + scroll->frame().height(),
              scroll->contentSize().height() - 1);
    EXPECT_GT(scroll->contentSize().height(), scroll->frame().height());
}

}  // namespace
