// The main-thread queue: every piece of logic runs on the main thread, and
// work finished elsewhere (transfers, picture fetches) is handed back here.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace tovera::platform {

class MainQueue {
public:
    virtual ~MainQueue() = default;
    /// Queues `task` to run on the main thread. Safe to call from any thread.
    virtual void post(std::function<void()> task) = 0;
};

/// The queue of this process. Until one is installed, a ManualMainQueue
/// owned by the process serves.
MainQueue& mainQueue();
/// Installs `queue` (not owned) as the main-thread queue; nullptr restores the default.
void setMainQueue(MainQueue* queue);

/// A queue without an event loop: the thread that drives it (a test, or a
/// command-line tool) runs the queued tasks itself.
class ManualMainQueue : public MainQueue {
public:
    void post(std::function<void()> task) override;

    /// Runs every task queued so far (and none queued while they run).
    /// Returns how many ran.
    std::size_t runPending();

    /// Runs tasks as they arrive until `done()` holds or `limit` has passed
    /// (waiting on arrivals, never sleeping blindly). Returns `done()`.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::seconds(10));

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace tovera::platform
