#include "community/NameEditor.h"

#include "framework/NSUtil.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/TextField.h"

namespace tovera {

using platform::ui::Button;
using platform::ui::Keyboard;
using platform::ui::KeyboardInfo;
using platform::ui::TextField;

NameEditor::NameEditor(const QString& placeholder, std::function<void()> confirm, QWidget* parent)
    : View(QRectF(0, 0, 320, kHeight), parent) {
    setBackgroundColor(NSUtil::listview_item());
    field_ = new TextField(QRectF(8, 7, 186, 30), this);
    field_->setBorderStyle(TextField::BorderStyle::RoundedRect);
    field_->setPlaceholder(placeholder);
    ok_ = new Button(QRectF(200, 7, 54, 30), this);
    ok_->setTitle(QStringLiteral("确定"));
    ok_->setBackgroundColor(NSUtil::skinColor());
    QObject::connect(ok_, &Button::touchUpInside, this, [confirm = std::move(confirm)] {
        if (confirm) confirm();
    });
    no_ = new Button(QRectF(260, 7, 54, 30), this);
    no_->setTitle(QStringLiteral("取消"));
    no_->setTitleColor(NSUtil::black());
    QObject::connect(no_, &Button::touchUpInside, this, [this] { cancel(); });
    setHidden(true);

    Keyboard& keyboard = Keyboard::shared();
    QObject::connect(&keyboard, &Keyboard::willShow, this, &NameEditor::place);
    QObject::connect(&keyboard, &Keyboard::didShow, this, &NameEditor::place);
    QObject::connect(&keyboard, &Keyboard::willHide, this,
                     [this](const KeyboardInfo&) { setHidden(true); });
}

void NameEditor::open(const QString& text) {
    field_->setText(text);
    setHidden(false);
    if (View* parent = superview()) parent->bringSubviewToFront(this);
    field_->becomeFirstResponder();
}

void NameEditor::close() {
    setHidden(true);
    field_->resignFirstResponder();
}

void NameEditor::cancel() {
    field_->setText(QString());
    close();
}

// Right above the keyboard's final frame (at the bottom when it takes no room).
void NameEditor::place(const KeyboardInfo& info) {
    if (isHidden() || !superview()) return;
    const double above = Keyboard::heightAbove(superview(), info.frameEnd);
    setFrame(QRectF(0, above - kHeight, frame().width(), kHeight));
}

}  // namespace tovera
