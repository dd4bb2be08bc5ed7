#include "account/UserLogin.h"

#include "account/AccountForm.h"
#include "account/AccountSession.h"
#include "account/UserRegister.h"
#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "framework/NSUtil.h"
#include "framework/ReplyDispatch.h"
#include "platform/Alert.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/ui/lists/KeyboardRoom.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Switch.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Control;
using platform::ui::Keyboard;
using platform::ui::KeyboardRoom;
using platform::ui::ScrollView;
using platform::ui::Switch;
using platform::ui::TextField;
using platform::ui::View;

// The standard "返回" wherever the screen opens from (the menu, the login
// prompt), like every other screen.
UserLogin::UserLogin(std::function<void()> newMessage, QObject* parent)
    : QXViewController(true, parent),
      newMessage_(std::move(newMessage)),
      userdefauls_(platform::preferences()) {
    setTitle(QStringLiteral("用户登录"));
}

void UserLogin::loadView() {
    View* root = nullptr;
    scrollView_ = AccountForm::scrollForm(root);
    usernameTextField_ = AccountForm::addField(scrollView_, 0, QStringLiteral("用户名"), false);
    pwdTextField_ = AccountForm::addField(scrollView_, 1, QStringLiteral("密码"), true);
    rempwdSwitch_ = AccountForm::addSwitch(scrollView_, 2, 0, QStringLiteral("记住密码"));
    autologinSwitch_ = AccountForm::addSwitch(scrollView_, 2, 1, QStringLiteral("自动登录"));
    const double top = AccountForm::rowTop(3) + AccountForm::kRowGap;
    Button* login =
        AccountForm::addButton(scrollView_, QRectF(16, top, 136, 40), QStringLiteral("登录"));
    Button* signUp =
        AccountForm::addButton(scrollView_, QRectF(168, top, 136, 40), QStringLiteral("注册"));

    usernameTextField_->setDelegate(this);
    pwdTextField_->setDelegate(this);
    usernameTextField_->setReturnKeyType(TextField::ReturnKey::Next);
    // The on-screen return key on the password closes the keyboard; the
    // Enter key of a desktop keyboard also signs in, as the button does.
    pwdTextField_->setReturnKeyType(TextField::ReturnKey::Done);
    TextField::chainReturns({pwdTextField_}, [this] { doLogin(); });
    connect(login, &Control::touchUpInside, this, [this] { doLogin(); });
    connect(signUp, &Control::touchUpInside, this, [this] { switchRegister(); });
    connect(autologinSwitch_, &Control::valueChanged, this, &UserLogin::autoLogin);
    connect(rempwdSwitch_, &Control::valueChanged, this, &UserLogin::autoLogin);
    setView(root);
    registerForKeyBoardNotifications({login, signUp});
}

void UserLogin::viewWillAppear(bool) {
    rempwdSwitch_->setOn(userdefauls_.boolean(PrefKey::kRemember));
    autologinSwitch_->setOn(userdefauls_.boolean(PrefKey::kAutologin));
}

void UserLogin::viewDidAppear(bool) {
    const std::optional<std::string> username = userdefauls_.string(PrefKey::kUsername);
    if (!username) return;
    usernameTextField_->setText(QString::fromStdString(*username));
    if (!userdefauls_.boolean(PrefKey::kRemember)) return;
    if (const auto password = DSTovera::getPassword(*username))
        pwdTextField_->setText(QString::fromStdString(*password));
}

void UserLogin::doLogin() {
    const QString username = usernameTextField_->text();
    const QString password = pwdTextField_->text();
    if (AccountForm::lengthOutside(username, 2, 16)) {
        usernameTextField_->becomeFirstResponder();
        NSUtil::makeText("用户名长度要求2-16位").show();
        return;
    }
    if (AccountForm::lengthOutside(password, 5, 16)) {
        pwdTextField_->becomeFirstResponder();
        NSUtil::makeText("密码长度要求5-16位").show();
        return;
    }
    usernameTextField_->resignFirstResponder();
    pwdTextField_->resignFirstResponder();
    param().param().set("username", username.toStdString());
    param().param().set("password", password.toStdString());
    DSTovera::userLogin(param().param(), this);
}

void UserLogin::switchRegister() {
    if (platform::ui::NavigationController* nav = navigationController())
        nav->pushViewController(new UserRegister, true);
}

void UserLogin::autoLogin(Control* sender) {
    if (sender != autologinSwitch_) return;
    if (autologinSwitch_->isOn()) rempwdSwitch_->setOn(true, true);
}

void UserLogin::requestDidLoad(QXRequest*, const Value& reply) {
    platform::logLine("login reply received");
    if (ReplyDispatch::code(reply) != ReplyCode::Missing) {
        platform::showAlert({"登录失败", reply.getStringValueForKey("msg", ""), {"确定"}, 0, {}});
        return;
    }
    userdefauls_.setString(PrefKey::kCompletion, reply.getStringValueForKey("completion", ""));
    userdefauls_.setBool(PrefKey::kRemember, rempwdSwitch_->isOn());
    userdefauls_.setBool(PrefKey::kAutologin, autologinSwitch_->isOn());
    const std::string username = usernameTextField_->text().toStdString();
    const bool store = rempwdSwitch_->isOn() || autologinSwitch_->isOn();
    if (!DSTovera::keepPassword(pwdTextField_->text().toStdString(), username, store))
        platform::logLine("login: the account table was not updated for " + username);
    AccountSession::signIn(session(), reply);
    if (newMessage_) newMessage_();
    if (platform::ui::NavigationController* nav = navigationController())
        nav->popViewControllerAnimated(true);
}

bool UserLogin::textFieldShouldReturn(TextField* field) {
    if (field == usernameTextField_ && pwdTextField_->text().isEmpty()) {
        pwdTextField_->becomeFirstResponder();
        return true;
    }
    Keyboard::shared().dismiss();
    return true;
}

// ---- Keyboard -------------------------------------------------------------

void UserLogin::registerForKeyBoardNotifications(const QList<QWidget*>& buttons) {
    // While the keyboard shows, the form ends at its top and scrolls the
    // field being typed in into sight with the two buttons.
    auto* room = new KeyboardRoom(scrollView_);
    room->keepInSight(buttons);
}

}  // namespace tovera
