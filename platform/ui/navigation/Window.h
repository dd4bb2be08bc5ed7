// The one phone window: 320 x 480 points (drawn at the desktop scale chosen
// before the application starts), the status bar on top, the root screen
// below it, and above everything the keyboard stand-in, alerts, action
// sheets and toasts. Views a screen adds to the window itself (overlays, the
// picture viewer) go above the screens and below that chrome.
#pragma once

#include "platform/ui/navigation/ViewController.h"
#include "platform/ui/views/View.h"

#include <QPointer>

namespace tovera::platform::ui {

class FocusRing;
class KeyboardBar;
class StatusBar;

class Window : public View {
    Q_OBJECT
public:
    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    /// The window screens and overlays use: the last one made key.
    static Window* keyWindow();
    /// The phone window holding `widget`, if any.
    static Window* of(const QWidget* widget);
    /// Shows the window (and the desktop frame holding it) and makes it the
    /// key window.
    void makeKeyAndVisible();

    /// The root screen (owned); its view fills the area below the status bar.
    ViewController* rootViewController() const { return root_; }
    void setRootViewController(ViewController* controller);

    StatusBar* statusBar() const { return statusBar_; }
    /// The area below the status bar, in window coordinates.
    static QRectF applicationFrame();

    /// Adds a view above the screens and below the chrome.
    void addSubview(QWidget* view);
    /// Adds a floating view (alert, action sheet, toast) above everything.
    void addFloatingView(QWidget* view);

protected:
    void layoutSubviews() override;

private:
    void raiseChrome();
    void keyboardChanged(bool shown);

    StatusBar* statusBar_ = nullptr;
    KeyboardBar* keyboardPanel_ = nullptr;
    FocusRing* focusRing_ = nullptr;
    QPointer<ViewController> root_;
};

}  // namespace tovera::platform::ui
