// The one timer facility: every delay of the program (overlay auto-hide,
// toasts, polls, refresh intervals, fades) is scheduled here, on a clock that
// tests can move forward instead of sleeping.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace tovera::platform {

using TimerId = std::uint64_t;

class Timers {
public:
    using Clock = std::chrono::steady_clock;
    using Duration = std::chrono::milliseconds;

    virtual ~Timers() = default;

    /// Runs `fire` on the main thread once `delay` has passed, and again every
    /// `delay` when `repeats`. Returns an id for cancel().
    TimerId schedule(Duration delay, std::function<void()> fire, bool repeats = false);
    /// Cancels a timer; unknown or finished ids are ignored.
    void cancel(TimerId id);
    bool isScheduled(TimerId id) const { return timers_.count(id) != 0; }

    /// The facility's clock: the steady clock plus every fast-forward so far.
    Clock::time_point now() const { return Clock::now() + skew_; }
    /// Moves the clock forward by `by` and fires, in deadline order, every
    /// timer that has come due (repeating timers as often as they fall due).
    void fastForward(Duration by);
    /// Fires every timer whose deadline has passed. Returns how many fired.
    std::size_t runDue();
    /// Deadline of the next timer, if any.
    std::optional<Clock::time_point> nextDeadline() const;

protected:
    /// Told whenever the earliest deadline may have changed, so an event
    /// loop can arrange to call runDue() in time.
    virtual void deadlinesChanged() {}

private:
    struct Timer {
        Clock::time_point deadline;
        Duration interval;
        bool repeats;
        std::function<void()> fire;
    };

    std::map<TimerId, Timer> timers_;
    TimerId nextId_ = 1;
    Clock::duration skew_{};
};

/// The facility of this process (a plain Timers driven by runDue() until an
/// event loop installs its own).
Timers& timers();
/// Installs `facility` (not owned); nullptr restores the default.
void setTimers(Timers* facility);

}  // namespace tovera::platform
