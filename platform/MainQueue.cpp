#include "platform/MainQueue.h"

namespace tovera::platform {

namespace {

MainQueue* installedQueue = nullptr;

ManualMainQueue& defaultQueue() {
    static ManualMainQueue queue;
    return queue;
}

}  // namespace

MainQueue& mainQueue() {
    return installedQueue ? *installedQueue : defaultQueue();
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
