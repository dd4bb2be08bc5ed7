// Letting time pass in tests without sleeping: run the event loop until a
// condition holds (with a limit), or move the timer facility's clock.
#pragma once

#include <chrono>
#include <functional>

namespace tovera::platform::ui::testing {

/// Runs the event loop until `done()` holds or `limit` passed; returns done().
bool waitFor(const std::function<bool()>& done,
             std::chrono::milliseconds limit = std::chrono::seconds(10));
/// Handles every event already queued (posted tasks, deferred deletes).
void processEvents();
/// Moves the timer facility's clock forward, firing what falls due, then
/// handles the events that caused.
void fastForward(std::chrono::milliseconds by);

}  // namespace tovera::platform::ui::testing
