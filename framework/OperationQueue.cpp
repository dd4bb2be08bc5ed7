#include "framework/OperationQueue.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/ProcessEnd.h"
#include "platform/net/Http.h"

namespace tovera {

struct OperationQueue::State {
    mutable std::mutex mutex;
    mutable std::condition_variable idle;
    std::deque<std::function<void()>> waiting;
    int threads = 0;
    int running = 0;
};

namespace {

// How long the end of the process waits for running operations.
constexpr auto kExitWait = std::chrono::seconds(3);

std::atomic<int> processThreads{0};
// Set at the end of the process: workers take no further operation.
std::atomic<bool> finishing{false};

// Every worker thread of the process. The process joins them before it ends,
// because a thread still ending (freeing its thread-local curl handle) while
// the libraries it used are torn down corrupts memory. A worker that has
// ended is joined when the next one starts.
struct Workers {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::thread> threads;
    std::vector<std::thread::id> ended;
    bool hookedToEnd = false;

    bool hasEnded(std::thread::id id) const {
        return std::find(ended.begin(), ended.end(), id) != ended.end();
    }
    // With `mutex` held.
    void joinEnded() {
        for (auto thread = threads.begin(); thread != threads.end();) {
            if (!hasEnded(thread->get_id())) {
                ++thread;
                continue;
            }
            std::erase(ended, thread->get_id());
            thread->join();
            thread = threads.erase(thread);
        }
    }
};

// Never destroyed: workers may reach it while the process ends.
Workers& workers() {
    static auto* all = new Workers;
    return *all;
}

// The body of one worker: it holds the state, so it may outlive the queue.
void work(std::shared_ptr<OperationQueue::State> state) {
    std::unique_lock lock(state->mutex);
    while (!state->waiting.empty() && !finishing) {
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
    lock.unlock();
    Workers& all = workers();
    std::lock_guard ended(all.mutex);
    all.ended.push_back(std::this_thread::get_id());
    all.changed.notify_all();
}

void startWorker(std::shared_ptr<OperationQueue::State> state) {
    Workers& all = workers();
    std::lock_guard lock(all.mutex);
    all.joinEnded();
    all.threads.emplace_back(work, std::move(state));
    if (all.hookedToEnd) return;
    all.hookedToEnd = true;
    platform::atProcessEnd(&OperationQueue::finishAll);
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
    startWorker(state_);
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

void OperationQueue::finishAll() {
    finishing = true;
    platform::net::setTransfersAbandoned(true);
    Workers& all = workers();
    std::unique_lock lock(all.mutex);
    all.changed.wait_for(lock, kExitWait,
                         [&all] { return all.ended.size() == all.threads.size(); });
    all.joinEnded();
    // A worker stuck past the wait is left to the process's end.
    for (std::thread& thread : all.threads)
        thread.detach();
    all.threads.clear();
}

}  // namespace tovera
