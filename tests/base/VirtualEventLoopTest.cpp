#include <gtest/gtest.h>

#include <vector>

#include "base/VirtualEventLoop.h"

using orvane::VirtualEventLoop;

TEST(VirtualEventLoop, FiresDueTimersInTimeOrderAndRearmRestarts) {
    VirtualEventLoop loop;
    std::vector<int> fired;
    int owner = 0;
    loop.setTimer(&owner, 30, 20, [&] { loop.killTimer(&owner, 30); fired.push_back(30); });
    loop.setTimer(&owner, 80, 15, [&] { loop.killTimer(&owner, 80); fired.push_back(80); });
    loop.advanceMs(10);
    loop.setTimer(&owner, 30, 20, [&] { loop.killTimer(&owner, 30); fired.push_back(30); });  // restart
    loop.advanceMs(15);
    EXPECT_EQ(fired, std::vector<int>({80}));
    loop.advanceMs(5);
    EXPECT_EQ(fired, std::vector<int>({80, 30}));
    EXPECT_EQ(loop.nowMs(), 30);
}

TEST(VirtualEventLoop, RepeatingTimerAndSleepDoNotFireDuringPause) {
    VirtualEventLoop loop;
    int ticks = 0;
    int owner = 0;
    loop.setTimer(&owner, 110, 1000, [&] { ++ticks; });
    loop.sleepMs(2500);  // a blocking pause: nothing fires inside it
    EXPECT_EQ(ticks, 0);
    loop.runPending();  // overdue timer fires once when the loop runs again
    EXPECT_EQ(ticks, 1);
    loop.advanceMs(3000);
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(loop.sleptMs(), 2500);
}

TEST(VirtualEventLoop, PostedWorkRunsInOrder) {
    VirtualEventLoop loop;
    std::vector<int> order;
    loop.post([&] { order.push_back(1); loop.post([&] { order.push_back(3); }); });
    loop.post([&] { order.push_back(2); });
    loop.runPending();
    EXPECT_EQ(order, std::vector<int>({1, 2, 3}));
}
