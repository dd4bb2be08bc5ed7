// The shared loading overlay: one per window, a direct child of the key
// window covering it from 64 points below its top (status and navigation
// bars stay usable) to its bottom, with a large white spinner. It hides
// itself 10 seconds after the latest show(), and at once when the screen
// that showed it last goes away (its answer will never come to hide it).
#pragma once

#include <optional>

#include "platform/Timers.h"
#include "platform/ui/views/View.h"

namespace tovera::platform::ui {
class ActivityIndicatorView;
class Window;
}  // namespace tovera::platform::ui

namespace tovera {

class ActivityView : public platform::ui::View {
    Q_OBJECT
public:
    static constexpr double kTopMargin = 64;
    static constexpr int kAutoDismissMs = 10000;

    /// The overlay of the key window, created (hidden) on first use; null
    /// when there is no window.
    static ActivityView* shared();
    /// The overlay of `window`, created on first use.
    static ActivityView* forWindow(platform::ui::Window* window);

    /// `owner`: the screen waiting for the answer, if any.
    void show(const QObject* owner = nullptr);
    void disMiss();
    /// Hides the key window's overlay, when there is one, if `owner` made
    /// its latest show. Never creates the overlay.
    static void ownerGone(const QObject* owner);
    bool isShowing() const { return !isHidden(); }

    platform::ui::ActivityIndicatorView* activityView() const { return activityView_; }

private:
    explicit ActivityView(platform::ui::Window* window);
    static ActivityView* existing(platform::ui::Window* window);

    platform::ui::ActivityIndicatorView* activityView_ = nullptr;
    /// The automatic dismissal of the latest show: a later show replaces
    /// it, so an earlier show's timer never hides a later one early.
    std::optional<platform::TimerId> autoDismiss_;
    const QObject* owner_ = nullptr;
};

}  // namespace tovera
