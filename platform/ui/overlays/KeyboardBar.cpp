#include "platform/ui/overlays/KeyboardBar.h"

#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"
#include "platform/ui/views/Label.h"
#include "platform/ui/views/TextField.h"

#include <QPointer>

namespace tovera::platform::ui {

namespace {

QString returnKeyTitle(TextField::ReturnKey key) {
    switch (key) {
        case TextField::ReturnKey::Go:
            return QStringLiteral("前往");
        case TextField::ReturnKey::Next:
            return QStringLiteral("下一项");
        case TextField::ReturnKey::Search:
            return QStringLiteral("搜索");
        case TextField::ReturnKey::Send:
            return QStringLiteral("发送");
        case TextField::ReturnKey::Done:
            return QStringLiteral("完成");
        case TextField::ReturnKey::Default:
            break;
    }
    return {};
}

}  // namespace

KeyboardBar::KeyboardBar(QWidget* parent) : View(Keyboard::shownFrame(), parent) {
    setBackgroundColor(QColor(0xD4, 0xD7, 0xDD));
    auto* hint = new Label(QRectF(0, 70, kScreenWidth, 30), this);
    hint->setFont(Font::system(15));
    hint->setTextColor(QColor(0x70, 0x74, 0x7c));
    hint->setTextAlignment(Qt::AlignHCenter);
    hint->setText(QStringLiteral("键盘"));

    auto* done = Button::withType(Button::Type::RoundedRect, this);
    done->setFrame(QRectF(kScreenWidth - 90, 8, 80, 36));
    done->setTitle(QStringLiteral("收起键盘"));
    connect(done, &Control::touchUpInside, this, [] { Keyboard::shared().dismiss(); });

    returnKey_ = new Button(QRectF(kScreenWidth - 100, kKeyboardHeight - 54, 90, 44), this);
    returnKey_->setBackgroundColor(QColor(0x1A, 0x6E, 0xE0));
    returnKey_->setTitleColor(Qt::white);
    returnKey_->setFont(Font::boldSystem(16));
    returnKey_->setCornerRadius(6);
    returnKey_->setHidden(true);
    connect(returnKey_, &Control::touchUpInside, this, &KeyboardBar::returnKeyTapped);
    setHidden(true);
}

void KeyboardBar::setInput(QWidget* input) {
    // A click on the bar leaves the focus where it is: the walk up from the
    // clicked key for a widget to focus stops at a proxy that has it.
    setFocusProxy(input && input->window() == window() ? input : nullptr);
    TextField* field = TextField::owning(input);
    const QString title = field ? returnKeyTitle(field->returnKeyType()) : QString();
    returnKey_->setTitle(title);
    returnKey_->setHidden(title.isEmpty());
}

void KeyboardBar::returnKeyTapped() {
    Keyboard& keyboard = Keyboard::shared();
    QPointer<TextField> field = TextField::owning(keyboard.input());
    if (!field) return;
    switch (field->returnKeyType()) {
        case TextField::ReturnKey::Next:
            keyboard.focusNextInput();
            return;
        case TextField::ReturnKey::Done:
            // The return of the form's last field; when that leaves the
            // keyboard where it was, "完成" puts it away.
            field->performReturn();
            if (field && field->isFirstResponder()) keyboard.dismiss();
            return;
        default:
            field->performReturn();
            return;
    }
}

}  // namespace tovera::platform::ui
