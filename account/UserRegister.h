// "用户注册": creates an account and signs the new user in at once, then
// goes back to the home screen. The user must confirm having read the user
// service agreement, which the screen opens on request.
#pragma once

#include "framework/QXViewController.h"

namespace tovera::platform::ui {
class Button;
class ScrollView;
class TextField;
}  // namespace tovera::platform::ui

namespace tovera {

class DSTovera;

class UserRegister : public QXViewController {
    Q_OBJECT
public:
    explicit UserRegister(QObject* parent = nullptr);

    void loadView() override;

    /// "注册": checks the fields in order, then asks the service.
    void doRegister();
    /// Toggles the agreement confirmation.
    void checkRead();
    /// Opens the user service agreement.
    void readProtocol();
    void didLoad(const Value& reply, QXRequest* request) override;

    platform::ui::TextField* usernameTextField() const { return usernameTextField_; }
    platform::ui::TextField* pwdTextField() const { return pwdTextField_; }
    platform::ui::TextField* confirmTextField() const { return confirmTextField_; }
    platform::ui::Button* readBtn() const { return readBtn_; }

private:
    /// Focuses `field` (when given) and shows `text` as a toast.
    static void refuse(platform::ui::TextField* field, const char* text);

    platform::ui::TextField* usernameTextField_ = nullptr;
    platform::ui::TextField* pwdTextField_ = nullptr;
    platform::ui::TextField* confirmTextField_ = nullptr;
    platform::ui::Button* readBtn_ = nullptr;
    platform::ui::ScrollView* scrollView_ = nullptr;
};

}  // namespace tovera
