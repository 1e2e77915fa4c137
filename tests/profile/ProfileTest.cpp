#include <gtest/gtest.h>

#include "profile/AppData.h"
#include "profile/LanguageTable.h"
#include "profile/Profile.h"
#include "profile/TextNumbers.h"

namespace orvane {
namespace {

LanguageTable Names() {
    LanguageTable t;
    for (int i : {20, 21, 22, 23, 24, 42, 85, 86, 87, 88, 89, 100, 101})
        t.SetText(i, u"text" + DecimalText(i));
    return t;
}

TEST(Profile, ResetUsesLanguageNamesAndSensorSteps) {
    LanguageTable names = Names();
    Profile p;
    ResetProfileToDefaults(p, 3, names, 0x3370);
    EXPECT_EQ(p.GetProfileName(), u"text88");
    EXPECT_EQ(p.GetPairName(4), u"DoubleClickSpeed");
    EXPECT_EQ(p.GetPairValue(ProfilePair::KeyDebounce), u"12");
    EXPECT_EQ(p.keys[3].KeyName, u"text24");
    EXPECT_EQ(p.keys[4].KeyValue, (std::array<uint8_t, 3>{0x10, 0x10, 0x00}));
    EXPECT_EQ(p.keys[5].KeyName, u"text42");
    EXPECT_EQ(p.Lighting1Name, u"text101");
    EXPECT_EQ(p.Lighting2Name, u"text100");
    EXPECT_EQ(p.XYSetting, (std::array<uint16_t, 8>{7, 15, 31, 63, 119, 119, 119, 119}));
    EXPECT_EQ(p.DPIOffOnFlagValue, 0x0F);
    EXPECT_EQ(p.CurrentDPILevelValue, 1);
    EXPECT_EQ(p.Lighting1FixedColor[6][7], 0xFF46FAu);
    EXPECT_EQ(p.Lighting1ColorSelected[7], (std::array<uint8_t, 10>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(p.Lighting1Brightness[3], 3);
    EXPECT_EQ(p.Lighting2OffOn, 0);
}

TEST(Profile, DefaultNameBeyondTheFiveProfiles) {
    EXPECT_EQ(DefaultProfileName(5, Names()), u"Profile6");
    EXPECT_EQ(DefaultProfileName(0, LanguageTable{}), u"");
}

TEST(Profile, UnknownSensorKeepsStepsButResetsTheRest) {
    Profile p;
    p.XYSetting = {1, 2, 3, 4, 5, 6, 7, 8};
    p.DPIOffOnFlagValue = 0xFF;
    p.DPILevelIndication.fill(0);
    ApplySensorDefaults(p, 0x1234);
    EXPECT_EQ(p.XYSetting, (std::array<uint16_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(p.DPIOffOnFlagValue, 0x0F);
    EXPECT_EQ(p.DPILevelIndication[1], 0xFF00FFu);
    EXPECT_EQ(p.LiftDetectionValue, 2);
}

TEST(Profile, PairAccessAndTypedSetters) {
    Profile p;
    EXPECT_EQ(p.GetPairName(19), u"");
    EXPECT_EQ(p.GetPairValue(-1), u"");
    p.SetKeyDebounce(-4);
    p.SetMoveLightingOnOffMode(-1);
    p.SetAccelerationEnable(-1);
    EXPECT_EQ(p.GetPairValue(ProfilePair::KeyDebounce), u"-4");
    EXPECT_EQ(p.GetPairValue(ProfilePair::MoveLightingOnOffMode), u"0");
    EXPECT_EQ(p.GetPairValue(ProfilePair::AccelerationEnable), u"1");
    p.SetPairValue(ProfilePair::PowerDownTime, u"7a");
    EXPECT_EQ(p.GetPairInt(ProfilePair::PowerDownTime), 7);
    EXPECT_EQ(p.GetKeyAssignment(6), nullptr);
    EXPECT_EQ(p.GetKeyAssignment(5), &p.keys[5]);
}

TEST(AppData, CurrentProfileIsConfined) {
    AppData app;
    app.currentProfile = 9;
    EXPECT_EQ(&app.Current(), &app.profiles[0]);
    app.currentProfile = 4;
    EXPECT_EQ(&app.Current(), &app.profiles[4]);
}

}  // namespace
}  // namespace orvane
