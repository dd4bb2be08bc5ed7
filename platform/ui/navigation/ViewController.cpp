#include "platform/ui/navigation/ViewController.h"

#include "platform/Log.h"
#include "platform/ui/navigation/NavigationController.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Animation.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {

namespace {

constexpr Timers::Duration kModalDuration{300};

}  // namespace

ViewController::ViewController(QObject* parent)
    : QObject(parent), navigationItem_(new NavigationItem(this)) {}

ViewController::~ViewController() {
    if (view_) delete view_.data();
}

View* ViewController::view() {
    if (view_) return view_;
    if (loading_) {
        // loadView asked for the view before setting one.
        setView(new View(
            QRectF(0, 0, kScreenWidth, kScreenHeight - kStatusBarHeight - kNavigationBarHeight)));
        return view_;
    }
    loading_ = true;
    loadView();
    if (!view_) ViewController::loadView();
    loading_ = false;
    viewDidLoad();
    return view_;
}

void ViewController::setView(View* view) {
    if (view == view_) return;
    View* old = view_;
    view_ = view;
    if (old) {
        old->hide();
        old->deleteLater();
    }
}

void ViewController::loadView() {
    auto* view = new View(
        QRectF(0, 0, kScreenWidth, kScreenHeight - kStatusBarHeight - kNavigationBarHeight));
    view->setBackgroundColor(Qt::white);
    setView(view);
}

void ViewController::setTitle(const QString& title) {
    navigationItem_->setTitle(title);
}

NavigationController* ViewController::navigationController() const {
    for (ViewController* c = parentController_; c; c = c->parentController_)
        if (auto* nav = qobject_cast<NavigationController*>(c)) return nav;
    return nullptr;
}

void ViewController::beginAppearance(bool animated) {
    view();
    viewWillAppear(animated);
}

void ViewController::endAppearance(bool animated) {
    visible_ = true;
    viewDidAppear(animated);
}

void ViewController::beginDisappearance(bool animated) {
    visible_ = false;
    viewWillDisappear(animated);
}

void ViewController::endDisappearance(bool animated) {
    viewDidDisappear(animated);
}

ViewController* ViewController::presentationHost() {
    if (NavigationController* nav = navigationController()) return nav;
    return this;
}

void ViewController::presentModalViewController(ViewController* controller, bool animated) {
    ViewController* host = presentationHost();
    Window* window = Window::keyWindow();
    if (!controller || !window || host->presented_) {
        logLine("presentModalViewController: nothing to present over");
        return;
    }
    animated = animated && Animation::isEnabled();
    controller->setParent(host);
    host->presented_ = controller;
    presented_ = controller;
    controller->presenting_ = host;
    View* view = controller->view();
    const QRectF target = Window::applicationFrame();
    const bool hostVisible = host->isVisible();
    if (hostVisible) host->beginDisappearance(animated);
    controller->beginAppearance(animated);
    view->setFrame(animated ? target.translated(0, target.height()) : target);
    window->addSubview(view);
    QPointer<ViewController> guardHost(host);
    QPointer<ViewController> guardShown(controller);
    auto finish = [guardHost, guardShown, hostVisible, animated] {
        if (guardHost && hostVisible) {
            if (guardHost->view_) guardHost->view_->hide();
            guardHost->endDisappearance(animated);
        }
        if (guardShown) guardShown->endAppearance(animated);
    };
    if (!animated) {
        finish();
        return;
    }
    QPointer<View> guardView(view);
    Animation::run(
        view, kModalDuration,
        [guardView, target](double t) {
            if (guardView) guardView->setFrame(target.translated(0, target.height() * (1 - t)));
        },
        finish);
}

void ViewController::dismissModalViewControllerAnimated(bool animated) {
    ViewController* host = presentationHost();
    if (!host->presented_) {
        if (presenting_) presenting_->dismissModalViewControllerAnimated(animated);
        return;
    }
    ViewController* shown = host->presented_;
    if (shown->dismissing_) return;
    shown->dismissing_ = true;
    if (shown->presented_) shown->dismissModalViewControllerAnimated(false);
    animated = animated && Animation::isEnabled();
    const bool wasVisible = shown->isVisible();
    if (wasVisible) shown->beginDisappearance(animated);
    if (host->view_) host->view_->show();
    if (wasVisible) host->beginAppearance(animated);
    QPointer<ViewController> guardHost(host);
    QPointer<ViewController> guardShown(shown);
    auto finish = [guardHost, guardShown, wasVisible, animated] {
        if (guardShown) {
            if (guardShown->view_) guardShown->view_->hide();
            if (wasVisible) guardShown->endDisappearance(animated);
            guardShown->deleteLater();
        }
        if (guardHost) {
            guardHost->presented_ = nullptr;
            for (QObject* child : guardHost->children())
                if (auto* c = qobject_cast<ViewController*>(child);
                    c && c->presented_ == guardShown)
                    c->presented_ = nullptr;
            if (wasVisible) guardHost->endAppearance(animated);
        }
    };
    View* view = shown->view_;
    if (!animated || !view) {
        finish();
        return;
    }
    const QRectF start = view->frame();
    QPointer<View> guardView(view);
    Animation::run(
        view, kModalDuration,
        [guardView, start](double t) {
            if (guardView) guardView->setFrame(start.translated(0, start.height() * t));
        },
        finish);
}

}  // namespace tovera::platform::ui
