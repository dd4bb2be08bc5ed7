#include "framework/ActivityView.h"

#include <QPointer>

#include "platform/Timers.h"
#include "platform/ui/navigation/Window.h"
#include "platform/ui/views/ActivityIndicatorView.h"

namespace tovera {

using platform::ui::ActivityIndicatorView;
using platform::ui::Window;

namespace {
constexpr double kSpinnerSide = 80;
constexpr double kSpinnerTop = 100;
}  // namespace

ActivityView* ActivityView::shared() {
    return forWindow(Window::keyWindow());
}

ActivityView* ActivityView::existing(Window* window) {
    if (!window) return nullptr;
    for (QWidget* child : window->subviews())
        if (auto* overlay = qobject_cast<ActivityView*>(child)) return overlay;
    return nullptr;
}

ActivityView* ActivityView::forWindow(Window* window) {
    if (!window) return nullptr;
    if (ActivityView* overlay = existing(window)) return overlay;
    return new ActivityView(window);
}

ActivityView::ActivityView(Window* window) {
    const QRectF area = window->bounds();
    setFrame(QRectF(0, kTopMargin, area.width(), area.height() - kTopMargin));
    setAutoresizingMask(FlexibleSize);
    setHidden(true);
    window->addSubview(this);
}

void ActivityView::show(const QObject* owner) {
    owner_ = owner;
    if (!activityView_) {
        activityView_ = new ActivityIndicatorView(ActivityIndicatorView::Style::WhiteLarge);
        activityView_->setFrame(
            QRectF((bounds().width() - kSpinnerSide) / 2, kSpinnerTop, kSpinnerSide, kSpinnerSide));
        activityView_->setAutoresizingMask(FlexibleLeftMargin | FlexibleRightMargin);
        // A dark rounded box, so the white spinner shows over white lists.
        activityView_->setBackgroundColor(QColor(0, 0, 0, 160));
        activityView_->setCornerRadius(10);
        addSubview(activityView_);
    }
    setHidden(false);
    raise();
    activityView_->startAnimating();
    if (autoDismiss_) platform::timers().cancel(*autoDismiss_);
    QPointer<ActivityView> self(this);
    autoDismiss_ = platform::timers().schedule(std::chrono::milliseconds(kAutoDismissMs), [self] {
        if (!self) return;
        self->autoDismiss_.reset();
        self->disMiss();
    });
}

void ActivityView::ownerGone(const QObject* owner) {
    ActivityView* overlay = existing(Window::keyWindow());
    if (overlay && owner && owner == overlay->owner_ && overlay->isShowing()) overlay->disMiss();
}

void ActivityView::disMiss() {
    owner_ = nullptr;
    if (autoDismiss_) platform::timers().cancel(*autoDismiss_);
    autoDismiss_.reset();
    setHidden(true);
    if (activityView_) activityView_->stopAnimating();
}

}  // namespace tovera
