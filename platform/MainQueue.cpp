#include "platform/MainQueue.h"

#include <atomic>

namespace tovera::platform {

namespace {

// Set on the main thread, read by any thread that posts.
std::atomic<MainQueue*> installedQueue{nullptr};

// Never destroyed: a background thread may post while the process ends.
ManualMainQueue& defaultQueue() {
    static auto* queue = new ManualMainQueue;
    return *queue;
}

}  // namespace

MainQueue& mainQueue() {
    MainQueue* installed = installedQueue.load();
    return installed ? *installed : defaultQueue();
}

void setMainQueue(MainQueue* queue) {
    installedQueue = queue;
}

void ManualMainQueue::post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    arrived_.notify_all();
}

std::size_t ManualMainQueue::runPending() {
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(tasks_);
    }
    for (auto& task : batch)
        task();
    return batch.size();
}

bool ManualMainQueue::runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        runPending();
        if (done()) return true;
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_until(lock, deadline, [this] { return !tasks_.empty(); })) {
            lock.unlock();
            runPending();
            return done();
        }
    }
}

}  // namespace tovera::platform
