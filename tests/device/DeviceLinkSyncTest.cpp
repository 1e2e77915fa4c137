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
    EXPECT_TRUE(link.presence().active());
    EXPECT_TRUE(link.presence().mouseOnline());
    EXPECT_EQ(host.count("show"), 1);
    // The status read went to the wired mouse only, with sequence number 1; the mouse is the
    // one last configured, so its macro counter is read next.
    const auto reads = sim.log().sets(DeviceRole::Wired);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(hexOf(reads[0].data(), 7), "0C 01 20 00 01 00 00");
    EXPECT_EQ(hexOf(reads[1].data(), 7), "0C 01 21 00 02 00 00");
    EXPECT_TRUE(sim.log().sets(DeviceRole::Receiver).empty());
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    EXPECT_EQ(sim.log().sets(DeviceRole::Wired).size(), 2u);
    EXPECT_EQ(host.count("progress"), 0);
    EXPECT_TRUE(link.saves().pending());
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
    EXPECT_TRUE(link.saves().pending());
    loop.advanceMs(SaveScheduler::kDelayMs);
    EXPECT_EQ(host.saves, 1);
    EXPECT_FALSE(link.saves().pending());
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
    EXPECT_FALSE(link.saves().pending());
}

TEST_F(SyncTest, AChangeStillWaitingAtShutdownIsNotTakenAsHeldNextTime) {
    startAndSettle();
    ASSERT_TRUE(app.settings.MacIdNamesAMouse());
    // Closed before the change's pass: the saved files hold it, the mouse does not.
    profile().PollingRateValue = {0, 0, 0};
    link.markDirty(SyncGroup::Performance);
    link.armSync();
    link.shutdown();
    EXPECT_FALSE(app.settings.MacIdNamesAMouse());
}

TEST_F(SyncTest, NothingWaitingAtShutdownKeepsTheMouseNamed) {
    startAndSettle();
    link.markDirty(SyncGroup::Power);  // marked, but nothing differs from what the mouse holds
    link.shutdown();
    EXPECT_TRUE(app.settings.MacIdNamesAMouse());
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
    EXPECT_EQ(link.sentImages().buttons[2].value(), (KeyValueImage{0x10, 0x04, 0x00}));
    EXPECT_EQ(link.sentImages().polling.value(), 2);

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
    EXPECT_EQ(link.sentImages().polling.value(), 8);
}

class ReceiverOnlySyncTest : public LinkTest {
protected:
    ReceiverOnlySyncTest() : LinkTest("receiver-only") { app.settings.SetMacId(0x123456); }
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
    EXPECT_FALSE(link.presence().active());
    EXPECT_EQ(sim.log().commands(DeviceRole::Receiver), std::vector<uint8_t>{0x20});
    EXPECT_TRUE(link.dirty(SyncGroup::Buttons));
    EXPECT_FALSE(link.saves().pending());
    loop.advanceMs(ConnectionNotices::kDelayMs);
    EXPECT_EQ(host.notices, std::vector<int>{ConnectionNotices::kMouseAsleep});
    EXPECT_EQ(host.count("show"), 0);

    // A tray click asks the mouse; it is still asleep, so nothing shows.
    link.showOrPoll();
    settle();
    EXPECT_FALSE(link.presence().active());
    EXPECT_EQ(host.count("show"), 0);
}

// A forgotten belief is unknown, not zero: a whole write sends the values that are zero too.
TEST_F(SyncTest, AWholeWriteSendsZeroValuedSettingsAndButtons) {
    startAndSettle();
    profile().keys[1].KeyValue = {0x00, 0x00, 0x00};  // disabled
    profile().SetKeyDebounce(0);
    profile().SetPairValue(ProfilePair::PowerDownTime, u"0");
    link.markDirty(SyncGroup::Buttons);
    link.markDirty(SyncGroup::Performance);
    link.markDirty(SyncGroup::Power);
    sync();
    // Another program set the mouse meanwhile; the user asks for the whole profile.
    sim.log().clear();
    sim.withModel([](sim::FirmwareModel& m) {
        m.memory().buttons[1] = {0x10, 0x02, 0x00};
        m.memory().debounce = 4;
    });
    link.forgetWhatTheMouseHolds();
    link.markDirty(SyncGroup::Buttons);
    link.markDirty(SyncGroup::Performance);
    link.markDirty(SyncGroup::Power);
    sync();
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired),
              (std::vector<uint8_t>{0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x08, 0x0B}));
    EXPECT_EQ(sim.memory().buttons[1], (sim::KeyValue{0x00, 0x00, 0x00}));
    EXPECT_EQ(sim.memory().debounce, 0);
}

TEST_F(SyncTest, ADifferentMouseOnTheCableGetsTheWholeProfile) {
    app.settings.SetMacId(0x123456);  // the mouse these settings last configured
    link.start();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    const auto commands = sim.log().commands(DeviceRole::Wired);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x04), 6);
    for (uint8_t c : {0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B})
        EXPECT_EQ(std::count(commands.begin(), commands.end(), c), 1) << int(c);
    EXPECT_EQ(app.settings.GetMacId(), test::kVirtualMouseMacId);
}

class SilentMouseTest : public LinkTest {
protected:
    SilentMouseTest() { app.settings.SetMacId(0xFFFFFFFFu); }
};

// Without a stored Mac_ID nothing says the mouse holds the profile, even when its status read
// does not answer.
TEST_F(SilentMouseTest, AMouseNeverConfiguredGetsTheWholeProfileWithoutAStatusReply) {
    app.settings.SetValue(SettingKey::NeedPassword, u"0");
    sim.injectFault(DeviceRole::Wired, sim::Fault::GetFails, sim::kFaultAlways);
    sim.injectFault(DeviceRole::Receiver, sim::Fault::GetFails, sim::kFaultAlways);
    link.start();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    const auto commands = sim.log().commands(DeviceRole::Wired);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x04), 6);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x0B), 1);
}

}  // namespace
}  // namespace orvane
