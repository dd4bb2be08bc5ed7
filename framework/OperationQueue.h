// A queue of background operations run on a bounded number of worker
// threads, first in, first out. Workers start when operations wait and end
// when the queue runs dry, so an idle queue holds no thread. Destroying the
// queue drops the operations that have not started; those running finish on
// their threads (which then end) without blocking the caller, so a screen
// that owns a queue can go away while a slow fetch is still running.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>

namespace tovera {

class OperationQueue {
public:
    explicit OperationQueue(int maxConcurrentOperationCount = 4);
    ~OperationQueue();
    OperationQueue(const OperationQueue&) = delete;
    OperationQueue& operator=(const OperationQueue&) = delete;

    /// Queues `operation`; it runs on one of the queue's worker threads.
    void addOperation(std::function<void()> operation);
    /// Drops every operation that has not started.
    void cancelAllOperations();

    int maxConcurrentOperationCount() const { return maxThreads_; }
    /// Operations waiting or running.
    std::size_t operationCount() const;
    /// Worker threads of this queue alive now.
    int threadCount() const;
    /// Worker threads of every queue of the process alive now.
    static int liveThreads();
    /// Blocks until no operation waits or runs (tests and benchmarks).
    void waitUntilAllOperationsAreFinished() const;
    /// The end of the process: no queue starts another operation, transfers
    /// in progress are abandoned, and every worker thread is joined (waiting
    /// a few seconds at most for running operations). Called by itself when
    /// the application object goes or the process exits.
    static void finishAll();

    /// What the queue and its workers share (a worker may outlive the queue).
    struct State;

private:
    std::shared_ptr<State> state_;
    int maxThreads_;
};

}  // namespace tovera
