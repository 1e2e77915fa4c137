// A pass waits for the mouse on the loop's timers, not in a sleep: the loop goes on between its
// frames, and what happens meanwhile (a change, a status request, a notification, an unplugged
// device, the end of the program) waits for its turn or ends the pass cleanly.
#include "LinkFixture.h"

namespace orvane {
namespace {

using hid::DeviceRole;
using test::LinkTest;

class PassTest : public LinkTest {
protected:
    PassTest() : LinkTest("wired-only") {}
    // All six buttons change: a pass of six frames, one every 60 ms.
    void changeEveryButton(uint8_t key) {
        for (int i = 1; i < kKeyCount; ++i)
            profile().keys[size_t(i)].KeyValue = {0x10, uint8_t(key + i), 0x00};
        profile().keys[0].KeyValue = {0x20, 0x01, 0x00};  // DPI up, not a left click
        link.markDirty(SyncGroup::Buttons);
    }
    std::vector<sim::FrameRecord> wiredSets() {
        std::vector<sim::FrameRecord> out;
        for (auto& r : sim.log().records())
            if (r.kind == hid::FrameKind::Set && r.device == DeviceRole::Wired) out.push_back(r);
        return out;
    }
};

TEST_F(PassTest, TheLoopGoesOnBetweenFramesAndTheFramesKeepTheirSpacing) {
    startAndSettle();
    changeEveryButton(0x04);
    const int owner = 0;
    std::vector<int64_t> ticks;
    loop.setTimer(&owner, 1, 25, [&] { ticks.push_back(loop.nowMs()); });
    const int64_t start = loop.nowMs();
    link.syncToDevice();
    EXPECT_TRUE(link.passRunning());
    settle();
    loop.killTimer(&owner, 1);
    // A 25 ms timer fired all through the 360 ms pass: nothing held the loop.
    ASSERT_GE(ticks.size(), 14u);
    EXPECT_LE(ticks.front(), start + 25);
    EXPECT_EQ(loop.sleptMs(), 0);
    const auto sets = wiredSets();
    ASSERT_EQ(sets.size(), 6u);
    for (size_t i = 1; i < sets.size(); ++i) {
        EXPECT_EQ(sets[i].ms - sets[i - 1].ms, 60);
        EXPECT_EQ(uint8_t(sets[i].bytes[4]), uint8_t(sets[i - 1].bytes[4] + 1));
    }
}

TEST_F(PassTest, AChangeMadeDuringAPassGoesOutWithTheNextOneInOrder) {
    startAndSettle();
    changeEveryButton(0x04);
    link.syncToDevice();
    loop.advanceMs(130);  // three button frames out
    ASSERT_EQ(wiredSets().size(), 3u);
    // The user changes the polling rate and a button the running pass is about to send.
    profile().PollingRateValue = {0, 0, 0};
    link.markDirty(SyncGroup::Performance);
    profile().keys[5].KeyValue = {0x10, 0x42, 0x00};
    link.markDirty(SyncGroup::Buttons);
    link.armSync();
    settle();
    const auto sets = wiredSets();
    std::vector<uint8_t> commands;
    for (const auto& s : sets) commands.push_back(s.bytes[2]);
    // The running pass sends what it decided (button 6 as it was); the next one the rest.
    EXPECT_EQ(commands, (std::vector<uint8_t>{0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x07}));
    EXPECT_EQ(sets[5].bytes[9], 0x09);
    EXPECT_EQ(sets[6].bytes[7], 5);
    EXPECT_EQ(sets[6].bytes[8], 0x10);
    EXPECT_EQ(sets[6].bytes[9], 0x42);
    for (size_t i = 1; i < sets.size(); ++i) {
        EXPECT_EQ(uint8_t(sets[i].bytes[4]), uint8_t(sets[i - 1].bytes[4] + 1));
        EXPECT_GE(sets[i].ms - sets[i - 1].ms, 60);
    }
    EXPECT_EQ(sim.memory().buttons[5], (sim::KeyValue{0x10, 0x42, 0x00}));
    EXPECT_EQ(sim.memory().pollingInterval, 8);
    // Two passes, each reported complete.
    ASSERT_GE(host.passes.size(), 2u);
    EXPECT_TRUE(host.passes[host.passes.size() - 2].complete());
    EXPECT_TRUE(host.passes.back().complete());
}

TEST_F(PassTest, AStatusRequestWaitsForTheRunningPass) {
    startAndSettle();
    changeEveryButton(0x04);
    link.syncToDevice();
    loop.advanceMs(70);
    link.requestStatus();
    settle();
    const auto commands = sim.log().commands(DeviceRole::Wired);
    ASSERT_EQ(commands.size(), 7u);
    EXPECT_EQ(commands.back(), 0x20);
}

TEST_F(PassTest, ANotificationDuringAPassDoesNotSwallowAChangeStillToBeSent) {
    startAndSettle();
    changeEveryButton(0x04);
    link.syncToDevice();
    loop.advanceMs(70);
    // The user picks another debounce time; before its pass the mouse reports a DPI button press.
    profile().SetKeyDebounce(8);
    link.markDirty(SyncGroup::Performance);
    link.armSync();
    ASSERT_TRUE(sim.userSelectDpiLevel(3).ok());
    ASSERT_TRUE(pumpUntil([&] { return link.currentDpiLevel() == 3; }));
    settle();
    // What the mouse reported is held and not sent back; the debounce change is not lost.
    const auto commands = sim.log().commands(DeviceRole::Wired);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x05), 0);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x0A), 1);
    EXPECT_EQ(sim.memory().debounce, 8);
}

TEST_F(PassTest, ShutdownDuringAPassSavesAndSendsNothingMore) {
    startAndSettle();
    changeEveryButton(0x04);
    link.syncToDevice();
    loop.advanceMs(70);
    ASSERT_EQ(wiredSets().size(), 2u);
    host.saves = 0;
    link.shutdown();
    EXPECT_EQ(host.saves, 1);  // the change that started the pass is written
    EXPECT_FALSE(link.passRunning());
    EXPECT_TRUE(link.idle());
    loop.advanceMs(1000);
    EXPECT_EQ(wiredSets().size(), 2u);
    // The frames it did not send are not claimed as held.
    EXPECT_TRUE(link.sentImages().buttons[5].differs({0x10, 0x09, 0x00}));
}

class BothDevicesPassTest : public LinkTest {};

TEST_F(BothDevicesPassTest, UnplugDuringAPassEndsItAndTheRestGoesToTheDeviceLeft) {
    startAndSettle();
    for (int i = 1; i < kKeyCount; ++i) profile().keys[size_t(i)].KeyValue = {0x10, uint8_t(0x20 + i), 0x00};
    link.markDirty(SyncGroup::Buttons);
    link.syncToDevice();
    loop.advanceMs(70);  // buttons 1 and 2 (positions 0 and 1: the first does not change)
    sim.unplug(DeviceRole::Receiver);
    const size_t toReceiver = sim.log().sets(DeviceRole::Receiver).size();
    settle();
    EXPECT_EQ(sim.log().sets(DeviceRole::Receiver).size(), toReceiver);
    EXPECT_TRUE(link.connection().isOpen(DeviceRole::Wired));
    EXPECT_FALSE(link.connection().isOpen(DeviceRole::Receiver));
    // Every button reached the mouse in the end, through the cable, each once after the cut.
    for (int i = 1; i < kKeyCount; ++i)
        EXPECT_EQ(sim.memory().buttons[size_t(i)], (sim::KeyValue{0x10, uint8_t(0x20 + i), 0x00})) << i;
    const auto wired = sim.log().commands(DeviceRole::Wired);
    EXPECT_EQ(std::count(wired.begin(), wired.end(), 0x04), 5);
    EXPECT_EQ(host.count("quit"), 0);
}

}  // namespace
}  // namespace orvane
