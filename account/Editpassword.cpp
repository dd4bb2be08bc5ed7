#include "account/Editpassword.h"

#include <QPointer>

#include "account/AccountForm.h"
#include "core/DSTovera.h"
#include "core/PreferenceKeys.h"
#include "core/QXRequest.h"
#include "framework/ActivityView.h"
#include "framework/NSUtil.h"
#include "framework/NavigationStyle.h"
#include "platform/Alert.h"
#include "platform/Log.h"
#include "platform/Preferences.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/views/TextField.h"

namespace tovera {

using platform::ui::BarButtonItem;
using platform::ui::TextField;
using platform::ui::View;

namespace {

// The login screen refuses passwords longer than this, so a longer new
// password would lock the user out.
constexpr int kMaxPassword = 16;

}  // namespace

Editpassword::Editpassword(QObject* parent) : QXViewController(true, parent) {
    setTitle(QStringLiteral("修改密码"));
    navigationItem()->setRightBarButtonItem(NavigationStyle::barButtonItem(
        QStringLiteral("提交"), BarButtonItem::Style::Plain, [this] { commit(); }));
}

void Editpassword::loadView() {
    auto* root = new View(QRectF(0, 0, 320, 416));
    root->setBackgroundColor(NSUtil::listview_item());
    originalField_ = AccountForm::addField(root, 0, QStringLiteral("原密码"), true);
    newField_ = AccountForm::addField(root, 1, QStringLiteral("新密码"), true);
    confirmField_ = AccountForm::addField(root, 2, QStringLiteral("确认密码"), true);
    originalField_->setReturnKeyType(TextField::ReturnKey::Next);
    newField_->setReturnKeyType(TextField::ReturnKey::Next);
    confirmField_->setReturnKeyType(TextField::ReturnKey::Done);
    TextField::chainReturns({originalField_, newField_, confirmField_}, [this] { commit(); });
    setView(root);
}

void Editpassword::refuse(TextField* field, const char* text) {
    field->becomeFirstResponder();
    // The alert takes the keyboard focus while it shows; the field gets it back.
    platform::showAlert({"提示", text, {"确定"}, 0, [guard = QPointer<TextField>(field)](int) {
                             if (guard) guard->becomeFirstResponder();
                         }});
}

void Editpassword::commit() {
    const QString original = originalField_->text();
    const QString password = newField_->text();
    const QString confirm = confirmField_->text();
    if (original.isEmpty()) return refuse(originalField_, "请输入密码");
    if (password.isEmpty()) return refuse(newField_, "请输入新密码");
    if (AccountForm::characterCount(password) <= 5) return refuse(newField_, "密码长度要求大于6");
    if (AccountForm::characterCount(password) > kMaxPassword)
        return refuse(newField_, "密码长度要求5-16位");
    if (confirm.isEmpty()) return refuse(confirmField_, "请输入确认密码");
    if (confirm != password) return refuse(confirmField_, "新密码和确认密码不一致");

    if (ActivityView* overlay = activityView()) overlay->show(this);
    param().setApi("editpwd");
    param().param().set("newprd", password.toStdString());
    param().param().set("oldprd", original.toStdString());
    param().setRid(session().userId() ? Value(*session().userId()) : Value());
    session().userSetpassword(param().param(), this);
}

void Editpassword::didLoad(const Value& reply, QXRequest* request) {
    if (request && request->params().getStringValueForKey("api", "") == "editpwd") {
        NSUtil::makeText(reply.getStringValueForKey("msg", "")).show();
        session().setNeedRelogin(true);
        platform::Preferences& prefs = platform::preferences();
        const std::optional<std::string> username = prefs.string(PrefKey::kUsername);
        const bool store = prefs.boolean(PrefKey::kRemember) || prefs.boolean(PrefKey::kAutologin);
        if (!username || !DSTovera::keepPassword(newField_->text().toStdString(), *username, store))
            platform::logLine("password change: the new password was not kept");
        prefs.setBool(PrefKey::kRelogin, true);
        if (!prefs.synchronize()) platform::logLine("password change: preferences not written");
    }
    if (platform::ui::NavigationController* nav = navigationController())
        nav->popViewControllerAnimated(true);
}

}  // namespace tovera
