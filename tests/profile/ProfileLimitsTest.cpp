#include <gtest/gtest.h>

#include "TestFiles.h"
#include "profile/AppData.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLimits.h"
#include "profile/Storage.h"

namespace orvane {
namespace {

using Value = std::array<uint8_t, 3>;

Profile Defaults(int index = 0) {
    LanguageTable language;
    language.SetText(20, u"Left");
    Profile p;
    ResetProfileToDefaults(p, index, language, 0x3370);
    return p;
}

std::vector<std::string> Fields(const std::vector<ProfileProblem>& problems) {
    std::vector<std::string> out;
    for (const auto& p : problems) out.push_back(p.field);
    return out;
}

TEST(ProfileLimits, ButtonFunctionsTheMenusAndDialogsMakeAreValid) {
    for (const Value v : {Value{0, 0, 0}, Value{0x10, 0x01, 0}, Value{0x10, 0x10, 0}, Value{0x30, 0x32, 0x03},
                          Value{0x30, 5, 0}, Value{0x40, 0x03, 0}, Value{0x70, 0x01, 0x06}, Value{0x70, 0x01, 0x00},
                          Value{0x70, 0x08, 0x51}, Value{0x80, 0x83, 0x01}, Value{0x90, 0x21, 0x01}})
        EXPECT_TRUE(IsValidButtonFunction(v)) << int(v[0]) << " " << int(v[1]) << " " << int(v[2]);
    // Unknown types, a fire rate the dialog refuses, a key the mouse cannot send (F13 gives no
    // usage; L Key gives our own 0xF0), a shortcut of nothing, a consumer usage of 0.
    for (const Value v : {Value{0xFF, 0xFF, 0xFF}, Value{0x20, 0, 0}, Value{0x10, 0x03, 0}, Value{0x30, 4, 0},
                          Value{0x40, 0, 0}, Value{0x70, 0x01, 0xF0}, Value{0x70, 0x00, 0x00}, Value{0x70, 0x10, 0x04},
                          Value{0x80, 0, 0}, Value{0x00, 0x01, 0x00}})
        EXPECT_FALSE(IsValidButtonFunction(v)) << int(v[0]) << " " << int(v[1]) << " " << int(v[2]);
}

TEST(ProfileLimits, DefaultsAndTheSlidersRangesHaveNoProblems) {
    Profile p = Defaults();
    EXPECT_TRUE(FindProfileProblems(p).empty());
    p.SetKeyDebounce(16);
    p.SetPowerDownTime(10);
    p.DPIOffOnFlagValue = 0x08;
    p.SetLiftDetectionHeight(7);  // any value but 1 is the second option
    EXPECT_TRUE(FindProfileProblems(p).empty());
    const Profile before = p;
    EXPECT_TRUE(RepairProfile(p, 0, LanguageTable{}, 0x3370).empty());
    EXPECT_EQ(p, before);
}

TEST(ProfileLimits, EachBrokenValueIsNamedAndRepairedToItsDefault) {
    Profile p = Defaults();
    p.SetKeyDebounce(255);
    p.SetPowerDownTime(-7);
    p.PollingRateValue = {7, 0, 0};
    p.DPIOffOnFlagValue = 0xF0;
    p.keys[3].KeyValue = {0xFF, 0xFF, 0xFF};
    p.keys[0].KeyValue = {0x10, 0x02, 0x00};
    p.keys[0].KeyName = u"Right";
    EXPECT_EQ(Fields(FindProfileProblems(p)), (std::vector<std::string>{"PowerDownTime", "KeyDebounce", "PollingRateValue",
                                                                       "DPIOffOnFlagValue", "Key3Value", "Key0Value"}));
    EXPECT_EQ(FindProfileProblems(p)[1].Describe(),
              "KeyDebounce=255: the debounce time must be an even number of milliseconds 0-16");
    LanguageTable language;
    language.SetText(20, u"Left");
    language.SetText(24, u"Back");
    const auto repaired = RepairProfile(p, 0, language, 0x3370);
    ASSERT_EQ(repaired.size(), 6u);
    EXPECT_NE(repaired[3].why.find("set to 0F"), std::string::npos) << repaired[3].why;
    EXPECT_TRUE(FindProfileProblems(p).empty());
    EXPECT_EQ(p.GetPairValue(ProfilePair::KeyDebounce), u"12");
    EXPECT_EQ(p.GetPairValue(ProfilePair::PowerDownTime), u"3");
    EXPECT_EQ(p.PollingRateValue, (Value{2, 0, 0}));
    EXPECT_EQ(p.keys[3].KeyValue, (Value{0x10, 0x08, 0x00}));
    EXPECT_EQ(p.keys[3].KeyName, u"Back");
    EXPECT_EQ(p.keys[0].KeyValue, (Value{0x10, 0x01, 0x00}));
    EXPECT_EQ(p.keys[0].KeyName, u"Left");
}

class ProfileLimitsStorage : public testing::TempAppDir {};

TEST_F(ProfileLimitsStorage, LoadingRepairsAndReportsImportRefuses) {
    {
        AppData first(dir_);
        LoadSettingsAndProfiles(first);
        EXPECT_TRUE(first.profileRepairs.empty());
        Profile edited = first.profiles[2];
        for (auto& k : edited.keys) k.KeyValue = {0, 0, 0};
        ASSERT_TRUE(WriteProfileFile(edited, Config("default2.psf")).ok());
        ASSERT_TRUE(WriteProfileFile(edited, dir_ / "nolc.psf").ok());
    }
    AppData app(dir_);
    LoadSettingsAndProfiles(app);
    ASSERT_EQ(app.profileRepairs.size(), 1u);
    EXPECT_EQ(app.profileRepairs[0].profile, 2);
    EXPECT_EQ(app.profileRepairs[0].problem.field, "Key0Value");
    EXPECT_TRUE(HasLeftClick(app.profiles[2]));
    EXPECT_EQ(app.profiles[2].keys[1].KeyValue, (Value{0, 0, 0}));  // the rest is as the file says

    const auto before = app.profiles;
    auto imported = ReadImportedProfile(dir_ / "nolc.psf", app.profiles[1]);
    ASSERT_FALSE(imported.ok());
    EXPECT_NE(imported.error().context.find("Key0Value=000000"), std::string::npos) << imported.error().context;
    EXPECT_FALSE(ImportProfile(app, 1, dir_ / "nolc.psf").ok());
    EXPECT_EQ(app.profiles, before);
}

}  // namespace
}  // namespace orvane
