#include "platform/ui/views/Animation.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tovera::platform::ui {

namespace {

bool animationsEnabled = true;
constexpr Timers::Duration kFrame{16};

}  // namespace

void Animation::setEnabled(bool enabled) {
    animationsEnabled = enabled;
}

bool Animation::isEnabled() {
    return animationsEnabled;
}

double Animation::shape(double t, Curve curve) {
    t = std::clamp(t, 0.0, 1.0);
    switch (curve) {
        case Curve::Linear:
            return t;
        case Curve::EaseOut:
            return 1 - (1 - t) * (1 - t);
        case Curve::EaseInOut:
            return t < 0.5 ? 2 * t * t : 1 - std::pow(-2 * t + 2, 2) / 2;
    }
    return t;
}

TimerId Animation::run(QObject* context, Timers::Duration duration,
                       std::function<void(double)> step, std::function<void()> done, Curve curve) {
    if (!animationsEnabled || duration <= Timers::Duration::zero()) {
        if (step) step(1.0);
        if (done) done();
        return 0;
    }
    struct State {
        QPointer<QObject> context;
        bool guarded;
        Timers::Clock::time_point start;
        Timers::Duration duration;
        std::function<void(double)> step;
        std::function<void()> done;
        Curve curve;
        TimerId id = 0;
    };
    auto state = std::make_shared<State>(State{context, context != nullptr, timers().now(),
                                               duration, std::move(step), std::move(done), curve});
    state->id = timers().schedule(
        kFrame,
        [state] {
            if (state->guarded && state->context.isNull()) {
                timers().cancel(state->id);
                return;
            }
            const double elapsed =
                std::chrono::duration<double>(timers().now() - state->start).count();
            const double t =
                std::min(1.0, elapsed / std::chrono::duration<double>(state->duration).count());
            if (t >= 1.0) timers().cancel(state->id);
            if (state->step) state->step(shape(t, state->curve));
            if (t >= 1.0 && state->done) state->done();
        },
        true);
    return state->id;
}

void Animation::cancel(TimerId id) {
    if (id) timers().cancel(id);
}

}  // namespace tovera::platform::ui
