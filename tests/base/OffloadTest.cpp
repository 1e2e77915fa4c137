// Blocking work handed off the loop's thread, and the virtual loop running until a condition.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/RealEventLoop.h"
#include "base/VirtualEventLoop.h"
#include "base/WorkerThread.h"

namespace orvane {
namespace {

TEST(Offload, RealLoopRunsWorkAsideInOrderAndDoneOnItsOwnThread) {
    RealEventLoop loop;
    const auto loopThread = std::this_thread::get_id();
    std::vector<int> done;
    std::atomic<int> workedAside{0};
    for (int i = 0; i < 3; ++i)
        loop.offload([&] { workedAside += std::this_thread::get_id() != loopThread; },
                     [&, i] {
                         EXPECT_EQ(std::this_thread::get_id(), loopThread);
                         done.push_back(i);
                     });
    ASSERT_TRUE(loop.runUntil([&] { return done.size() == 3; }, 5000));
    EXPECT_EQ(done, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(workedAside, 3);
}

TEST(Offload, RealLoopKeepsItsTimersWhileWorkBlocks) {
    RealEventLoop loop;
    const int owner = 0;
    std::atomic<int> ticks{0};
    int ticksWhileBlocked = -1;
    bool finished = false;
    loop.setTimer(&owner, 1, 5, [&] { ++ticks; });
    // The work blocks until the loop's timer has fired three times: only a loop that goes on
    // meanwhile gets there.
    loop.offload(
        [&] {
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (ticks < 3 && std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        },
        [&] {
            ticksWhileBlocked = ticks;
            finished = true;
        });
    ASSERT_TRUE(loop.runUntil([&] { return finished; }, 20000));
    EXPECT_GE(ticksWhileBlocked, 3);
}

TEST(Offload, RealLoopStopsAtTheConditionBeforeATimerThatFellDueMeanwhile) {
    // A handler that meets the condition while a later timer falls due (a slow machine): the
    // caller gets control back first, and the queue's rest stays for the next run.
    RealEventLoop loop;
    const int owner = 0;
    bool met = false, fired = false, later = false;
    loop.setTimer(&owner, 1, 5, [&] { fired = true; });
    loop.post([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        met = true;
    });
    loop.post([&] { later = true; });
    ASSERT_TRUE(loop.runUntil([&] { return met; }, 5000));
    EXPECT_FALSE(fired);
    EXPECT_FALSE(later);
    loop.killTimer(&owner, 1);
    ASSERT_TRUE(loop.runUntil([&] { return later; }, 5000));
    EXPECT_FALSE(fired);
}

TEST(Offload, StoppingAWorkerFinishesTheCurrentWorkAndDropsTheRest) {
    WorkerThread worker;
    std::atomic<bool> started{false}, release{false};
    std::atomic<int> ran{0};
    worker.run([&] {
        started = true;
        while (!release) std::this_thread::yield();
        ++ran;
    });
    worker.run([&] { ran += 10; });
    while (!started) std::this_thread::yield();
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        release = true;
    });
    worker.stop();
    releaser.join();
    EXPECT_EQ(ran, 1);
    worker.run([&] { ran += 100; });  // ignored once stopped
    EXPECT_EQ(ran, 1);
}

TEST(Offload, VirtualLoopWorksAtOnceAndDeliversLikeAPost) {
    VirtualEventLoop loop;
    std::vector<std::string> order;
    loop.offload([&] { order.push_back("work"); }, [&] { order.push_back("done"); });
    order.push_back("returned");
    loop.runPending();
    EXPECT_EQ(order, (std::vector<std::string>{"work", "returned", "done"}));
}

TEST(Offload, VirtualLoopRunsUntilAConditionOrItsLimit) {
    VirtualEventLoop loop;
    const int owner = 0;
    int fired = 0;
    loop.setTimer(&owner, 1, 60, [&] { ++fired; });
    EXPECT_TRUE(loop.runUntil([&] { return fired == 3; }, 1000));
    EXPECT_EQ(loop.nowMs(), 180);
    EXPECT_FALSE(loop.runUntil([&] { return fired == 100; }, 100));
    EXPECT_EQ(loop.nowMs(), 280);
    EXPECT_EQ(fired, 4);
}

}  // namespace
}  // namespace orvane
