// The navigation stack: a bar on top and the top screen below it. Pushing,
// popping (one, to a given screen, to the root) and replacing the stack send
// the appearance callbacks in the phone's order:
//   delegate will-show(new), old will-disappear, new will-appear,
//   [slide when animated], old did-disappear, new did-appear,
//   delegate did-show(new).
// (Callbacks are sent only while the stack itself is on screen.) The stack
// owns its screens; a screen taken off the stack is deleted afterwards
// (later, so it may pop itself from its own handler).
#pragma once

#include "platform/Timers.h"
#include "platform/ui/navigation/ViewController.h"
#include "platform/ui/runtime/WeakDelegate.h"

#include <QList>
#include <QPointer>

#include <functional>

namespace tovera::platform::ui {

class NavigationBar;
class NavigationController;

class NavigationControllerDelegate {
public:
    virtual ~NavigationControllerDelegate() = default;
    virtual void navigationControllerWillShow(NavigationController*, ViewController*,
                                              bool /*animated*/) {}
    virtual void navigationControllerDidShow(NavigationController*, ViewController*,
                                             bool /*animated*/) {}
};

class NavigationController : public ViewController {
    Q_OBJECT
public:
    explicit NavigationController(ViewController* root, QObject* parent = nullptr);
    ~NavigationController() override;

    void pushViewController(ViewController* controller, bool animated);
    /// Returns the popped screen (deleted later), or null at the root.
    ViewController* popViewControllerAnimated(bool animated);
    QList<ViewController*> popToRootViewControllerAnimated(bool animated);
    QList<ViewController*> popToViewController(ViewController* controller, bool animated);
    /// Replaces the whole stack; screens not kept are deleted later.
    void setViewControllers(const QList<ViewController*>& controllers, bool animated);

    /// The stack, root first.
    QList<ViewController*> viewControllers() const;
    ViewController* topViewController() const;
    /// The screen presented over the top one, or the top one.
    ViewController* visibleViewController() const;

    NavigationBar* navigationBar();
    bool isNavigationBarHidden() const { return barHidden_; }
    void setNavigationBarHidden(bool hidden, bool animated);

    NavigationControllerDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(NavigationControllerDelegate* delegate) { delegate_ = delegate; }

    /// The area the screens fill, in the navigation controller's view.
    QRectF contentFrame() const;

    void beginAppearance(bool animated) override;
    void endAppearance(bool animated) override;
    void beginDisappearance(bool animated) override;
    void endDisappearance(bool animated) override;
    void loadView() override;

private:
    void transition(ViewController* from, ViewController* to, bool animated, bool forward,
                    QList<ViewController*> removed);
    void finishPendingTransition();
    void adopt(ViewController* controller);
    void updateBar();
    void layoutContent();

    QList<QPointer<ViewController>> stack_;
    NavigationBar* bar_ = nullptr;
    View* content_ = nullptr;
    bool barHidden_ = false;
    WeakDelegate<NavigationControllerDelegate> delegate_;
    std::function<void()> pendingFinish_;
    TimerId pendingAnimation_ = 0;
};

}  // namespace tovera::platform::ui
