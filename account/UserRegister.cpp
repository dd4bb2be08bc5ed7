#include "account/UserRegister.h"

#include "account/AccountForm.h"
#include "account/AccountSession.h"
#include "account/UserProtocol.h"
#include "core/DSTovera.h"
#include "framework/ActivityView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "platform/ui/lists/KeyboardRoom.h"
#include "platform/ui/lists/ScrollView.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextField.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::Button;
using platform::ui::Control;
using platform::ui::KeyboardRoom;
using platform::ui::ScrollView;
using platform::ui::TextField;
using platform::ui::View;

UserRegister::UserRegister(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("用户注册"));
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("注册"), BarButtonItem::Style::Plain, [this] { doRegister(); }));
}

void UserRegister::loadView() {
    View* root = nullptr;
    scrollView_ = AccountForm::scrollForm(root);
    usernameTextField_ = AccountForm::addField(scrollView_, 0, QStringLiteral("用户名"), false);
    pwdTextField_ = AccountForm::addField(scrollView_, 1, QStringLiteral("密码"), true);
    confirmTextField_ = AccountForm::addField(scrollView_, 2, QStringLiteral("确认密码"), true);
    TextField::chainReturns({usernameTextField_, pwdTextField_, confirmTextField_},
                            [this] { doRegister(); });
    const double top = AccountForm::rowTop(3);

    readBtn_ = new Button(QRectF(16, top, 150, AccountForm::kRowHeight));
    readBtn_->setTitle(QStringLiteral("□ 我已阅读并同意"));
    readBtn_->setTitle(QStringLiteral("☑ 我已阅读并同意"), Button::Selected);
    readBtn_->setTitle(QStringLiteral("☑ 我已阅读并同意"), Button::Selected | Button::Highlighted);
    readBtn_->setTitleColor(NSUtil::black());
    readBtn_->setFont(NSUtil::normalFont());
    readBtn_->setContentHorizontalAlignment(Control::HorizontalAlignment::Left);
    scrollView_->addSubview(readBtn_);
    auto* protocol = new Button(QRectF(166, top, 138, AccountForm::kRowHeight));
    protocol->setTitle(QStringLiteral("《用户服务协议》"));
    protocol->setTitleColor(NSUtil::click());
    protocol->setFont(NSUtil::normalFont());
    protocol->setContentHorizontalAlignment(Control::HorizontalAlignment::Left);
    scrollView_->addSubview(protocol);

    usernameTextField_->setReturnKeyType(TextField::ReturnKey::Next);
    pwdTextField_->setReturnKeyType(TextField::ReturnKey::Next);
    confirmTextField_->setReturnKeyType(TextField::ReturnKey::Done);
    // While the keyboard shows, the field being typed in and the agreement
    // row stay above it.
    auto* room = new KeyboardRoom(scrollView_);
    room->keepInSight({readBtn_, protocol});

    connect(readBtn_, &Control::touchUpInside, this, [this] { checkRead(); });
    connect(protocol, &Control::touchUpInside, this, [this] { readProtocol(); });
    setView(root);
}

void UserRegister::refuse(TextField* field, const char* text) {
    if (field) field->becomeFirstResponder();
    NSUtil::makeText(text).show();
}

void UserRegister::doRegister() {
    const QString username = usernameTextField_->text();
    const QString password = pwdTextField_->text();
    const QString confirm = confirmTextField_->text();
    if (AccountForm::lengthOutside(username, 2, 16))
        return refuse(usernameTextField_, "用户名长度要求2-16位");
    if (password.isEmpty()) return refuse(pwdTextField_, "密码不能为空");
    if (AccountForm::lengthOutside(password, 5, 16))
        return refuse(pwdTextField_, "密码长度要求5-16位");
    if (confirm.isEmpty()) return refuse(confirmTextField_, "确认密码不能为空");
    if (confirm != password) return refuse(confirmTextField_, "两次密码输入不一致");
    if (!readBtn_->isSelected()) return refuse(nullptr, "请阅读协议");

    if (ActivityView* overlay = activityView()) overlay->show(this);
    Dict form{{"username", username.toStdString()}, {"password", password.toStdString()}};
    DSTovera::userRegister(form, this);
}

void UserRegister::checkRead() {
    readBtn_->setSelected(!readBtn_->isSelected());
}

void UserRegister::readProtocol() {
    if (platform::ui::NavigationController* nav = navigationController())
        nav->pushViewController(new UserProtocol, true);
}

void UserRegister::didLoad(const Value& reply, QXRequest*) {
    AccountSession::signIn(session(), reply);
    if (platform::ui::NavigationController* nav = navigationController())
        nav->popToRootViewControllerAnimated(true);
}

}  // namespace tovera
