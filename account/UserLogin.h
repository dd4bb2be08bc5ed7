// "用户登录": signs in with a user name and a password. The remember-password
// switch keeps the typed password on the device (the account table) for the
// next login screen; the automatic-login switch lets the session sign in
// again by itself. A successful login stores the session in the preferences
// and goes back to the screen that opened this one.
#pragma once

#include <QList>

#include <functional>

#include "framework/QXViewController.h"
#include "platform/ui/views/TextField.h"

namespace tovera::platform {
class Preferences;
}  // namespace tovera::platform

namespace tovera::platform::ui {
class ScrollView;
class Switch;
}  // namespace tovera::platform::ui

namespace tovera {

class DSTovera;

class UserLogin : public QXViewController, public platform::ui::TextFieldDelegate {
    Q_OBJECT
public:
    /// `newMessage` starts the home screen's unread-count check after a login.
    explicit UserLogin(std::function<void()> newMessage = {}, QObject* parent = nullptr);

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    /// The login button: checks the lengths, then asks the service.
    void doLogin();
    /// Pushes the registration screen.
    void switchRegister();
    /// Turning automatic login on turns remember-password on too.
    void autoLogin(platform::ui::Control* sender);

    /// The login reply comes here whole: any "code" means the login failed.
    void requestDidLoad(QXRequest* request, const Value& reply) override;

    bool textFieldShouldReturn(platform::ui::TextField* field) override;

    platform::ui::TextField* usernameTextField() const { return usernameTextField_; }
    platform::ui::TextField* pwdTextField() const { return pwdTextField_; }
    platform::ui::Switch* rempwdSwitch() const { return rempwdSwitch_; }
    platform::ui::Switch* autologinSwitch() const { return autologinSwitch_; }
    platform::ui::ScrollView* scrollView() const { return scrollView_; }

private:
    void registerForKeyBoardNotifications(const QList<QWidget*>& buttons);

    std::function<void()> newMessage_;
    platform::Preferences& userdefauls_;
    platform::ui::TextField* usernameTextField_ = nullptr;
    platform::ui::TextField* pwdTextField_ = nullptr;
    platform::ui::Switch* rempwdSwitch_ = nullptr;
    platform::ui::Switch* autologinSwitch_ = nullptr;
    platform::ui::ScrollView* scrollView_ = nullptr;
};

}  // namespace tovera
