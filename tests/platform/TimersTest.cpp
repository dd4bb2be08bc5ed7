#include "platform/Timers.h"

#include <gtest/gtest.h>

#include <string>

using namespace tovera::platform;
using namespace std::chrono_literals;

TEST(Timers, FastForwardFiresDueTimersInDeadlineOrder) {
    Timers t;
    std::string order;
    t.schedule(10s, [&] { order += "b"; });
    t.schedule(1000ms, [&] { order += "a"; });
    auto cancelled = t.schedule(5s, [&] { order += "x"; });
    t.cancel(cancelled);
    t.fastForward(999ms);
    EXPECT_EQ(order, "");
    t.fastForward(1ms);
    EXPECT_EQ(order, "a");
    t.fastForward(20s);
    EXPECT_EQ(order, "ab");
    EXPECT_FALSE(t.nextDeadline());
}

TEST(Timers, RepeatingTimerFiresOncePerIntervalUntilCancelled) {
    Timers t;
    int polls = 0;
    auto id = t.schedule(
        300s, [&] { ++polls; }, true);
    t.fastForward(900s);
    EXPECT_EQ(polls, 3);
    t.cancel(id);
    t.fastForward(900s);
    EXPECT_EQ(polls, 3);
}

TEST(Timers, ATimerMayScheduleAndCancelFromItsOwnCallback) {
    Timers t;
    int fired = 0;
    TimerId self = 0;
    self = t.schedule(
        1s,
        [&] {
            ++fired;
            t.cancel(self);
            t.schedule(1s, [&] { fired += 10; });
        },
        true);
    t.fastForward(1s);
    EXPECT_EQ(fired, 1);
    t.fastForward(1s);
    EXPECT_EQ(fired, 11);
}

TEST(Timers, ClockAdvancesWithFastForward) {
    Timers t;
    auto before = t.now();
    t.fastForward(1h);
    EXPECT_GE(t.now() - before, std::chrono::duration_cast<Timers::Clock::duration>(1h));
}
