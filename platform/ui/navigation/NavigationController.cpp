#include "platform/ui/navigation/NavigationController.h"

#include "platform/ui/navigation/NavigationBar.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/Animation.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {

namespace {

constexpr Timers::Duration kSlideDuration{350};

}  // namespace

NavigationController::NavigationController(ViewController* root, QObject* parent)
    : ViewController(parent) {
    if (root) {
        adopt(root);
        stack_ << root;
    }
}

NavigationController::~NavigationController() {
    pendingFinish_ = nullptr;
    Animation::cancel(pendingAnimation_);
}

void NavigationController::loadView() {
    auto* container = new View(QRectF(QPointF(), Window::applicationFrame().size()));
    container->setBackgroundColor(Qt::black);
    bar_ = new NavigationBar(container);
    bar_->setAutoresizingMask(View::FlexibleWidth);
    content_ = new View(container);
    content_->setAutoresizingMask(View::FlexibleSize);
    connect(bar_, &NavigationBar::backRequested, this, [this] { popViewControllerAnimated(true); });
    setView(container);
    layoutContent();
    if (ViewController* top = topViewController()) {
        View* v = top->view();
        content_->addSubview(v);
        v->setFrame(content_->bounds());
    }
    updateBar();
}

NavigationBar* NavigationController::navigationBar() {
    view();
    return bar_;
}

QRectF NavigationController::contentFrame() const {
    const QSizeF size = isViewLoaded() ? QSizeF(content_->parentWidget()->size())
                                       : Window::applicationFrame().size();
    if (barHidden_) return QRectF(QPointF(), size);
    return QRectF(0, kNavigationBarHeight, size.width(), size.height() - kNavigationBarHeight);
}

void NavigationController::setNavigationBarHidden(bool hidden, bool) {
    barHidden_ = hidden;
    if (isViewLoaded()) layoutContent();
}

void NavigationController::layoutContent() {
    if (!content_) return;
    bar_->setHidden(barHidden_);
    bar_->setFrame(QRectF(0, 0, content_->parentWidget()->width(), kNavigationBarHeight));
    content_->setFrame(contentFrame());
    for (const auto& c : stack_)
        if (c && c->isViewLoaded() && c->view()->parentWidget() == content_)
            c->view()->setFrame(content_->bounds());
}

QList<ViewController*> NavigationController::viewControllers() const {
    QList<ViewController*> out;
    for (const auto& c : stack_)
        if (c) out << c;
    return out;
}

ViewController* NavigationController::topViewController() const {
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it)
        if (*it) return *it;
    return nullptr;
}

ViewController* NavigationController::visibleViewController() const {
    if (modalViewController()) return modalViewController();
    ViewController* top = topViewController();
    if (top && top->modalViewController()) return top->modalViewController();
    return top;
}

void NavigationController::adopt(ViewController* controller) {
    controller->setParent(this);
    controller->setParentViewController(this);
}

void NavigationController::pushViewController(ViewController* controller, bool animated) {
    if (!controller || viewControllers().contains(controller)) return;
    finishPendingTransition();
    ViewController* from = topViewController();
    adopt(controller);
    stack_ << controller;
    transition(from, controller, animated, true, {});
}

ViewController* NavigationController::popViewControllerAnimated(bool animated) {
    finishPendingTransition();
    QList<ViewController*> all = viewControllers();
    if (all.size() <= 1) return nullptr;
    ViewController* popped = all.takeLast();
    stack_.removeAll(popped);
    transition(popped, all.last(), animated, false, {popped});
    return popped;
}

QList<ViewController*> NavigationController::popToRootViewControllerAnimated(bool animated) {
    const QList<ViewController*> all = viewControllers();
    if (all.isEmpty()) return {};
    return popToViewController(all.first(), animated);
}

QList<ViewController*> NavigationController::popToViewController(ViewController* controller,
                                                                 bool animated) {
    finishPendingTransition();
    const QList<ViewController*> all = viewControllers();
    const qsizetype index = all.indexOf(controller);
    if (index < 0 || index == all.size() - 1) return {};
    const QList<ViewController*> removed = all.mid(index + 1);
    stack_.clear();
    for (ViewController* c : all.mid(0, index + 1))
        stack_ << c;
    transition(all.last(), controller, animated, false, removed);
    return removed;
}

void NavigationController::setViewControllers(const QList<ViewController*>& controllers,
                                              bool animated) {
    finishPendingTransition();
    const QList<ViewController*> old = viewControllers();
    ViewController* from = topViewController();
    QList<ViewController*> removed;
    for (ViewController* c : old)
        if (!controllers.contains(c)) removed << c;
    stack_.clear();
    for (ViewController* c : controllers) {
        if (!c) continue;
        adopt(c);
        stack_ << c;
    }
    ViewController* to = topViewController();
    if (to == from) {
        transition(nullptr, to, false, true, removed);
        return;
    }
    transition(from, to, animated, !old.contains(to), removed);
}

void NavigationController::finishPendingTransition() {
    if (!pendingFinish_) return;
    Animation::cancel(pendingAnimation_);
    pendingAnimation_ = 0;
    auto finish = std::move(pendingFinish_);
    pendingFinish_ = nullptr;
    finish();
}

void NavigationController::updateBar() {
    if (!bar_) return;
    const QList<ViewController*> all = viewControllers();
    ViewController* top = all.isEmpty() ? nullptr : all.last();
    ViewController* previous = all.size() >= 2 ? all[all.size() - 2] : nullptr;
    bar_->setItems(top ? top->navigationItem() : nullptr,
                   previous ? previous->navigationItem() : nullptr);
}

void NavigationController::transition(ViewController* from, ViewController* to, bool animated,
                                      bool forward, QList<ViewController*> removed) {
    auto cleanUp = [removed] {
        for (ViewController* c : removed) {
            if (!c) continue;
            if (c->isViewLoaded()) c->view()->hide();
            c->setParentViewController(nullptr);
            c->deleteLater();
        }
    };
    if (!isViewLoaded() || !to) {
        cleanUp();
        return;
    }
    if (from == to) from = nullptr;
    animated = animated && from && Animation::isEnabled();
    View* toView = to->view();
    if (toView->parentWidget() != content_) content_->addSubview(toView);
    toView->setFrame(content_->bounds());
    toView->show();
    View* fromView = from && from->isViewLoaded() ? from->view() : nullptr;
    if (forward || !fromView)
        toView->raise();
    else
        toView->stackUnder(fromView);

    const bool onScreen = isVisible();
    QPointer<ViewController> guardFrom(from);
    QPointer<ViewController> guardTo(to);
    if (auto* d = delegate_.get()) d->navigationControllerWillShow(this, to, animated);
    if (onScreen) {
        if (from) from->beginDisappearance(animated);
        to->beginAppearance(animated);
    }
    updateBar();

    auto finish = [this, guardFrom, guardTo, onScreen, animated, cleanUp] {
        pendingFinish_ = nullptr;
        pendingAnimation_ = 0;
        if (guardFrom && guardFrom != guardTo && guardFrom->isViewLoaded()) {
            guardFrom->view()->hide();
            guardFrom->view()->setFrame(content_->bounds());
        }
        if (guardTo && guardTo->isViewLoaded()) guardTo->view()->setFrame(content_->bounds());
        if (onScreen) {
            if (guardFrom && guardFrom != guardTo) guardFrom->endDisappearance(animated);
            if (guardTo) guardTo->endAppearance(animated);
        }
        cleanUp();
        if (guardTo)
            if (auto* d = delegate_.get()) d->navigationControllerDidShow(this, guardTo, animated);
    };
    if (!animated) {
        finish();
        return;
    }
    pendingFinish_ = finish;
    const double width = content_->bounds().width();
    QPointer<View> guardFromView(fromView);
    QPointer<View> guardToView(toView);
    pendingAnimation_ = Animation::run(
        content_, kSlideDuration,
        [guardFromView, guardToView, width, forward](double t) {
            // The new screen slides in from the right; going back, the old
            // one slides out to the right over the screen beneath.
            const double front = forward ? width * (1 - t) : width * t;
            const double back = forward ? -width * 0.3 * t : -width * 0.3 * (1 - t);
            if (guardToView) guardToView->move(int(forward ? front : back), 0);
            if (guardFromView) guardFromView->move(int(forward ? back : front), 0);
        },
        [this] {
            if (pendingFinish_) {
                auto f = std::move(pendingFinish_);
                pendingFinish_ = nullptr;
                f();
            }
        },
        Animation::Curve::EaseOut);
}

void NavigationController::beginAppearance(bool animated) {
    ViewController::beginAppearance(animated);
    if (ViewController* top = topViewController()) top->beginAppearance(animated);
}

void NavigationController::endAppearance(bool animated) {
    ViewController::endAppearance(animated);
    if (ViewController* top = topViewController()) top->endAppearance(animated);
}

void NavigationController::beginDisappearance(bool animated) {
    ViewController::beginDisappearance(animated);
    if (ViewController* top = topViewController()) top->beginDisappearance(animated);
}

void NavigationController::endDisappearance(bool animated) {
    ViewController::endDisappearance(animated);
    if (ViewController* top = topViewController()) top->endDisappearance(animated);
}

}  // namespace tovera::platform::ui
