#include "LinkFixture.h"

namespace orvane {
namespace {

using hid::DeviceRole;
using test::frameOf;
using test::hexOf;
using test::LinkTest;

class SyncTest : public LinkTest {};

TEST_F(SyncTest, StartUpReadsStatusAndSendsNothingForAHeldProfile) {
    link.start();
    settle();
    EXPECT_TRUE(link.linkActive());
    EXPECT_TRUE(link.mouseOnline());
    EXPECT_EQ(host.count("show"), 1);
    // The status read went to the wired mouse only, with sequence number 1.
    const auto statusReads = sim.log().sets(DeviceRole::Wired);
    ASSERT_EQ(statusReads.size(), 1u);
    EXPECT_EQ(hexOf(statusReads[0].data(), 7), "0C 01 20 00 01 00 00");
    EXPECT_TRUE(sim.log().sets(DeviceRole::Receiver).empty());
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    EXPECT_EQ(sim.log().sets(DeviceRole::Wired).size(), 1u);
    EXPECT_EQ(host.count("progress"), 0);
    EXPECT_TRUE(link.savePendingFlag());
}

TEST_F(SyncTest, PollingChangeSendsOneFrameToEachDevice) {
    startAndSettle();
    const uint8_t seq = link.nextSequence();
    profile().PollingRateValue = {3, 0, 0};
    link.markDirty(SyncGroup::Performance);
    link.armSync();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    const std::string s = hexOf(&seq, 1);
    EXPECT_EQ(sets(DeviceRole::Wired), std::vector<std::string>{"0C 01 07 00 " + s + " 01 01 01 00 00 00"});
    EXPECT_EQ(sets(DeviceRole::Receiver), std::vector<std::string>{"0C 00 07 00 " + s + " 01 01 01 00 00 00"});
    EXPECT_EQ(host.count("progress"), 1);
    EXPECT_EQ(sim.memory().pollingInterval, 1);
}

TEST_F(SyncTest, ButtonChangeTakesSixPauses) {
    startAndSettle();
    profile().keys[3].KeyValue = {0x80, 0xCD, 0x00};
    link.markDirty(SyncGroup::Buttons);
    const int64_t started = loop.nowMs();
    sync();
    // Six pauses, waited on the loop's timers, never in a sleep.
    EXPECT_EQ(loop.nowMs() - started, 360);
    EXPECT_EQ(loop.sleptMs(), 0);
    const auto wired = sim.log().sets(DeviceRole::Wired);
    ASSERT_EQ(wired.size(), 1u);
    Frame f;
    std::copy(wired[0].begin(), wired[0].end(), f.begin());
    Frame expected = frameOf("0C 01 04 00 00 01 04 03 80 CD 00");
    expected[4] = f[4];
    EXPECT_EQ(f, expected);
    // Assigning the same value again sends nothing.
    sim.log().clear();
    link.markDirty(SyncGroup::Buttons);
    sync();
    EXPECT_TRUE(sim.log().sets(DeviceRole::Wired).empty());
}

TEST_F(SyncTest, BurstOfChangesGivesOnePassAndNothingChangedSendsNothing) {
    startAndSettle();
    for (int i = 0; i < 10; ++i) {
        profile().SetKeyDebounce(2 * i);
        link.markDirty(SyncGroup::Performance);
        link.armSync();
        loop.advanceMs(2);
    }
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    EXPECT_EQ(sim.log().sets(DeviceRole::Wired).size(), 1u);
    EXPECT_EQ(sim.memory().debounce, 18);

    sim.log().clear();
    host.saves = 0;
    link.markDirty(SyncGroup::Performance);
    link.markDirty(SyncGroup::Power);
    link.armSync();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    EXPECT_TRUE(sim.log().records().empty());
    EXPECT_TRUE(link.savePendingFlag());
    loop.advanceMs(DeviceLink::kSaveDelayMs);
    EXPECT_EQ(host.saves, 1);
    EXPECT_FALSE(link.savePendingFlag());
}

TEST_F(SyncTest, SequenceNumberWraps) {
    startAndSettle();
    for (int i = 0; i < 300; ++i) {
        const uint8_t expected = link.nextSequence();
        profile().PollingRateValue[0] = uint8_t(i % 2 ? 0 : 3);
        link.markDirty(SyncGroup::Performance);
        sync();
        const auto wired = sim.log().sets(DeviceRole::Wired);
        ASSERT_EQ(wired.back()[4], expected);
        ASSERT_EQ(link.nextSequence(), uint8_t(expected + 1));
    }
}

TEST_F(SyncTest, SavePendingWritesAtShutdown) {
    startAndSettle();
    profile().PollingRateValue = {0, 0, 0};
    link.markDirty(SyncGroup::Performance);
    sync();
    EXPECT_EQ(host.saves, 0);
    link.shutdown();
    EXPECT_EQ(host.saves, 1);
    EXPECT_FALSE(link.savePendingFlag());
}

TEST_F(SyncTest, WriteThatNoDeviceTookIsSentAgain) {
    startAndSettle();
    sim.injectFault(DeviceRole::Wired, sim::Fault::SetFails, sim::kFaultAlways);
    sim.injectFault(DeviceRole::Receiver, sim::Fault::SetFails, sim::kFaultAlways);
    profile().keys[2].KeyValue = {0x10, 0x10, 0x00};
    profile().PollingRateValue = {0, 0, 0};
    link.markDirty(SyncGroup::Buttons);
    link.markDirty(SyncGroup::Performance);
    sync();
    EXPECT_EQ(link.sentImages().buttons[2 + 3 * 2], 0x10);
    EXPECT_EQ(link.sentImages().buttons[3 + 3 * 2], 0x04);
    EXPECT_EQ(link.sentImages().polling, 2);

    sim.clearFaults(DeviceRole::Wired);
    sim.clearFaults(DeviceRole::Receiver);
    sim.log().clear();
    link.markDirty(SyncGroup::Buttons);
    link.markDirty(SyncGroup::Performance);
    sync();
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired), (std::vector<uint8_t>{0x04, 0x07}));
    EXPECT_EQ(sim.memory().buttons[2], (sim::KeyValue{0x10, 0x10, 0x00}));
}

TEST_F(SyncTest, WriteThatOneDeviceTookIsHeld) {
    startAndSettle();
    sim.injectFault(DeviceRole::Receiver, sim::Fault::SetFails, sim::kFaultAlways);
    profile().PollingRateValue = {0, 0, 0};
    link.markDirty(SyncGroup::Performance);
    sync();
    EXPECT_EQ(link.sentImages().polling, 8);
}

class ReceiverOnlySyncTest : public LinkTest {
protected:
    ReceiverOnlySyncTest() : LinkTest("receiver-only") {}
};

TEST_F(ReceiverOnlySyncTest, NewMouseBehindTheReceiverGetsTheWholeProfile) {
    link.start();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    // Receiver alone: target flag 1. Status, buttons (all six differ from cleared images),
    // DPI, colours, polling, lift-off, debounce, lighting, power.
    EXPECT_EQ(sim.log().commands(DeviceRole::Receiver),
              (std::vector<uint8_t>{0x20, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x08, 0x0B}));
    for (const auto& f : sim.log().sets(DeviceRole::Receiver)) EXPECT_EQ(f[1], 1);
    EXPECT_EQ(host.count("progress"), 0);  // a connection pass is quiet
    EXPECT_EQ(app.settings.GetMacId(), 0x5A3C91);
    EXPECT_EQ(sim.memory().pollingInterval, 2);
}

class AsleepSyncTest : public LinkTest {
protected:
    AsleepSyncTest() : LinkTest("receiver-only,asleep") {}
};

TEST_F(AsleepSyncTest, InactiveLinkSendsNothingAndKeepsGroupsDirty) {
    link.start();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    EXPECT_FALSE(link.linkActive());
    EXPECT_EQ(sim.log().commands(DeviceRole::Receiver), std::vector<uint8_t>{0x20});
    EXPECT_TRUE(link.dirty(SyncGroup::Buttons));
    EXPECT_FALSE(link.savePendingFlag());
    loop.advanceMs(DeviceLink::kNoticeDelayMs);
    EXPECT_EQ(host.notices, std::vector<int>{DeviceLink::kMouseAsleepNotice});
    EXPECT_EQ(host.count("show"), 0);

    // A tray click asks the mouse; it is still asleep, so nothing shows.
    link.showOrPoll();
    settle();
    EXPECT_FALSE(link.linkActive());
    EXPECT_EQ(host.count("show"), 0);
}

}  // namespace
}  // namespace orvane
