// The password change: its checks in order with their alerts, and the
// automatic re-login with the new password before the next request.
#include <QString>

#include "account/Editpassword.h"
#include "account/UserLogin.h"
#include "core/DSTovera.h"
#include "platform/ui/navigation/BarButtonItem.h"
#include "platform/ui/testing/Find.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Overlays.h"
#include "platform/ui/views/TextField.h"
#include "tests/account/AccountUiTest.h"

using namespace tovera;
using namespace tovera::platform::ui;
using namespace tovera::platform::ui::testing;

namespace {

// Receives one reply of a request issued by the test itself.
class Receiver : public QXRequestDelegate {
public:
    void requestDidLoad(QXRequest*, const Value& value) override {
        reply = value;
        done = true;
    }
    void requestDidFailWithError(QXRequest*, const Error&) override { done = true; }
    Value reply;
    bool done = false;
};

class PasswordChange : public tovera::testing::AccountUiTest {
protected:
    Editpassword* open() { return push(new Editpassword); }
    void commit(Editpassword* screen, const QString& original, const QString& password,
                const QString& confirm) {
        screen->originalField()->setText(original);
        screen->newField()->setText(password);
        screen->confirmField()->setText(confirm);
        screen->navigationItem()->rightBarButtonItem()->trigger();
        processEvents();
    }
};

TEST_F(PasswordChange, FieldsAreCheckedInOrderWithTheirAlerts) {
    const struct {
        QString original, password, confirm;
        const char* alert;  // nullptr: the request goes out
        int focus;          // 0 current, 1 new, 2 confirmation
    } cases[] = {
        {"", "", "", "请输入密码", 0},
        {"old12", "", "", "请输入新密码", 1},
        {"old12", "12345", "12345", "密码长度要求大于6", 1},
        {"old12", "123456", "", "请输入确认密码", 2},
        {"old12", "123456", "123457", "新密码和确认密码不一致", 2},
        {"old12", QString(17, 'p'), QString(17, 'p'), "密码长度要求5-16位", 1},
        {"old12", "123456", "123456", nullptr, -1},
        {"old12", QString(16, 'p'), QString(16, 'p'), nullptr, -1},
    };
    session().setUid("1", "demo0123456789abcdef0123456789abcdef", "3401");
    scripted_.reply(R"({"error_code":200,"code":1,"msg":"原密码错误"})");
    Editpassword* screen = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password.toStdString());
        const std::size_t before = scripted_.received().size();
        commit(screen, c.original, c.password, c.confirm);
        ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
        EXPECT_EQ(currentAlert()->title, QStringLiteral("提示"));
        EXPECT_EQ(currentAlert()->message, QString::fromUtf8(c.alert ? c.alert : "原密码错误"));
        EXPECT_EQ(scripted_.received().size(), before + (c.alert ? 0 : 1));
        answerAlert(0);
        processEvents();
        if (c.focus >= 0) {
            TextField* fields[] = {screen->originalField(), screen->newField(),
                                   screen->confirmField()};
            EXPECT_TRUE(fields[c.focus]->isFirstResponder());
        }
        EXPECT_TRUE(isTop(screen));
    }
    EXPECT_FALSE(session().needRelogin()) << "a refusal changes nothing";
    EXPECT_FALSE(platform::preferences().contains("relogin"));
}

TEST_F(PasswordChange, TheNextRequestSignsInAgainWithTheNewPassword) {
    service::DemoService& demo = useDemo();
    UserLogin* login = push(new UserLogin);
    login->usernameTextField()->setText("demo");
    login->pwdTextField()->setText("demo1234");
    ASSERT_TRUE(tap(findByText(login->view(), QStringLiteral("登录"))));
    ASSERT_TRUE(backAtRoot());
    const std::optional<std::string> oldToken = session().accessToken();

    Editpassword* screen = open();
    commit(screen, "demo1234", "newpass1", "newpass1");
    ASSERT_TRUE(backAtRoot());
    EXPECT_EQ(currentToast(), QStringLiteral("密码修改成功"));
    EXPECT_TRUE(session().needRelogin());
    EXPECT_TRUE(platform::preferences().boolean("relogin"));
    EXPECT_EQ(DSTovera::getPassword("demo"), "newpass1");
    const std::size_t loginsBefore = demo.requestsTo("user/login.aspx").size();

    Receiver receiver;
    Dict params{{"id", "1"}};
    session().getUserInfo(params, &receiver);
    ASSERT_TRUE(waitFor([&] { return receiver.done; }));

    const auto logins = demo.requestsTo("user/login.aspx");
    ASSERT_EQ(logins.size(), loginsBefore + 1);
    EXPECT_EQ(logins.back().params["username"].toText(), "demo");
    EXPECT_EQ(logins.back().params["password"].toText(), "newpass1");
    EXPECT_EQ(receiver.reply["username"].toText(), "demo") << "the service knew the user";
    EXPECT_FALSE(receiver.reply.dict() && receiver.reply.dict()->contains("code"));
    EXPECT_NE(session().accessToken(), oldToken);
    EXPECT_FALSE(session().needRelogin());
    EXPECT_FALSE(platform::preferences().contains("relogin"));
}

TEST_F(PasswordChange, ReturnWalksTheFieldsAndCommitsFromTheLast) {
    Editpassword* screen = open();
    TextField* fields[] = {screen->originalField(), screen->newField(), screen->confirmField()};
    for (TextField* field : fields) {
        ASSERT_TRUE(field->isFirstResponder() || field == fields[0]);
        ASSERT_TRUE(type(field, QStringLiteral("abc")));
        pressKey(Qt::Key_Return);
    }
    // The last Return commits: the check of the short password answers it,
    // and that same key press does not also dismiss the answer.
    ASSERT_TRUE(waitFor([] { return currentAlert().has_value(); }));
    EXPECT_EQ(currentAlert()->message, QStringLiteral("密码长度要求大于6"));
    // The next one does, and the caret goes back to the refused field.
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(currentAlert().has_value());
    EXPECT_TRUE(screen->newField()->isFirstResponder());
}

}  // namespace
