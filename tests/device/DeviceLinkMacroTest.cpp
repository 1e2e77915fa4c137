#include "LinkFixture.h"
#include "device/MacroUploader.h"

namespace orvane {
namespace {

using hid::DeviceRole;
using test::frameOf;
using test::LinkTest;

uint32_t action(uint8_t code, uint8_t state, uint8_t b2 = 0, uint8_t amount = 0) {
    return uint32_t(code) | (uint32_t(state) << 8) | (uint32_t(b2) << 16) | (uint32_t(amount) << 24);
}

class MacroSyncTest : public LinkTest {
protected:
    MacroSyncTest() : LinkTest("wired-only") {
        MacroSet& set = app.library.AddSet(u"Set 1");
        MacroKey& a = set.AddKey(u"A");
        a.InsertAction(0, action(0x41, 0x00));
        a.InsertAction(1, action(0x03, 0x00, 0x00, 200));
        a.InsertAction(2, action(0x41, 0x80));
        a.CommandActionNum = 2;
        MacroKey& b = set.AddKey(u"B");
        b.InsertAction(0, action(0x42, 0x00));
        b.CommandActionNum = 1;
        app.library.AddSet(u"Set 2").AddKey(u"C");
    }
    void assign(int button, const std::u16string& name) {
        profile().keys[size_t(button)].KeyName = u"Macro:" + name;
        profile().keys[size_t(button)].KeyValue = {0x90, 0, 0};
        link.markDirty(SyncGroup::Buttons);
    }
    // Macro B grows to 200 events, past the 168 the mouse takes.
    void makeBTooLongForTheMouse() {
        MacroKey& big = *app.library.FindSet(0)->FindKey(1);
        for (uint32_t i = 0; i < 200; ++i) big.InsertAction(big.ActionCount, action(0x42, i % 2 ? 0x00 : 0x80));
        big.CommandActionNum = 201;
    }
    std::vector<std::vector<uint8_t>> writes() { return sim.log().sets(DeviceRole::Wired); }
    static Frame asFrame(const std::vector<uint8_t>& bytes) {
        Frame f{};
        std::copy(bytes.begin(), bytes.end(), f.begin());
        f[4] = 0;
        return f;
    }
};

TEST_F(MacroSyncTest, ExampleMacroUploadsOneChunkAndANewCounter) {
    startAndSettle();
    const uint16_t before = app.settings.GetDataChange();
    const int settingsWrites = host.settingsWrites;
    assign(2, u"A");
    sync();
    const auto w = writes();
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(asFrame(w[0]), frameOf("0C 01 04 00 00 01 04 02 90 21 01"));
    EXPECT_EQ(asFrame(w[1]), frameOf("0C 01 0E 00 00 01 07 01 30 C8 04 B0 00 04"));
    const uint16_t v = uint16_t(before + 1);
    Frame counter = frameOf("0C 01 01 00 00 01 02");
    counter[7] = uint8_t(v & 0xFF);
    counter[8] = uint8_t(v >> 8);
    EXPECT_EQ(asFrame(w[2]), counter);
    EXPECT_EQ(app.settings.GetDataChange(), v);
    // The counter; the mouse was already the one the settings name.
    EXPECT_EQ(host.settingsWrites, settingsWrites + 1);
    EXPECT_EQ(app.settings.GetMacId(), 0x5A3C91);
    EXPECT_EQ(sim.memory().dataChange, v);

    // Uploading again with nothing changed sends neither chunk nor counter.
    sim.log().clear();
    link.markDirty(SyncGroup::Buttons);
    sync();
    EXPECT_TRUE(writes().empty());
}

TEST_F(MacroSyncTest, LostChunkWithholdsTheCounterAndGoesAgain) {
    startAndSettle();
    assign(2, u"A");
    sync();
    const uint16_t before = app.settings.GetDataChange();
    const uint16_t inMouse = sim.memory().dataChange;
    sim.log().clear();
    // The macro changes and its one chunk is refused.
    app.library.FindSet(0)->FindKey(0)->SetAction(1, action(0x03, 0x00, 0x00, 100));
    sim.injectFault(DeviceRole::Wired, sim::Fault::WriteFails, 1);
    sync();
    EXPECT_TRUE(writes().empty());
    ASSERT_FALSE(host.passes.empty());
    EXPECT_TRUE(host.passes.back().counterWithheld);
    EXPECT_FALSE(host.passes.back().complete());
    // The stored counter moves on, so a reconnection would upload the macros again.
    EXPECT_EQ(app.settings.GetDataChange(), uint16_t(before + 1));
    EXPECT_EQ(sim.memory().dataChange, inMouse);

    sync();
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired), (std::vector<uint8_t>{0x0E, 0x01}));
    EXPECT_TRUE(host.passes.back().complete());
}

TEST_F(MacroSyncTest, AShortenedDelayKeepsTheReleaseInTheUpload) {
    // 500 ms edited to 100 ms under a rule that counted long delays: the key claims one command.
    MacroKey& a = *app.library.FindSet(0)->FindKey(0);
    a.SetAction(1, action(0x03, 0x00, 0x00, 100));
    a.CommandActionNum = 1;
    startAndSettle();
    assign(2, u"A");
    sync();
    const auto w = writes();
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(asFrame(w[1]), frameOf("0C 01 0E 00 00 01 07 01 30 64 04 B0 00 04"));
}

TEST_F(MacroSyncTest, AMacroBeyondTheMouseIsRefusedWholeAndNamed) {
    makeBTooLongForTheMouse();
    startAndSettle();
    assign(1, u"B");
    assign(2, u"A");
    sync();
    // The button frames and macro A go; nothing of B, which could only arrive wrapped round.
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired), (std::vector<uint8_t>{0x04, 0x04, 0x0E, 0x01}));
    ASSERT_FALSE(host.passes.empty());
    const PassReport& pass = host.passes.back();
    ASSERT_EQ(pass.refusedMacros.size(), 1u);
    EXPECT_EQ(pass.refusedMacros[0].name, u"B");
    EXPECT_EQ(pass.refusedMacros[0].deviceSlot, 1);
    EXPECT_EQ(pass.refusedMacros[0].why, "201 commands; the mouse takes at most 168");
    EXPECT_FALSE(pass.complete());
    EXPECT_EQ(link.macros().image(1), MacroImage{});

    // The library read from a file never holds such a macro; the uploader is the last guard.
    MacroUploader uploader;
    Profile p = profile();
    uploader.assignSlots(p, app.library, app.language);
    const auto out = uploader.upload(app.library, nullptr);
    ASSERT_EQ(out.refused.size(), 1u);
    EXPECT_EQ(out.refused[0].name, u"B");
}

// A mouse met for the first time that could not be given a macro does not hold the profile: its
// id is not stored, so the next connection tries everything again.
TEST_F(MacroSyncTest, ANewMouseThatCannotHoldAMacroIsNotRemembered) {
    makeBTooLongForTheMouse();
    app.settings.SetMacId(0x123456);
    assign(1, u"B");
    link.start();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    ASSERT_FALSE(host.passes.empty());
    EXPECT_EQ(host.passes.back().refusedMacros.size(), 1u);
    EXPECT_EQ(app.settings.GetMacId(), 0x123456);
    EXPECT_EQ(sim.memory().buttons[0], (sim::KeyValue{0x10, 0x01, 0x00}));  // the rest went
}

TEST_F(MacroSyncTest, SameMacroOnTwoButtonsTakesOneSlot) {
    startAndSettle();
    assign(1, u"B");
    assign(4, u"B");
    assign(5, u"A");
    sync();
    EXPECT_EQ(profile().keys[1].KeyValue, profile().keys[4].KeyValue);
    EXPECT_EQ(profile().keys[1].KeyValue[1], 0x21);
    EXPECT_EQ(profile().keys[5].KeyValue[1], 0x22);
    EXPECT_EQ(link.macros().slotTable(), (std::vector<int>{1, 0}));
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired),
              (std::vector<uint8_t>{0x04, 0x04, 0x04, 0x0E, 0x0E, 0x01}));
    EXPECT_TRUE(profileHasMacro(profile()));
}

TEST_F(MacroSyncTest, MacroOfTheSecondSetIsDisabled) {
    startAndSettle();
    assign(3, u"C");
    sync();
    EXPECT_EQ(profile().keys[3].KeyValue, (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(profile().keys[3].KeyName, u"Disabled");
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired), std::vector<uint8_t>{0x04});
}

TEST_F(MacroSyncTest, ButtonsNamedInAnotherLanguageKeepTheirMacro) {
    startAndSettle();
    // Assigned while the Chinese file was loaded; that file is still beside this one.
    app.language.AddOtherWording(kMacroPrefixEntry, u"宏：");
    profile().keys[2].KeyName = u"宏：A";
    profile().keys[2].KeyValue = {0x90, 0, 0};
    // Assigned in a language whose file is gone: the macro's name ends the button's name.
    profile().keys[3].KeyName = u"Makro » B";
    profile().keys[3].KeyValue = {0x90, 0, 0};
    link.markDirty(SyncGroup::Buttons);
    sync();
    EXPECT_EQ(profile().keys[2].KeyValue, (std::array<uint8_t, 3>{0x90, 0x21, 0x01}));
    EXPECT_EQ(profile().keys[3].KeyValue, (std::array<uint8_t, 3>{0x90, 0x22, 0x01}));
    EXPECT_EQ(profile().keys[2].KeyName, u"宏：A");
    ASSERT_FALSE(host.passes.empty());
    EXPECT_TRUE(host.passes.back().macrosDisabled.empty());
}

TEST_F(MacroSyncTest, ButtonsWhoseMacroIsGoneAreDisabledAndReported) {
    startAndSettle();
    assign(3, u"C");
    // A known prefix says where the name begins: "XA" is gone, "A" is not meant.
    assign(4, u"XA");
    assign(1, u"B");
    sync();
    ASSERT_FALSE(host.passes.empty());
    EXPECT_EQ(host.passes.back().macrosDisabled,
              (std::vector<DisabledMacroButton>{{3, u"Macro:C"}, {4, u"Macro:XA"}}));
    EXPECT_EQ(profile().keys[4].KeyValue, (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(profile().keys[1].KeyValue[0], 0x90);
    // Once disabled they are ordinary disabled buttons: the next pass has nothing to tell.
    link.markDirty(SyncGroup::Buttons);
    sync();
    EXPECT_TRUE(host.passes.back().macrosDisabled.empty());
}

TEST_F(MacroSyncTest, AMacroGoneBeforeTheStartIsReportedAndSent) {
    // The stored profile names a macro the library no longer has; the mouse still plays it.
    profile().keys[2].KeyName = u"Macro:Z";
    profile().keys[2].KeyValue = {0x90, 0x21, 0x01};
    link.start();
    EXPECT_EQ(link.macros().lastDisabled(), (std::vector<DisabledMacroButton>{{2, u"Macro:Z"}}));
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    link.markDirty(SyncGroup::Performance);
    sync();
    EXPECT_EQ(sim.memory().buttons[2], (sim::KeyValue{0, 0, 0}));
}

TEST_F(MacroSyncTest, DataChangeMismatchReuploadsQuietly) {
    // The profile already uses macro A when the mouse is plugged in, and the mouse's counter
    // is not ours: the macros go again without a progress dialog.
    assign(0, u"A");
    profile().keys[0].KeyValue = {0x90, 0x21, 0x01};  // as a saved profile holds it
    app.settings.SetMacId(0x5A3C91);
    sim.setDataChange(0x0042);
    link.start();
    loop.advanceMs(DeviceLink::kSyncDelayMs);
    settle();
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired), (std::vector<uint8_t>{0x20, 0x21, 0x0E, 0x01}));
    EXPECT_EQ(host.count("progress"), 0);
}

TEST_F(MacroSyncTest, WhilePassesAreHeldTheReuploadWaitsForTheCommandsOwnPass) {
    // The command line's connection: the status read finds another counter while passes are
    // held, however long the read takes; the command's change then goes first, the macros after
    // it, in one pass.
    assign(0, u"A");
    profile().keys[0].KeyValue = {0x90, 0x21, 0x01};
    app.settings.SetMacId(0x5A3C91);
    sim.setDataChange(0x0042);
    link.holdPasses(true);
    link.start();
    settle();
    loop.advanceMs(10 * DeviceLink::kSyncDelayMs);
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired), (std::vector<uint8_t>{0x20, 0x21}));
    link.holdPasses(false);
    profile().keys[3].KeyValue = {0x80, 0xE9, 0x00};
    link.markDirty(SyncGroup::Buttons);
    link.armSync();
    settle();
    EXPECT_EQ(sim.log().commands(DeviceRole::Wired), (std::vector<uint8_t>{0x20, 0x21, 0x04, 0x0E, 0x01}));
}

TEST_F(MacroSyncTest, UploadWithNoOpenHandleStillAdvancesTheCounter) {
    // Present but not openable, and active from the start-up setting: the macro is recorded as
    // held and the counter moves on although no frame reached the mouse; the DataChange check
    // at the next connection repairs it.
    app.settings.SetValue(SettingKey::NeedPassword, u"0");
    sim.injectFault(DeviceRole::Wired, sim::Fault::OpenFeatureFails, sim::kFaultAlways);
    startAndSettle();
    ASSERT_TRUE(link.presence().active());
    ASSERT_FALSE(link.connection().anyOpen());
    const uint16_t before = app.settings.GetDataChange();
    assign(0, u"A");
    sync();
    EXPECT_EQ(app.settings.GetDataChange(), uint16_t(before + 1));
    EXPECT_EQ(link.macros().image(1)[0], 0x09);
    EXPECT_TRUE(sim.log().records().empty());
    EXPECT_EQ(host.count("progress"), 0);
}

}  // namespace
}  // namespace orvane
