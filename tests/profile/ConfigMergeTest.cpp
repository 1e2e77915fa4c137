// Merging what two programs changed, the folder's writer lock, and noticing another program's
// saves.
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>
#include <utility>
#include <vector>

#include "profile/ConfigLock.h"
#include "profile/ConfigMerge.h"
#include "profile/FieldCount.h"
#include "profile/ProfileFile.h"
#include "profile/SharedConfig.h"
#include "profile/Storage.h"
#include "profile/TestFiles.h"

namespace orvane {
namespace {

Profile Sample() {
    Profile p;
    p.SetProfileName(u"One");
    p.PollingRateName = u"500HZ";
    p.PollingRateValue = {2, 0, 0};
    p.XYSetting = {1, 2, 3, 4, 5, 6, 7, 8};
    p.DPIOffOnFlagValue = 0x0F;
    p.CurrentDPILevelValue = 1;
    p.keys[0].KeyName = u"Left";
    return p;
}

TEST(MergeProfile, EachSideKeepsWhatItChangedAndOursWinsWhereBothDid) {
    const Profile base = Sample();
    Profile ours = base, theirs = base;
    ours.PollingRateName = u"1000HZ";
    ours.PollingRateValue = {3, 0, 0};
    ours.XYSetting[1] = 20;
    ours.keys[2].KeyName = u"Ctrl+C";
    theirs.XYSetting[0] = 10;
    theirs.XYSetting[1] = 99;  // both changed level 2
    theirs.SetProfileName(u"Renamed");
    theirs.keys[3].KeyName = u"Back";
    const Profile m = MergeProfile(base, ours, theirs);
    EXPECT_EQ(m.PollingRateName, u"1000HZ");
    EXPECT_EQ(m.PollingRateValue, (std::array<uint8_t, 3>{3, 0, 0}));
    EXPECT_EQ(m.XYSetting[0], 10);
    EXPECT_EQ(m.XYSetting[1], 20);
    EXPECT_EQ(m.GetProfileName(), u"Renamed");
    EXPECT_EQ(m.keys[2].KeyName, u"Ctrl+C");
    EXPECT_EQ(m.keys[3].KeyName, u"Back");
}

TEST(MergeProfile, PartsThatBelongTogetherComeFromOneSide) {
    const Profile base = Sample();
    Profile ours = base, theirs = base;
    ours.DPIOffOnFlagValue = 0x03;    // two levels left, current level 2 still valid
    theirs.CurrentDPILevelValue = 3;  // level 4, which ours switched off
    theirs.PollingRateName = u"125HZ";
    const Profile m = MergeProfile(base, ours, theirs);
    EXPECT_EQ(m.DPIOffOnFlagValue, 0x03);
    EXPECT_EQ(m.CurrentDPILevelValue, 1);
    EXPECT_EQ(m.PollingRateName, u"125HZ");
    EXPECT_EQ(m.PollingRateValue, base.PollingRateValue);  // their value was never changed
}

// One change to each field of the record, in field order.
using FieldEdit = std::pair<const char*, void (*)(Profile&)>;
const std::vector<FieldEdit>& EveryField() {
    static const std::vector<FieldEdit> edits = {
        {"pairs", [](Profile& p) { p.SetKeyDebounce(8); }},
        {"keys", [](Profile& p) { p.keys[5].KeyValue = {1, 2, 3}; }},
        {"PollingRateName", [](Profile& p) { p.PollingRateName = u"250HZ"; }},
        {"PollingRateValue", [](Profile& p) { p.PollingRateValue = {1, 0, 0}; }},
        {"Lighting1OffOn", [](Profile& p) { p.Lighting1OffOn = 0; }},
        {"Lighting1Name", [](Profile& p) { p.Lighting1Name = u"Wave"; }},
        {"Lighting1ModeValue", [](Profile& p) { p.Lighting1ModeValue[0] = 3; }},
        {"Lighting1Speed", [](Profile& p) { p.Lighting1Speed[2] = 9; }},
        {"Lighting1Brightness", [](Profile& p) { p.Lighting1Brightness[2] = 50; }},
        {"Lighting1ColorSelected", [](Profile& p) { p.Lighting1ColorSelected[1][1] = 1; }},
        {"Lighting1FixedColor", [](Profile& p) { p.Lighting1FixedColor[1][1] = 0x123456; }},
        {"Lighting1Direction", [](Profile& p) { p.Lighting1Direction[0] = 1; }},
        {"Lighting2OffOn", [](Profile& p) { p.Lighting2OffOn = 0; }},
        {"Lighting2Name", [](Profile& p) { p.Lighting2Name = u"Breath"; }},
        {"Lighting2ModeValue", [](Profile& p) { p.Lighting2ModeValue[0] = 2; }},
        {"Lighting2Speed", [](Profile& p) { p.Lighting2Speed = 5; }},
        {"Lighting2Brightness", [](Profile& p) { p.Lighting2Brightness = 40; }},
        {"Lighting2FixedColor", [](Profile& p) { p.Lighting2FixedColor = 0xABCDEF; }},
        {"DPIOffOnFlagValue", [](Profile& p) { p.DPIOffOnFlagValue = 0x07; }},
        {"XYSetting", [](Profile& p) { p.XYSetting[3] = 40; }},
        {"CurrentDPILevelValue", [](Profile& p) { p.CurrentDPILevelValue = 2; }},
        {"DPILevelIndication", [](Profile& p) { p.DPILevelIndication[0] = 0xFF0000; }},
        {"AngleSnapValue", [](Profile& p) { p.AngleSnapValue = 1; }},
        {"LiftDetectionValue", [](Profile& p) { p.LiftDetectionValue = 2; }},
    };
    return edits;
}

// A field the merge does not name would lose the change of whichever side made it alone.
TEST(MergeProfile, AChangeToAnyFieldOnEitherSideSurvivesAChangeElsewhereOnTheOther) {
    ASSERT_EQ(EveryField().size(), FieldCount<Profile>()) << "a field of Profile has no edit here";
    const Profile base = Sample();
    for (const auto& [field, edit] : EveryField()) {
        Profile edited = base, renamed = base;
        edit(edited);
        ASSERT_FALSE(edited == base) << field;
        renamed.SetProfileName(u"Renamed");
        Profile both = edited;
        both.SetProfileName(u"Renamed");
        EXPECT_TRUE(MergeProfile(base, edited, renamed) == both) << "ours changed " << field;
        EXPECT_TRUE(MergeProfile(base, renamed, edited) == both) << "theirs changed " << field;
    }
}

TEST(MergeSettings, EntriesMergeOneByOneAndTheProfileBarAsAWhole) {
    Settings base;
    base.ResetToDefaults("/cfg");
    Settings ours = base, theirs = base;
    ours.SetMacId(0x123456);
    ours.SetProfileShowCount(4);
    theirs.SetDataChange(0x1300);
    theirs.SetProfileShowList(0, 2);
    theirs.SetProfileShowList(2, 0);
    const Settings m = MergeSettings(base, ours, theirs);
    EXPECT_EQ(m.GetMacId(), 0x123456);
    EXPECT_EQ(m.GetDataChange(), 0x1300);
    EXPECT_EQ(m.GetProfileShowCount(), 4);
    EXPECT_EQ(m.GetProfileShowList(0), 0);  // ours changed the bar: its order comes with it
    EXPECT_TRUE(m.IndicesAreValid());
}

TEST(MergeSettings, LaterEntriesMergeByKey) {
    Settings base;
    base.ResetToDefaults("/cfg");
    ASSERT_TRUE(base.SetExtra(u"A", u"1"));
    Settings ours = base, theirs = base;
    ASSERT_TRUE(ours.SetExtra(extra_setting::kDpiIndicator, u"0"));  // only ours has it
    ASSERT_TRUE(theirs.SetExtra(u"A", u"2"));                         // only theirs changed it
    ASSERT_TRUE(theirs.SetExtra(u"B", u"3"));
    const Settings m = MergeSettings(base, ours, theirs);
    ASSERT_NE(m.GetExtra(extra_setting::kDpiIndicator), nullptr);
    EXPECT_EQ(*m.GetExtra(extra_setting::kDpiIndicator), u"0");
    EXPECT_EQ(*m.GetExtra(u"A"), u"2");
    EXPECT_EQ(*m.GetExtra(u"B"), u"3");
}

MacroLibrary Library(std::initializer_list<std::pair<const char16_t*, uint32_t>> keys) {
    MacroLibrary lib;
    MacroSet& set = lib.AddSet(u"Macros");
    for (const auto& [name, count] : keys) set.AddKey(name).ActionCount = count;
    return lib;
}

std::vector<std::pair<Text, uint32_t>> Keys(const MacroLibrary& lib) {
    std::vector<std::pair<Text, uint32_t>> out;
    const MacroSet* set = lib.FindSet(0);
    for (uint32_t i = 0; set && i < set->KeyCount(); ++i)
        out.emplace_back(set->FindKey(i)->GetName(), set->FindKey(i)->ActionCount);
    return out;
}

TEST(MergeLibrary, MacrosAreMatchedByNameAndNeitherSidesWorkIsLost) {
    const MacroLibrary base = Library({{u"Copy", 2}, {u"Paste", 2}, {u"Undo", 2}, {u"Redo", 2}});
    // Ours: adds Save, deletes Paste, changes Undo. Theirs: adds Print, deletes Redo, changes Paste.
    const MacroLibrary ours = Library({{u"Copy", 2}, {u"Undo", 4}, {u"Redo", 2}, {u"Save", 2}});
    const MacroLibrary theirs = Library({{u"Copy", 2}, {u"Paste", 6}, {u"Undo", 2}, {u"Print", 2}});
    const auto m = Keys(MergeLibrary(base, ours, theirs));
    const std::vector<std::pair<Text, uint32_t>> expected{
        {u"Copy", 2}, {u"Paste", 6}, {u"Undo", 4}, {u"Print", 2}, {u"Save", 2}};
    EXPECT_EQ(m, expected);
    // A macro deleted on one side and untouched on the other stays deleted.
    const MacroLibrary onlyOurs = Library({{u"Copy", 2}, {u"Undo", 2}, {u"Redo", 2}});
    const MacroLibrary onlyTheirs =
        Library({{u"Copy", 2}, {u"Paste", 2}, {u"Undo", 2}, {u"Redo", 2}, {u"New", 1}});
    const auto n = Keys(MergeLibrary(base, onlyOurs, onlyTheirs));
    const std::vector<std::pair<Text, uint32_t>> expected2{
        {u"Copy", 2}, {u"Undo", 2}, {u"Redo", 2}, {u"New", 1}};
    EXPECT_EQ(n, expected2);
}

// A library from elsewhere may hold a set name or a macro name twice: each is matched with the
// one of the same rank on the other side, so a merge never pours one set's macros into its
// namesake nor one macro's actions into another.
TEST(MergeLibrary, NamesHeldTwiceKeepTheirOwnContents) {
    MacroLibrary base;
    base.AddSet(u"Games");
    MacroLibrary both;
    both.AddSet(u"Games").AddKey(u"Jump").InsertAction(0, 1);
    both.AddSet(u"Games");
    MacroSet& twice = both.AddSet(u"Work");
    twice.AddKey(u"Copy").InsertAction(0, 2);
    twice.AddKey(u"Copy").InsertAction(0, 3);
    // Both sides made the same change: that change is the result.
    const MacroLibrary m = MergeLibrary(base, both, both);
    EXPECT_TRUE(m == both);
    ASSERT_EQ(m.SetCount(), 3u);
    EXPECT_EQ(m.FindSet(1)->KeyCount(), 0u);
    ASSERT_EQ(m.FindSet(2)->KeyCount(), 2u);
    EXPECT_EQ(m.FindSet(2)->FindKey(1)->GetAction(0), 3u);
    // One side changed the second "Copy" only: the first keeps its action.
    MacroLibrary ours = both;
    ASSERT_TRUE(ours.FindSet(2)->FindKey(1)->SetAction(0, 4));
    MacroLibrary theirs = both;
    theirs.AddSet(u"New");
    const MacroLibrary n = MergeLibrary(both, ours, theirs);
    ASSERT_EQ(n.SetCount(), 4u);
    EXPECT_EQ(n.FindSet(2)->FindKey(0)->GetAction(0), 2u);
    EXPECT_EQ(n.FindSet(2)->FindKey(1)->GetAction(0), 4u);
}

class SharedFolder : public testing::TempAppDir {};

TEST_F(SharedFolder, OneWriterAtATime) {
    auto first = ConfigLock::Acquire(dir_ / "config", 0);
    ASSERT_TRUE(first.ok());
    auto second = ConfigLock::Acquire(dir_ / "config", 0);
    ASSERT_FALSE(second.ok());
    EXPECT_EQ(second.error().code, EWOULDBLOCK);
    std::thread release([lock = std::move(first.value())]() mutable {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ConfigLock gone = std::move(lock);
    });
    EXPECT_TRUE(ConfigLock::Acquire(dir_ / "config", 5000).ok());
    release.join();
    // A lock file planted as a link is not followed.
    std::filesystem::create_directories(dir_ / "other");
    std::filesystem::create_symlink(dir_ / "elsewhere", ConfigLock::PathIn(dir_ / "other"));
    EXPECT_FALSE(ConfigLock::Acquire(dir_ / "other", 0).ok());
    EXPECT_FALSE(std::filesystem::exists(dir_ / "elsewhere"));
}

TEST_F(SharedFolder, AnotherProgramsSaveIsNoticedAndMergedAndAnUnreadableOneIsKeptForBackup) {
    AppData app(dir_);
    LoadSettingsAndProfiles(app);
    SharedConfig shared;
    shared.Adopt(app);
    EXPECT_FALSE(shared.ChangedOnDisk(app));

    app.profiles[0].PollingRateName = u"1000HZ";  // ours, unsaved
    AppData other(dir_);
    LoadSettingsAndProfiles(other);
    other.profiles[0].SetProfileName(u"Theirs");
    ASSERT_TRUE(SaveProfile(other, 0).ok());
    ASSERT_TRUE(shared.ChangedOnDisk(app));
    const auto merged = shared.MergeFromDisk(app);
    EXPECT_TRUE(merged.profiles[0]);
    EXPECT_FALSE(merged.settings);
    EXPECT_EQ(app.profiles[0].GetProfileName(), u"Theirs");
    EXPECT_EQ(app.profiles[0].PollingRateName, u"1000HZ");
    EXPECT_FALSE(shared.ChangedOnDisk(app));

    Put(Config("default2.psf"), "not a profile");
    ASSERT_TRUE(shared.ChangedOnDisk(app));
    const Profile before = app.profiles[2];
    EXPECT_FALSE(shared.MergeFromDisk(app).Any());
    EXPECT_EQ(app.profiles[2], before);
    EXPECT_TRUE(app.unreadFiles.count(Config("default2.psf")));
}

TEST_F(SharedFolder, AProfileEditedBehindOurBackIsRepairedAsAtStartUp) {
    AppData app(dir_);
    LoadSettingsAndProfiles(app);
    SharedConfig shared;
    shared.Adopt(app);
    Profile edited = app.profiles[1];
    for (auto& k : edited.keys) k.KeyValue = {0, 0, 0};
    edited.SetPowerDownTime(-7);
    ASSERT_TRUE(WriteProfileFile(edited, Config("default1.psf")).ok());
    ASSERT_TRUE(shared.ChangedOnDisk(app));
    EXPECT_TRUE(shared.MergeFromDisk(app).profiles[1]);
    EXPECT_EQ(app.profiles[1].keys[0].KeyValue, (std::array<uint8_t, 3>{0x10, 0x01, 0x00}));
    EXPECT_EQ(app.profiles[1].keys[2].KeyValue, (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(app.profiles[1].GetPairValue(ProfilePair::PowerDownTime), u"3");
    ASSERT_EQ(app.profileRepairs.size(), 2u);
    EXPECT_EQ(app.profileRepairs[0].profile, 1);
    EXPECT_EQ(app.profileRepairs[0].problem.field, "PowerDownTime");
}

}  // namespace
}  // namespace orvane
