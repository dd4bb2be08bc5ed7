#include "platform/ui/overlays/ModalOverlay.h"

#include "platform/ui/navigation/Window.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/views/Button.h"
#include "platform/ui/views/Font.h"

namespace tovera::platform::ui {

namespace {

QList<ModalOverlay*>& shown() {
    static QList<ModalOverlay*> list;
    return list;
}

}  // namespace

ModalOverlay::ModalOverlay(const QString& title, const QStringList& buttons, QObject* parent)
    : QObject(parent), title_(title), buttons_(buttons) {}

ModalOverlay::~ModalOverlay() {
    shown().removeAll(this);
    if (presentation_) presentation_->deleteLater();
}

int ModalOverlay::addButtonWithTitle(const QString& title) {
    buttons_ << title;
    return int(buttons_.size()) - 1;
}

QList<ModalOverlay*> ModalOverlay::visibleOverlays() {
    return shown();
}

bool ModalOverlay::present() {
    if (presentation_) return true;
    Window* window = Window::keyWindow();
    if (!window) return false;
    // An overlay takes the keyboard away, as on the phone.
    Keyboard::shared().dismiss();
    auto* dimmer = new View(window->bounds());
    dimmer->setBackgroundColor(QColor(0, 0, 0, 100));
    presentation_ = dimmer;
    buildPresentation(dimmer);
    window->addFloatingView(dimmer);
    shown().removeAll(this);
    shown().append(this);
    return true;
}

Button* ModalOverlay::makeButton(View* parent, int index) {
    auto* button = new Button(parent);
    button->setTitle(buttons_.value(index));
    const bool destructive = index == destructiveIndex_;
    button->setTitleColor(destructive ? QColor(0xE0, 0x2B, 0x2B) : QColor(0x1A, 0x6E, 0xE0));
    button->setFont(index == cancelIndex_ ? Font::boldSystem(17) : Font::system(17));
    connect(button, &Control::touchUpInside, this,
            [this, index] { dismissWithClickedButtonIndex(index, true); });
    return button;
}

void ModalOverlay::dismissWithClickedButtonIndex(int index, bool) {
    if (!presentation_) return;
    // Guard against the delegate deleting this overlay while it is told.
    QPointer<ModalOverlay> self(this);
    notifyClicked(index);
    if (!self) return;
    if (onButton_) onButton_(index);
    if (!self) return;
    notifyWillDismiss(index);
    if (!self) return;
    if (presentation_) {
        presentation_->hide();
        presentation_->deleteLater();
        presentation_ = nullptr;
    }
    shown().removeAll(this);
    notifyDidDismiss(index);
    if (self && !parent()) deleteLater();
}

}  // namespace tovera::platform::ui
