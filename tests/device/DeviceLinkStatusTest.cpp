#include <algorithm>

#include "LinkFixture.h"
#include "profile/SettingsRepair.h"

namespace orvane {
namespace {

using hid::DeviceRole;
using test::frameOf;
using test::LinkTest;

Frame statusReply(const std::string& tail) {
    // 0C 00 20 00 seq 00 len "V7Q3" ...
    return frameOf("0C 01 20 00 05 00 0E 56 37 51 33 00 00 " + tail);
}

class StatusTest : public LinkTest {};

TEST_F(StatusTest, DpiLevelBytes) {
    startAndSettle();
    link.parseStatus(statusReply("70 00 50 01 91 3C 5A 30"), DeviceRole::Wired);
    EXPECT_EQ(link.currentDpiLevel(), 2);
    EXPECT_EQ(profile().CurrentDPILevelValue, 2);
    link.parseStatus(statusReply("70 00 50 01 91 3C 5A 00"), DeviceRole::Wired);
    EXPECT_EQ(link.currentDpiLevel(), 0);
    link.parseStatus(statusReply("70 00 50 01 91 3C 5A 20"), DeviceRole::Wired);
    link.parseStatus(statusReply("70 00 50 01 91 3C 5A 50"), DeviceRole::Wired);
    EXPECT_EQ(link.currentDpiLevel(), 0);
}

TEST_F(StatusTest, StartUpTakesTheMouseLevelOverTheProfile) {
    profile().CurrentDPILevelValue = 1;
    ASSERT_TRUE(sim.userSelectDpiLevel(2).ok());
    link.start();
    settle();
    EXPECT_EQ(profile().CurrentDPILevelValue, 2);
    EXPECT_EQ(link.currentDpiLevel(), 2);
}

TEST_F(StatusTest, RepliesForOtherCommandsAreIgnored) {
    startAndSettle();
    const int level = link.currentDpiLevel();
    Frame reply = statusReply("70 02 21 00 91 3C 5A 30");
    reply[2] = 0x21;
    link.parseStatus(reply, DeviceRole::Wired);
    reply[2] = 0x20;
    reply[3] = 1;
    link.parseStatus(reply, DeviceRole::Wired);
    EXPECT_EQ(link.currentDpiLevel(), level);
    EXPECT_NE(link.battery().level(), 0x21);
}

TEST_F(StatusTest, AnEmptyReplyIsAskedOnceMore) {
    startAndSettle();
    sim.setBattery(57, 0);
    sim.injectFault(DeviceRole::Wired, sim::Fault::EmptyReply, 1);
    link.requestStatus();
    settle();
    EXPECT_EQ(link.battery().level(), 57);
    // A reply that stays empty tells nothing.
    sim.setBattery(33, 0);
    sim.injectFault(DeviceRole::Wired, sim::Fault::EmptyReply, 2);
    link.requestStatus();
    settle();
    EXPECT_EQ(link.battery().level(), 57);
}

TEST_F(StatusTest, BatteryAndChargingDisplay) {
    startAndSettle();
    link.parseStatus(statusReply("70 00 39 01 91 3C 5A 20"), DeviceRole::Wired);
    link.battery().refresh();
    ASSERT_FALSE(host.battery.empty());
    EXPECT_EQ(host.battery.back().text, u"57%");
    EXPECT_TRUE(host.battery.back().textVisible);
    link.parseStatus(statusReply("70 01 39 01 91 3C 5A 20"), DeviceRole::Wired);
    link.battery().refresh();
    EXPECT_EQ(host.battery.back().chargeState, 1);
    EXPECT_FALSE(host.battery.back().textVisible);
    // Offline: level 0, text hidden; the phase keeps turning 25, 50, 75, 100, 25.
    link.parseStatus(statusReply("70 00 39 00 91 3C 5A 20"), DeviceRole::Wired);
    for (int i = 0; i < 4; ++i) link.battery().refresh();
    EXPECT_EQ(host.battery.back().level, 0);
    EXPECT_FALSE(host.battery.back().textVisible);
    for (size_t i = 1; i < host.battery.size(); ++i)
        EXPECT_EQ(host.battery[i].phase, host.battery[i - 1].phase == 100 ? 25 : host.battery[i - 1].phase + 25);
}

TEST_F(StatusTest, ReplyWithoutSignatureKeepsOnlineStateButUpdatesBattery) {
    startAndSettle();
    Frame reply = statusReply("70 00 21 00 91 3C 5A 20");
    reply[7] = 'X';
    link.parseStatus(reply, DeviceRole::Wired);
    EXPECT_TRUE(link.presence().mouseOnline());
    EXPECT_EQ(link.battery().level(), 0x21);
}

TEST_F(StatusTest, SensorChangeRewritesSettingsProfilesAndTables) {
    startAndSettle();
    profile().XYSetting[0] = 200;
    link.parseStatus(statusReply("35 00 50 01 91 3C 5A 20"), DeviceRole::Wired);
    EXPECT_EQ(app.SensorId, 0x3335);
    EXPECT_EQ(app.settings.GetValue(SettingKey::Sensor), u"0x3335");
    EXPECT_EQ(app.settings.GetValue(SettingKey::PreST), u"0xCCCA");
    EXPECT_EQ(link.dpiTables().stepCount(), 160);
    for (const Profile& p : app.profiles) EXPECT_EQ(p.XYSetting[0], 9);
    EXPECT_EQ(host.count("sensor 1 160"), 1);
    // An unknown code changes nothing.
    link.parseStatus(statusReply("99 00 50 01 91 3C 5A 20"), DeviceRole::Wired);
    EXPECT_EQ(app.SensorId, 0x3335);
}

// Settings that had to be reset no longer know the sensor the profiles were made for: the
// mouse's sensor is adopted, and only steps still at the old defaults follow it.
TEST_F(StatusTest, SensorAfterASettingsResetKeepsTheProfilesDpi) {
    startAndSettle();
    app.settings.SetPreST(kUnknownSensorPreST);
    app.profiles[0].XYSetting[0] = 200;
    app.profiles[0].DPILevelIndication[0] = 0x123456;
    link.parseStatus(statusReply("35 00 50 01 91 3C 5A 20"), DeviceRole::Wired);
    EXPECT_EQ(app.SensorId, 0x3335);
    EXPECT_EQ(app.settings.GetValue(SettingKey::PreST), u"0xCCCA");
    EXPECT_EQ(app.profiles[0].XYSetting[0], 200);
    EXPECT_EQ(app.profiles[0].DPILevelIndication[0], 0x123456u);
    for (int i = 1; i < kProfileCount; ++i) EXPECT_EQ(app.profiles[size_t(i)].XYSetting[0], 9) << i;
    EXPECT_EQ(host.profileWrites, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(link.dpiTables().stepCount(), 160);

    // The same sensor as the default one is news after a reset too: it is recorded, no profile changes.
    host.profileWrites.clear();
    const int writes = host.settingsWrites;
    app.settings.SetPreST(kUnknownSensorPreST);
    link.parseStatus(statusReply("35 00 50 01 91 3C 5A 20"), DeviceRole::Wired);
    EXPECT_EQ(host.settingsWrites, writes + 1);
    EXPECT_TRUE(host.profileWrites.empty());
    EXPECT_TRUE(SensorOfProfilesKnown(app.settings));
}

TEST_F(StatusTest, DeviceNotificationSetsRateAndLevelAndSendsNothing) {
    startAndSettle();
    ASSERT_TRUE(sim.userSetPollingInterval(4).ok());
    ASSERT_TRUE(pumpUntil([&] { return profile().PollingRateValue[0] == 1; }));
    EXPECT_EQ(profile().PollingRateName, u"250Hz");
    EXPECT_TRUE(link.saves().pending());  // the receiver reported it too
    ASSERT_TRUE(sim.userSelectDpiLevel(2).ok());
    ASSERT_TRUE(pumpUntil([&] { return link.currentDpiLevel() == 2; }));
    EXPECT_EQ(profile().CurrentDPILevelValue, 2);
    link.markDirty(SyncGroup::Performance);
    sync();
    EXPECT_TRUE(sim.log().sets(DeviceRole::Wired).empty());
}

// The window shows a level the mouse chose by itself; a report that changes no level (the polling
// button, the same level again) is nothing to show.
TEST_F(StatusTest, OnlyADeviceNotificationWithAnotherLevelIsReportedAsTheMousesOwnChange) {
    startAndSettle();
    host.calls.clear();
    auto levelReports = [&] {
        return std::count_if(host.calls.begin(), host.calls.end(),
                             [](const std::string& c) { return c.rfind("dpi level ", 0) == 0; });
    };
    ASSERT_TRUE(sim.userSetPollingInterval(8).ok());
    ASSERT_TRUE(pumpUntil([&] { return profile().PollingRateValue[0] == 0; }));
    EXPECT_EQ(levelReports(), 0);
    const int now = profile().CurrentDPILevelValue == 1 ? 2 : 1;
    ASSERT_TRUE(sim.userSelectDpiLevel(now).ok());
    ASSERT_TRUE(pumpUntil([&] { return link.currentDpiLevel() == now; }));
    EXPECT_EQ(host.count("dpi level " + std::to_string(now)), 1);
    EXPECT_EQ(levelReports(), 1);
    ASSERT_TRUE(sim.userSelectDpiLevel(now).ok());
    ASSERT_TRUE(sim.userSetPollingInterval(1).ok());
    ASSERT_TRUE(pumpUntil([&] { return profile().PollingRateValue[0] == 3; }));
    EXPECT_EQ(levelReports(), 1);
}

// A notification whose level byte names no level (0, or above the four the mouse has) still
// reports the rate, but leaves the level alone: the byte minus one would otherwise become a
// level of 255 or 16 that the profile file stores and the next DPI frame sends back.
TEST_F(StatusTest, ADeviceNotificationWithALevelOutsideOneToFourKeepsTheLevel) {
    startAndSettle();
    const int before = profile().CurrentDPILevelValue;
    const uint8_t noLevel[] = {5, 6, 0, 4, 0};
    sim.sendInput(sim::Link::Wired, noLevel);
    ASSERT_TRUE(pumpUntil([&] { return profile().PollingRateValue[0] == 1; }));
    EXPECT_EQ(profile().CurrentDPILevelValue, before);
    EXPECT_EQ(link.currentDpiLevel(), before);
    const uint8_t pastTheLast[] = {5, 6, 0, 2, 17};
    sim.sendInput(sim::Link::Wired, pastTheLast);
    ASSERT_TRUE(pumpUntil([&] { return profile().PollingRateValue[0] == 2; }));
    EXPECT_EQ(profile().CurrentDPILevelValue, before);
    EXPECT_EQ(host.count("dpi level 16"), 0);
    const uint8_t fourth[] = {5, 6, 0, 8, 4};
    sim.sendInput(sim::Link::Wired, fourth);
    ASSERT_TRUE(pumpUntil([&] { return profile().PollingRateValue[0] == 0; }));
    EXPECT_EQ(profile().CurrentDPILevelValue, 3);
}

TEST_F(StatusTest, FactoryResetGoesToOneDeviceAndResetsTheProfile) {
    startAndSettle();
    profile().SetProfileName(u"Mine");
    profile().SetKeyDebounce(4);
    link.markDirty(SyncGroup::Performance);
    sync();
    sim.log().clear();
    host.calls.clear();
    EXPECT_TRUE(factoryReset());
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired), std::vector<uint8_t>{0x0F});
    EXPECT_TRUE(sim.log().sets(DeviceRole::Receiver).empty());
    const auto f = sim.log().sets(DeviceRole::Wired)[0];
    EXPECT_EQ(f[1], 1);
    EXPECT_EQ(f[6], 1);
    EXPECT_EQ(f[7], 0xFF);
    EXPECT_EQ(profile().GetProfileName(), u"Mine");
    EXPECT_EQ(profile().GetPairInt(ProfilePair::KeyDebounce), 12);
    EXPECT_EQ(host.count("progress"), 1);
    host.confirmReset = false;
    EXPECT_FALSE(factoryReset());
}

class ConnectionTest : public LinkTest {
protected:
    ConnectionTest() : LinkTest() {}
};

TEST_F(ConnectionTest, UnplugWiredKeepsRunningAndLastRemovalQuits) {
    startAndSettle();
    sim.unplug(DeviceRole::Wired);
    loop.runPending();
    EXPECT_FALSE(link.connection().isOpen(DeviceRole::Wired));
    EXPECT_TRUE(link.connection().isOpen(DeviceRole::Receiver));
    EXPECT_EQ(host.count("quit"), 0);
    sim.unplug(DeviceRole::Receiver);
    loop.runPending();
    EXPECT_EQ(host.count("quit"), 1);
    EXPECT_FALSE(link.presence().active());
    EXPECT_TRUE(link.firstConnection());
}

TEST_F(ConnectionTest, UnplugDuringAPassLosesNothing) {
    startAndSettle();
    profile().keys[1].KeyValue = {0x10, 0x04, 0x00};
    profile().keys[2].KeyValue = {0x10, 0x02, 0x00};
    sim.injectFault(DeviceRole::Wired, sim::Fault::SetFails, sim::kFaultAlways);
    sim.injectFault(DeviceRole::Receiver, sim::Fault::SetFails, sim::kFaultAlways);
    link.markDirty(SyncGroup::Buttons);
    sync();
    sim.clearFaults(DeviceRole::Wired);
    sim.clearFaults(DeviceRole::Receiver);
    // The devices come back: the detection's pass sends the buttons that were lost.
    sim.log().clear();
    link.detectDevices();
    settle();
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired), (std::vector<uint8_t>{0x04, 0x04}));
    EXPECT_EQ(sim.memory().buttons[1], (sim::KeyValue{0x10, 0x04, 0x00}));
}

TEST_F(ConnectionTest, SecondArrivalWhileBothPresentChangesNothing) {
    startAndSettle();
    const uint8_t seq = link.nextSequence();
    link.onDeviceChange(hid::HotplugAction::Added);
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    EXPECT_EQ(link.nextSequence(), seq);
}

TEST_F(ConnectionTest, WatchdogRestartsAReaderThatFailed) {
    startAndSettle();
    ASSERT_TRUE(link.connection().readerRunning(DeviceRole::Wired));
    sim.injectFault(DeviceRole::Wired, sim::Fault::ReaderFails);
    ASSERT_TRUE(pumpUntil([&] { return !link.connection().readerRunning(DeviceRole::Wired); }));
    loop.advanceMs(21 * 1000);
    EXPECT_TRUE(link.connection().readerRunning(DeviceRole::Wired));
}

// Unplugged and plugged in again: the cable's reader is stopped when the removal is told, not
// left to end on its own thread, where it may still be on its way out when the cable is back
// and be taken for running (here it never notices by itself); the new cable gets a reader of
// its own, and the mouse's DPI button is heard through it.
TEST_F(ConnectionTest, ACableBackAtOnceGetsAReaderOfItsOwn) {
    startAndSettle();
    ASSERT_TRUE(link.connection().readerRunning(DeviceRole::Wired));
    sim.injectFault(DeviceRole::Wired, sim::Fault::ReaderMissesRemoval, sim::kFaultAlways);
    sim.unplug(DeviceRole::Wired);
    loop.runPending();  // the removal is told
    EXPECT_FALSE(link.connection().readerRunning(DeviceRole::Wired));
    sim.plug(DeviceRole::Wired);
    settle();
    sim.clearFaults(DeviceRole::Wired);
    ASSERT_TRUE(link.connection().readerRunning(DeviceRole::Wired));
    const int now = link.currentDpiLevel() == 3 ? 2 : 3;
    ASSERT_TRUE(sim.userSelectDpiLevel(uint8_t(now)).ok());
    EXPECT_TRUE(pumpUntil([&] { return link.currentDpiLevel() == now; }));
}

// The times (virtual ms) of the status reads over the next `seconds`, a second at a time.
std::vector<int64_t> statusReadTimes(VirtualEventLoop& loop, sim::SimTransport& sim, int seconds) {
    std::vector<int64_t> times;
    for (int s = 0; s < seconds; ++s) {
        sim.log().clear();
        loop.advanceMs(1000);
        for (DeviceRole r : {DeviceRole::Wired, DeviceRole::Receiver}) {
            const auto c = sim.log().commands(r);
            if (std::count(c.begin(), c.end(), uint8_t(0x20)) > 0) times.push_back(loop.nowMs());
        }
    }
    return times;
}

TEST_F(ConnectionTest, HiddenTheWatchdogWakesOnlyForTheStatusReadsAndTheyKeepTheirBeat) {
    startAndSettle();
    const auto shown = statusReadTimes(loop, sim, 42);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1] - shown[0], 21000);

    // Nothing shows the battery: a second's tick is no longer needed, the reads still are.
    host.shown = false;
    host.battery.clear();
    const auto hidden = statusReadTimes(loop, sim, 64);
    ASSERT_EQ(hidden.size(), 3u);
    EXPECT_EQ(hidden[0], shown[1] + 21000);
    EXPECT_EQ(hidden[1], shown[1] + 42000);
    EXPECT_EQ(hidden[2], shown[1] + 63000);
    EXPECT_LE(host.battery.size(), 6u);  // one a wake at most, against 64 while shown
    EXPECT_TRUE(link.watchdog().asleep());

    // In sight again: the gauge moves every second at once, and the next read is on the beat.
    host.shown = true;
    link.watchdog().batteryInSight();
    host.battery.clear();
    const auto again = statusReadTimes(loop, sim, 21);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0], hidden[2] + 21000);
    EXPECT_GE(host.battery.size(), 20u);
}

TEST_F(ConnectionTest, HiddenAPassStillPutsTheNextStatusReadAFullPeriodAway) {
    startAndSettle();
    host.shown = false;
    loop.advanceMs(1000);  // the tick that finds the gauge hidden and sleeps
    ASSERT_TRUE(link.watchdog().asleep());
    loop.advanceMs(5000);
    profile().PollingRateValue = {3, 0, 0};
    link.markDirty(SyncGroup::Performance);
    link.armSync();
    settle();
    const int64_t passEnded = loop.nowMs();
    const auto reads = statusReadTimes(loop, sim, 23);
    ASSERT_FALSE(reads.empty());
    EXPECT_GE(reads[0], passEnded + 20000);
}

TEST_F(ConnectionTest, StatusFollowsAPresenceChangeTwoSecondsLater) {
    startAndSettle();
    sim.unplug(DeviceRole::Receiver);
    loop.runPending();
    sim.log().clear();
    loop.advanceMs(2000);
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired), std::vector<uint8_t>{0x20});
}

class NoDeviceTest : public LinkTest {
protected:
    NoDeviceTest() : LinkTest() {
        sim.unplug(DeviceRole::Wired);
        sim.unplug(DeviceRole::Receiver);
    }
};

TEST_F(NoDeviceTest, NoticeAfterTwoSecondsAndNoWatchdog) {
    link.start();
    EXPECT_FALSE(loop.timerActive(&link.watchdog(), Watchdog::kTimer));
    loop.advanceMs(1999);
    EXPECT_TRUE(host.notices.empty());
    loop.advanceMs(1);
    EXPECT_EQ(host.notices, std::vector<int>{ConnectionNotices::kNoDevice});
    // A device arrives later: it is detected and asked for its status.
    sim.plug(DeviceRole::Wired);
    settle();
    EXPECT_TRUE(link.connection().isOpen(DeviceRole::Wired));
    EXPECT_TRUE(link.presence().mouseOnline());
}

class PermissionTest : public LinkTest {
protected:
    PermissionTest() : LinkTest("wired-only") { sim.injectFault(DeviceRole::Wired, sim::Fault::OpenFeatureFails, sim::kFaultAlways); }
};

TEST_F(PermissionTest, PresentButUnopenableDeviceGetsNoCommands) {
    link.start();
    EXPECT_TRUE(link.connection().present(DeviceRole::Wired));
    EXPECT_FALSE(link.connection().isOpen(DeviceRole::Wired));
    ASSERT_TRUE(link.connection().openError(DeviceRole::Wired).has_value());
    EXPECT_TRUE(link.connection().openError(DeviceRole::Wired)->isPermission());
    EXPECT_TRUE(link.connection().readerRunning(DeviceRole::Wired));
    loop.advanceMs(ConnectionNotices::kDelayMs);
    // Not "no device": the mouse is there, and the user is told how to be allowed to use it.
    EXPECT_TRUE(host.notices.empty());
    ASSERT_EQ(host.accessProblems.size(), 1u);
    EXPECT_EQ(host.accessProblems[0], link.connection().openError(DeviceRole::Wired)->context);
}

}  // namespace
}  // namespace orvane
