#include "platform/Timers.h"

#include <vector>

namespace tovera::platform {

namespace {

Timers* installedTimers = nullptr;

}  // namespace

Timers& timers() {
    static Timers defaultTimers;
    return installedTimers ? *installedTimers : defaultTimers;
}

void setTimers(Timers* facility) {
    installedTimers = facility;
}

TimerId Timers::schedule(Duration delay, std::function<void()> fire, bool repeats) {
    if (delay < Duration::zero()) delay = Duration::zero();
    // A repeating timer with no interval would fire forever within one runDue().
    if (repeats && delay == Duration::zero()) delay = Duration(1);
    TimerId id = nextId_++;
    timers_.emplace(id, Timer{now() + delay, delay, repeats, std::move(fire)});
    deadlinesChanged();
    return id;
}

void Timers::cancel(TimerId id) {
    if (timers_.erase(id) != 0) deadlinesChanged();
}

std::optional<Timers::Clock::time_point> Timers::nextDeadline() const {
    std::optional<Clock::time_point> next;
    for (const auto& [id, timer] : timers_)
        if (!next || timer.deadline < *next) next = timer.deadline;
    return next;
}

std::size_t Timers::runDue() {
    std::size_t fired = 0;
    while (true) {
        // The earliest due timer, lowest id first among equal deadlines.
        auto due = timers_.end();
        const auto current = now();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (it->second.deadline <= current &&
                (due == timers_.end() || it->second.deadline < due->second.deadline))
                due = it;
        if (due == timers_.end()) break;

        std::function<void()> fire = due->second.fire;
        if (due->second.repeats)
            due->second.deadline += due->second.interval;
        else
            timers_.erase(due);
        ++fired;
        fire();  // may schedule or cancel timers, this one included
    }
    deadlinesChanged();
    return fired;
}

void Timers::fastForward(Duration by) {
    // Step through the deadlines so timers fire in order and see the clock at
    // their own deadline, as they would in real time.
    const auto target = now() + by;
    while (true) {
        auto next = nextDeadline();
        if (!next || *next > target) break;
        if (*next > now()) skew_ += *next - now();
        runDue();
    }
    if (target > now()) skew_ += target - now();
    runDue();
}

}  // namespace tovera::platform
