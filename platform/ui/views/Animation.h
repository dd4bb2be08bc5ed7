// Timed view changes (fades, slides, scroll deceleration) driven by the one
// timer facility, so tests can fast-forward them; switched off entirely, a
// change jumps to its end at once (tests usually run that way).
#pragma once

#include "platform/Timers.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace tovera::platform::ui {

class Animation {
public:
    enum class Curve { Linear, EaseInOut, EaseOut };

    /// Whether changes are animated at all (default: on).
    static void setEnabled(bool enabled);
    static bool isEnabled();

    /// Calls `step` with the progress (0 to 1, shaped by `curve`) about 60
    /// times a second for `duration`, then `done`. Nothing more is called
    /// once `context` is destroyed or the animation is cancelled. With
    /// animations off, or a zero duration, `step(1)` and `done` run at once.
    /// Returns an id for cancel() (0 when it already finished).
    static TimerId run(QObject* context, Timers::Duration duration,
                       std::function<void(double)> step, std::function<void()> done = {},
                       Curve curve = Curve::EaseInOut);

    /// Stops an animation where it is; its `done` is not called.
    static void cancel(TimerId id);

    static double shape(double t, Curve curve);
};

}  // namespace tovera::platform::ui
