// A screen: it builds its view once, on first use (loadView, then
// viewDidLoad), hears the four appearance callbacks with the animated flag,
// carries a title and a navigation item, and can present another screen
// modally over the whole window. Screens are QObjects: a navigation
// controller or the presenting screen owns the screens it shows.
#pragma once

#include <QObject>
#include <QPointer>

#include "platform/ui/navigation/NavigationItem.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {

class NavigationController;

class ViewController : public QObject {
    Q_OBJECT
public:
    explicit ViewController(QObject* parent = nullptr);
    ~ViewController() override;

    /// The screen's view, built on first use: loadView(), then viewDidLoad().
    View* view();
    bool isViewLoaded() const { return view_ != nullptr; }
    /// Replaces the view (taking ownership; the old one is deleted).
    void setView(View* view);

    QString title() const { return navigationItem_->title(); }
    /// Also the navigation item's title.
    void setTitle(const QString& title);
    NavigationItem* navigationItem() const { return navigationItem_; }

    /// The navigation controller whose stack holds this screen (or holds the
    /// screen that presented it), if any.
    NavigationController* navigationController() const;
    /// The screen this one was pushed onto or presented from.
    ViewController* parentViewController() const { return parentController_; }
    void setParentViewController(ViewController* parent) { parentController_ = parent; }

    /// The screen presented over this one, if any.
    ViewController* modalViewController() const { return presented_; }
    /// The screen that presented this one, if any.
    ViewController* presentingViewController() const { return presenting_; }
    /// Shows `controller` (taking ownership) over the whole area below the
    /// status bar. This screen hears will/did disappear, the new one
    /// will/did appear.
    void presentModalViewController(ViewController* controller, bool animated);
    /// Takes away the screen presented by this one or, called on the
    /// presented screen, that screen itself; it is deleted afterwards.
    void dismissModalViewControllerAnimated(bool animated);
    /// The screen whose appearance a presentation from this one changes:
    /// its navigation controller when it has one, else itself.
    ViewController* presentationHost();

    /// F5 or Ctrl+R on this screen: reloads what it shows as pulling its
    /// list down does; false when the screen has nothing to reload.
    virtual bool refreshFromKeyboard() { return false; }
    /// Ctrl+F on this screen, before the caret goes into its search bar: a
    /// screen that searches elsewhere opens that search and returns true.
    virtual bool searchFromKeyboard() { return false; }

    /// Whether the screen is on screen (between did-appear and will-disappear).
    bool isVisible() const { return visible_; }

    /// Appearance, driven by the containers: `beginAppearance` sends
    /// will-appear, `endAppearance` did-appear (and likewise for
    /// disappearing), keeping isVisible() in step. Containers forward them
    /// to the screen they show.
    virtual void beginAppearance(bool animated);
    virtual void endAppearance(bool animated);
    virtual void beginDisappearance(bool animated);
    virtual void endDisappearance(bool animated);

    /// Builds the view (call view() rather than this); the default is an
    /// empty white view of the screen's size below the navigation bar
    /// (320 x 416 points). An override sets the view with setView().
    virtual void loadView();
    /// Runs once after the view was built (screens may run it again).
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewDidAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}
    virtual void viewDidDisappear(bool /*animated*/) {}

private:
    friend class NavigationController;

    QPointer<View> view_;
    bool loading_ = false;
    NavigationItem* navigationItem_;
    QPointer<ViewController> parentController_;
    QPointer<ViewController> presented_;
    QPointer<ViewController> presenting_;
    bool visible_ = false;
    bool dismissing_ = false;
};

}  // namespace tovera::platform::ui
