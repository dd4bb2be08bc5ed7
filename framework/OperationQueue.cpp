#include "framework/OperationQueue.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace tovera {

namespace {
std::atomic<int> processThreads{0};
}  // namespace

struct OperationQueue::State {
    mutable std::mutex mutex;
    mutable std::condition_variable idle;
    std::deque<std::function<void()>> waiting;
    int threads = 0;
    int running = 0;
};

namespace {

// The body of one worker: it holds the state, so it may outlive the queue.
void work(std::shared_ptr<OperationQueue::State> state) {
    std::unique_lock lock(state->mutex);
    while (!state->waiting.empty()) {
        std::function<void()> operation = std::move(state->waiting.front());
        state->waiting.pop_front();
        ++state->running;
        lock.unlock();
        operation();
        operation = nullptr;  // release what it captured outside the lock
        lock.lock();
        --state->running;
    }
    --state->threads;
    --processThreads;
    state->idle.notify_all();
}

}  // namespace

OperationQueue::OperationQueue(int maxConcurrentOperationCount)
    : state_(std::make_shared<State>()), maxThreads_(std::max(1, maxConcurrentOperationCount)) {}

OperationQueue::~OperationQueue() {
    cancelAllOperations();
}

void OperationQueue::addOperation(std::function<void()> operation) {
    if (!operation) return;
    std::lock_guard lock(state_->mutex);
    state_->waiting.push_back(std::move(operation));
    if (state_->threads >= maxThreads_) return;
    ++state_->threads;
    ++processThreads;
    std::thread(work, state_).detach();
}

void OperationQueue::cancelAllOperations() {
    std::lock_guard lock(state_->mutex);
    state_->waiting.clear();
    state_->idle.notify_all();
}

std::size_t OperationQueue::operationCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->waiting.size() + static_cast<std::size_t>(state_->running);
}

int OperationQueue::threadCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->threads;
}

int OperationQueue::liveThreads() {
    return processThreads.load();
}

void OperationQueue::waitUntilAllOperationsAreFinished() const {
    std::unique_lock lock(state_->mutex);
    state_->idle.wait(lock, [this] { return state_->threads == 0 && state_->waiting.empty(); });
}

}  // namespace tovera
