#include "platform/MainQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace tovera::platform;

TEST(MainQueue, RunsTasksPostedFromOtherThreadsInOrderOnTheDrivingThread) {
    ManualMainQueue queue;
    std::vector<int> seen;
    const auto mainId = std::this_thread::get_id();
    std::atomic<bool> wrongThread = false;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i)
            queue.post([&, i] {
                if (std::this_thread::get_id() != mainId) wrongThread = true;
                seen.push_back(i);
            });
    });
    EXPECT_TRUE(queue.runUntil([&] { return seen.size() == 100; }));
    worker.join();
    EXPECT_FALSE(wrongThread);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(seen[i], i);
}

TEST(MainQueue, TasksQueuedWhileRunningWaitForTheNextRound) {
    ManualMainQueue queue;
    int runs = 0;
    queue.post([&] {
        ++runs;
        queue.post([&] { ++runs; });
    });
    EXPECT_EQ(queue.runPending(), 1u);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(queue.runPending(), 1u);
    EXPECT_EQ(runs, 2);
}

TEST(MainQueue, RunUntilGivesUpAtItsLimit) {
    ManualMainQueue queue;
    EXPECT_FALSE(queue.runUntil([] { return false; }, std::chrono::milliseconds(20)));
}

TEST(MainQueue, InstalledQueueReceivesPosts) {
    ManualMainQueue queue;
    setMainQueue(&queue);
    bool ran = false;
    mainQueue().post([&] { ran = true; });
    setMainQueue(nullptr);
    queue.runPending();
    EXPECT_TRUE(ran);
}
