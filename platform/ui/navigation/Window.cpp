#include "platform/ui/navigation/Window.h"

#include "platform/ui/accessibility/Accessibility.h"
#include "platform/ui/navigation/FocusChain.h"
#include "platform/ui/navigation/KeyCommands.h"
#include "platform/ui/navigation/StatusBar.h"
#include "platform/ui/navigation/ViewController.h"
#include "platform/ui/overlays/Keyboard.h"
#include "platform/ui/overlays/KeyboardBar.h"
#include "platform/ui/runtime/Application.h"

#include <QPointer>
#include <QShortcut>

namespace tovera::platform::ui {

namespace {

QPointer<Window>& keyWindowRef() {
    static QPointer<Window> window;
    return window;
}

}  // namespace

Window::Window(QWidget* parent) : View(QRectF(0, 0, kScreenWidth, kScreenHeight), parent) {
    setWindowTitle(QStringLiteral("Tovera"));
    setFixedSize(int(kScreenWidth), int(kScreenHeight));
    setBackgroundColor(Qt::black);
    setFocusPolicy(Qt::StrongFocus);
    statusBar_ = new StatusBar(this);
    keyboardPanel_ = new KeyboardBar(this);
    Keyboard& keyboard = Keyboard::shared();
    connect(&keyboard, &Keyboard::willShow, this, [this] { keyboardChanged(true); });
    connect(&keyboard, &Keyboard::willHide, this, [this] { keyboardChanged(false); });
    if (!keyWindowRef()) keyWindowRef() = this;
    KeyCommands::install(this);
    focusRing_ = new FocusRing(this);
    accessibility::install();
    // A debugging aid: Ctrl+Shift+M plays a memory warning.
    auto* warning = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), this);
    connect(warning, &QShortcut::activated, this, [] { Application::postMemoryWarning(); });
}

Window::~Window() {
    // Views deleted with the window below may ask for the key window: by
    // then this is no Window any more, so it stops being the key window first.
    if (keyWindowRef() == this) keyWindowRef() = nullptr;
    if (root_) delete root_.data();
}

Window* Window::keyWindow() {
    return keyWindowRef();
}

Window* Window::of(const QWidget* widget) {
    return qobject_cast<Window*>(View::rootView(widget));
}

void Window::makeKeyAndVisible() {
    keyWindowRef() = this;
    show();
    if (!isWindow()) window()->show();
    activateWindow();
    if (root_ && !root_->isVisible()) {
        root_->beginAppearance(false);
        root_->endAppearance(false);
    }
}

void Window::setRootViewController(ViewController* controller) {
    if (controller == root_) return;
    if (root_) {
        root_->view()->hide();
        root_->deleteLater();
    }
    root_ = controller;
    if (!controller) return;
    controller->setParent(this);
    View* view = controller->view();
    view->setFrame(applicationFrame());
    View::addSubview(view);
    view->lower();
    raiseChrome();
    if (isVisible()) {
        controller->beginAppearance(false);
        controller->endAppearance(false);
    }
}

QRectF Window::applicationFrame() {
    return QRectF(0, kStatusBarHeight, kScreenWidth, kScreenHeight - kStatusBarHeight);
}

void Window::addSubview(QWidget* view) {
    View::addSubview(view);
    raiseChrome();
}

void Window::addFloatingView(QWidget* view) {
    View::addSubview(view);
    view->setProperty("toveraFloating", true);
    raiseChrome();
}

void Window::raiseChrome() {
    if (keyboardPanel_) keyboardPanel_->raise();
    if (statusBar_) statusBar_->raise();
    for (QWidget* child : subviews())
        if (child->property("toveraFloating").toBool()) child->raise();
    if (focusRing_) focusRing_->raise();
}

void Window::keyboardChanged(bool shown) {
    keyboardPanel_->setInput(shown ? Keyboard::shared().input() : nullptr);
    keyboardPanel_->setHidden(!shown || !Keyboard::onScreen());
    raiseChrome();
}

void Window::layoutSubviews() {
    if (statusBar_) statusBar_->setFrame(QRectF(0, 0, kScreenWidth, kStatusBarHeight));
}

}  // namespace tovera::platform::ui
