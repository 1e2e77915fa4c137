// What each pass reports to its host, and what the link does about frames that missed the
// mouse: a device refusing writes, a mouse asleep behind the receiver, a reset that did not
// arrive, a macro chunk that was lost.
#include "LinkFixture.h"

namespace orvane {
namespace {

using hid::DeviceRole;
using test::LinkTest;

constexpr uint32_t kSimMacId = 0x5A3C91;  // the virtual mouse's own

std::vector<uint8_t> commandsOf(const PassReport& r) {
    std::vector<uint8_t> out;
    for (const auto& f : r.frames) out.push_back(uint8_t(f.command));
    return out;
}

class ReportTest : public LinkTest {
protected:
    explicit ReportTest(const std::string& options = {}) : LinkTest(options) {}
    const PassReport& lastPass() {
        EXPECT_FALSE(host.passes.empty());
        return host.passes.back();
    }
};

TEST_F(ReportTest, FramesBothDevicesTookMakeACompletePass) {
    startAndSettle();
    host.passes.clear();
    profile().PollingRateValue = {0, 0, 0};
    link.markDirty(SyncGroup::Performance);
    sync();
    ASSERT_EQ(host.passes.size(), 1u);
    const PassReport& r = lastPass();
    EXPECT_EQ(commandsOf(r), std::vector<uint8_t>{0x07});
    EXPECT_EQ(r.frames[0].fate, FrameFate::Taken);
    EXPECT_TRUE(r.frames[0].devices[size_t(DeviceRole::Wired)].taken);
    EXPECT_TRUE(r.frames[0].devices[size_t(DeviceRole::Receiver)].taken);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(describeFrame(r.frames[0]), "polling rate");
}

TEST_F(ReportTest, WritesEveryDeviceRefusedAreReportedWithTheirErrors) {
    startAndSettle();
    host.passes.clear();
    sim.injectFault(DeviceRole::Wired, sim::Fault::WriteFails, sim::kFaultAlways);
    sim.injectFault(DeviceRole::Receiver, sim::Fault::WriteFails, sim::kFaultAlways);
    profile().keys[2].KeyValue = {0x10, 0x10, 0x00};
    link.markDirty(SyncGroup::Buttons);
    sync();
    const PassReport& r = lastPass();
    ASSERT_EQ(commandsOf(r), std::vector<uint8_t>{0x04});
    EXPECT_EQ(r.frames[0].item, 2);
    EXPECT_EQ(r.frames[0].fate, FrameFate::Refused);
    EXPECT_EQ(r.frames[0].devices[size_t(DeviceRole::Wired)].error, EPIPE);
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(describeFrame(r.frames[0]), "button 3");
    EXPECT_NE(describeFate(r.frames[0]).find("wired mouse"), std::string::npos);
    EXPECT_NE(describeFate(r.frames[0]).find("receiver"), std::string::npos);
}

class AsleepReportTest : public ReportTest {
protected:
    AsleepReportTest() : ReportTest("receiver-only,asleep") {}
};

TEST_F(AsleepReportTest, AnInactiveLinkHoldsEveryDirtyGroupBack) {
    link.start();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    const PassReport& r = lastPass();
    EXPECT_EQ(r.blocked, PassBlock::LinkInactive);
    EXPECT_EQ(r.heldBack, (std::vector<SyncGroup>{SyncGroup::Buttons, SyncGroup::Performance, SyncGroup::Power}));
    EXPECT_TRUE(r.frames.empty());
    EXPECT_FALSE(r.complete());
}

TEST_F(AsleepReportTest, WindowShowsAtTheNextPollWhenTheMouseWakes) {
    link.start();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    ASSERT_FALSE(link.presence().active());
    sim.setOnline(true);
    loop.advanceMs(20 * 1000);
    EXPECT_EQ(host.count("show"), 0);
    loop.advanceMs(1000);  // the 21st tick polls, active or not
    EXPECT_TRUE(link.presence().active());
    EXPECT_EQ(host.count("show"), 1);
}

TEST_F(AsleepReportTest, ResetThatMissedTheMouseLeavesTheProfileAlone) {
    startAndSettle();
    profile().SetKeyDebounce(4);
    host.calls.clear();
    EXPECT_TRUE(factoryReset());
    EXPECT_EQ(profile().GetPairInt(ProfilePair::KeyDebounce), 4);
    EXPECT_EQ(host.count("progress"), 0);
    const PassReport& r = lastPass();
    EXPECT_EQ(r.kind, PassKind::FactoryReset);
    ASSERT_EQ(commandsOf(r), std::vector<uint8_t>{0x0F});
    EXPECT_EQ(r.frames[0].fate, FrameFate::MouseOffline);
    EXPECT_TRUE(r.files.empty());
}

// Active from the start-up setting, so frames go to the receiver although the mouse sleeps.
class OfflineActiveTest : public ReportTest {
protected:
    OfflineActiveTest() : ReportTest("receiver-only,asleep") {
        app.settings.SetValue(SettingKey::NeedPassword, u"0");
        app.settings.SetMacId(kSimMacId);
    }
};

TEST_F(OfflineActiveTest, FramesThatMissedTheMouseGoOutWhenItIsOnlineAgain) {
    startAndSettle();
    ASSERT_TRUE(link.presence().active());
    profile().PollingRateValue = {0, 0, 0};
    link.markDirty(SyncGroup::Performance);
    sync();
    ASSERT_EQ(commandsOf(lastPass()), std::vector<uint8_t>{0x07});
    EXPECT_EQ(lastPass().frames[0].fate, FrameFate::MouseOffline);
    EXPECT_TRUE(link.sentImages().polling.differs(8));  // not held
    EXPECT_NE(sim.memory().pollingInterval, 8);

    sim.setOnline(true);
    sim.log().clear();
    host.calls.clear();
    loop.advanceMs(22 * 1000);
    EXPECT_EQ(sim.log().commands(DeviceRole::Receiver), (std::vector<uint8_t>{0x20, 0x07}));
    EXPECT_EQ(sim.memory().pollingInterval, 8);
    EXPECT_TRUE(lastPass().complete());
    EXPECT_EQ(host.count("progress"), 0);  // quiet, like a connection pass
}

// Whatever group a missed change belongs to, the stored Mac_ID stops claiming that the mouse
// holds the profile, so the next connection sends it in full.
TEST_F(OfflineActiveTest, AMissedChangeOfAnyGroupDropsTheStoredMacId) {
    startAndSettle();
    const std::vector<std::pair<SyncGroup, std::function<void(Profile&)>>> changes{
        {SyncGroup::Buttons, [](Profile& p) { p.keys[3].KeyValue = {0x80, 0xE9, 0x00}; }},
        {SyncGroup::Performance, [](Profile& p) { p.XYSetting[1] = 20; }},
        {SyncGroup::Performance, [](Profile& p) { p.DPILevelIndication[2] = 0x00FF00; }},
        {SyncGroup::Performance, [](Profile& p) { p.SetKeyDebounce(10); }},
        {SyncGroup::Power, [](Profile& p) { p.SetPowerDownTime(9); }},
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        app.settings.SetMacId(kSimMacId);
        host.settingsWrites = 0;
        const Profile before = profile();
        changes[i].second(profile());
        link.markDirty(changes[i].first);
        sync();
        ASSERT_EQ(lastPass().frames.size(), 1u) << i;
        EXPECT_EQ(lastPass().frames[0].fate, FrameFate::MouseOffline) << i;
        EXPECT_EQ(app.settings.GetValue(SettingKey::Mac_ID), u"0xFFFFFFFF") << i;
        EXPECT_EQ(host.settingsWrites, 1) << i;
        // Back as the mouse holds it: nothing is claimed wrongly any more.
        profile() = before;
    }
}

// The user plugs the mouse's cable in while the window still takes it for asleep: what goes
// out through the cable reaches it, before any status poll says it is online.
TEST_F(OfflineActiveTest, FramesTheCableTookReachedTheMouse) {
    startAndSettle();
    profile().PollingRateValue = {0, 0, 0};
    link.markDirty(SyncGroup::Performance);
    sync();
    ASSERT_FALSE(lastPass().frames.empty());
    ASSERT_EQ(lastPass().frames[0].fate, FrameFate::MouseOffline);
    sim.plug(DeviceRole::Wired);
    loop.runPending();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    ASSERT_EQ(commandsOf(lastPass()), std::vector<uint8_t>{0x07});
    EXPECT_TRUE(lastPass().frames[0].devices[size_t(DeviceRole::Wired)].taken);
    EXPECT_EQ(lastPass().frames[0].fate, FrameFate::Taken);
    EXPECT_TRUE(lastPass().complete());
    EXPECT_EQ(sim.memory().pollingInterval, 8);
}

class NewMouseReportTest : public ReportTest {
protected:
    NewMouseReportTest() : ReportTest("receiver-only,fail-writes=receiver") { app.settings.SetMacId(0xFFFFFFFFu); }
};

TEST_F(NewMouseReportTest, NewMacIdIsStoredOnlyOnceTheMouseHasTheProfile) {
    const uint32_t before = app.settings.GetMacId();
    link.start();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    EXPECT_FALSE(lastPass().complete());
    EXPECT_EQ(lastPass().frames.size(), 13u);  // six buttons and seven settings, all refused
    EXPECT_EQ(app.settings.GetMacId(), before);
    EXPECT_EQ(host.settingsWrites, 0);

    sim.clearFaults(DeviceRole::Receiver);
    for (SyncGroup g : {SyncGroup::Buttons, SyncGroup::Performance, SyncGroup::Power}) link.markDirty(g);
    sync();
    EXPECT_TRUE(lastPass().complete());
    EXPECT_EQ(lastPass().frames.size(), 13u);  // the refused images were not taken as held
    EXPECT_EQ(app.settings.GetMacId(), kSimMacId);
    ASSERT_EQ(lastPass().files.size(), 1u);
    EXPECT_EQ(lastPass().files[0].kind, FileKind::Settings);
}

class WiredOnlyReportTest : public ReportTest {
protected:
    WiredOnlyReportTest() : ReportTest("wired-only") {}
};

// Without a device monitor nobody tells the link of the unplug: the first write that finds the
// device gone ends the pass, and what it did not send is reported as not sent, not refused.
TEST_F(WiredOnlyReportTest, APassWhoseOnlyDeviceWentAwayStopsAndSaysNotSent) {
    startAndSettle();
    ASSERT_TRUE(sim.watch({}).ok());  // no hotplug events from here on
    host.passes.clear();
    for (int i = 1; i < kKeyCount; ++i) profile().keys[size_t(i)].KeyValue = {0x10, uint8_t(0x20 + i), 0x00};
    link.markDirty(SyncGroup::Buttons);
    link.syncToDevice();
    loop.advanceMs(130);  // two button frames out (the first button does not change)
    sim.unplug(DeviceRole::Wired);
    settle();
    EXPECT_EQ(sim.log().sets(DeviceRole::Wired).size(), 2u);  // nothing more was tried
    ASSERT_EQ(host.passes.size(), 1u);
    const PassReport& r = host.passes[0];
    ASSERT_EQ(r.frames.size(), 5u);
    EXPECT_EQ(r.frames[0].fate, FrameFate::Taken);
    EXPECT_EQ(r.frames[1].fate, FrameFate::Taken);
    for (size_t i = 2; i < r.frames.size(); ++i) {
        EXPECT_EQ(r.frames[i].fate, FrameFate::NoDevice) << i;
        EXPECT_EQ(describeFate(r.frames[i]).find("refused"), std::string::npos) << describeFate(r.frames[i]);
    }
    EXPECT_FALSE(r.complete());
}

TEST(PassReportWords, MacroChunksAreNamedByPartOnlyWhenThereAreSeveral) {
    FrameReport f;
    f.command = Command::MacroData;
    f.item = 2;
    f.chunk = 0;
    f.chunks = 3;
    EXPECT_EQ(describeFrame(f), "macro slot 2 (part 1 of 3)");
    f.chunk = 2;
    EXPECT_EQ(describeFrame(f), "macro slot 2 (part 3 of 3)");
    f.chunk = 0;
    f.chunks = 1;
    EXPECT_EQ(describeFrame(f), "macro slot 2");
}

// A write the devices refused while the mouse is online waits for no change of the user's in its
// own group: the next pass of any group takes it, and so does the next status poll.
TEST_F(ReportTest, ARefusedWriteGoesWithTheNextPassOfAnyGroupAndAtTheNextPoll) {
    startAndSettle();
    sim.injectFault(DeviceRole::Wired, sim::Fault::WriteFails, sim::kFaultAlways);
    sim.injectFault(DeviceRole::Receiver, sim::Fault::WriteFails, sim::kFaultAlways);
    profile().SetKeyDebounce(10);
    link.markDirty(SyncGroup::Performance);
    sync();
    ASSERT_TRUE(link.delivery().undelivered());
    sim.clearFaults(DeviceRole::Wired);
    sim.clearFaults(DeviceRole::Receiver);
    profile().keys[3].KeyValue = {0x10, 0x08, 0x00};
    link.markDirty(SyncGroup::Buttons);
    sync();
    EXPECT_EQ(sim.memory().debounce, 10);
    EXPECT_FALSE(link.delivery().undelivered());

    sim.injectFault(DeviceRole::Wired, sim::Fault::WriteFails, sim::kFaultAlways);
    sim.injectFault(DeviceRole::Receiver, sim::Fault::WriteFails, sim::kFaultAlways);
    profile().SetPowerDownTime(7);
    link.markDirty(SyncGroup::Power);
    sync();
    sim.clearFaults(DeviceRole::Wired);
    sim.clearFaults(DeviceRole::Receiver);
    loop.advanceMs(22 * 1000);
    settle();
    EXPECT_EQ(sim.memory().sleepTime, 7);
    EXPECT_FALSE(link.delivery().undelivered());
}

class ReceiverOnlyReportTest : public ReportTest {
protected:
    ReceiverOnlyReportTest() : ReportTest("receiver-only") {}
};

// The mouse does not say when it falls asleep. Frames the receiver took before a status found
// the mouse asleep may never have reached it: none is taken as held any more, and all of it goes
// again once the mouse is back.
TEST_F(ReceiverOnlyReportTest, WhatWentThroughTheReceiverBeforeTheMouseWasFoundAsleepGoesAgain) {
    startAndSettle();
    sim.setOnline(false);
    profile().PollingRateValue = {0, 0, 0};
    link.markDirty(SyncGroup::Performance);
    sync();
    ASSERT_EQ(lastPass().frames.size(), 1u);
    EXPECT_EQ(lastPass().frames[0].fate, FrameFate::Taken);  // as far as the link could know
    EXPECT_NE(sim.memory().pollingInterval, 8);
    loop.advanceMs(22 * 1000);
    settle();
    EXPECT_FALSE(link.presence().mouseOnline());
    EXPECT_TRUE(link.delivery().undelivered());
    EXPECT_EQ(app.settings.GetValue(SettingKey::Mac_ID), u"0xFFFFFFFF");
    sim.setOnline(true);
    loop.advanceMs(22 * 1000);
    settle();
    EXPECT_EQ(sim.memory().pollingInterval, 8);
    EXPECT_FALSE(link.delivery().undelivered());
    EXPECT_EQ(app.settings.GetMacId(), kSimMacId);
}

}  // namespace
}  // namespace orvane
