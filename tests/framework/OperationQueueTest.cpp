#include <gtest/gtest.h>

#include <sys/wait.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/OperationQueue.h"
#include "platform/net/Http.h"
#include "tests/core/LoopbackServer.h"

using namespace tovera;

namespace {

// Holds operations until opened.
class Gate {
public:
    void wait() {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
    }
    void open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

TEST(OperationQueue, RunsEveryOperationOnNoMoreThanItsThreads) {
    OperationQueue queue(3);
    std::atomic<int> running{0};
    std::atomic<int> peak{0};
    std::atomic<int> done{0};
    Gate gate;
    for (int i = 0; i < 50; ++i)
        queue.addOperation([&] {
            const int now = ++running;
            for (int seen = peak; now > seen && !peak.compare_exchange_weak(seen, now);) {
            }
            gate.wait();
            --running;
            ++done;
        });
    EXPECT_LE(queue.threadCount(), 3);
    EXPECT_EQ(queue.operationCount(), 50u);
    gate.open();
    queue.waitUntilAllOperationsAreFinished();
    EXPECT_EQ(done, 50);
    EXPECT_LE(peak, 3);
    EXPECT_EQ(queue.threadCount(), 0) << "an idle queue holds no thread";
}

TEST(OperationQueue, GoingAwayDropsWaitingOperationsWithoutWaitingForRunningOnes) {
    auto gate = std::make_shared<Gate>();
    auto started = std::make_shared<Gate>();
    auto ran = std::make_shared<std::atomic<int>>(0);
    const int threadsBefore = OperationQueue::liveThreads();
    {
        OperationQueue queue(1);
        queue.addOperation([gate, started, ran] {
            started->open();
            gate->wait();
            ++*ran;
        });
        for (int i = 0; i < 5; ++i)
            queue.addOperation([ran] { ++*ran; });
        started->wait();
    }  // the running operation still waits on the gate: no deadlock here
    gate->open();
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (OperationQueue::liveThreads() > threadsBefore &&
           std::chrono::steady_clock::now() < limit)
        std::this_thread::yield();
    EXPECT_EQ(OperationQueue::liveThreads(), threadsBefore);
    EXPECT_EQ(*ran, 1) << "the five waiting operations never ran";
}

TEST(OperationQueue, CancelDropsOnlyWhatHasNotStarted) {
    OperationQueue queue(1);
    Gate gate;
    Gate started;
    std::atomic<int> ran{0};
    queue.addOperation([&] {
        started.open();
        gate.wait();
        ++ran;
    });
    queue.addOperation([&] { ++ran; });
    started.wait();
    queue.cancelAllOperations();
    gate.open();
    queue.waitUntilAllOperationsAreFinished();
    EXPECT_EQ(ran, 1);
    queue.addOperation([&] { ++ran; });
    queue.waitUntilAllOperationsAreFinished();
    EXPECT_EQ(ran, 2);
}

// Says so on stderr when the worker thread that made it has fully ended.
struct EndMark {
    ~EndMark() { std::fputs("worker thread ended\n", stderr); }
};

// A worker still ending while the process tears its libraries down corrupts
// memory, so exit() first abandons the running fetch, starts nothing more
// and joins the worker (its thread-local objects gone) before going on.
TEST(OperationQueueDeathTest, ExitJoinsTheWorkersAfterAbandoningTheirFetches) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Neither goes away at exit, so only the exit's own work ends the fetch.
            static auto& silent = *new tovera::test::SilentPort(std::chrono::seconds(60));
            static auto& queue = *new OperationQueue(1);
            queue.addOperation([] {
                thread_local EndMark mark;
                platform::net::HttpRequest request;
                request.url = "http://127.0.0.1:" + std::to_string(silent.port()) + "/";
                request.timeout = std::chrono::seconds(60);
                platform::net::fetch(request);
            });
            queue.addOperation([] { std::_Exit(3); });  // waits: must never run
            while (!silent.connectionWaiting())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            std::exit(0);
        },
        // Code 3 is the waiting operation. Under the leak checker, libcrypto's
        // per-thread state of a joined worker makes the code 1.
        [](int status) { return WIFEXITED(status) && WEXITSTATUS(status) != 3; },
        "worker thread ended");
}

}  // namespace
