#include "device/SettingsEncoder.h"

#include <gtest/gtest.h>

#include "FrameBytes.h"
#include "profile/LanguageTable.h"

namespace orvane {
namespace {

using test::frameOf;
using test::hexOf;

Profile defaultProfile(uint16_t sensor = 0x3370) {
    Profile p;
    LanguageTable language;
    ResetProfileToDefaults(p, 0, language, sensor);
    return p;
}

DpiTables tablesFor(uint16_t sensor) {
    DpiTables t;
    EXPECT_TRUE(t.rebuild(sensor));
    return t;
}

TEST(DpiTablesTest, StepValuesAndCodesPerSensor) {
    const DpiTables t3325 = tablesFor(0x3325);
    EXPECT_EQ(t3325.stepCount(), 59);
    EXPECT_EQ(t3325.dpiValue(6), 800);
    EXPECT_EQ(t3325.dpiCode(6), 7);
    EXPECT_EQ(t3325.dpiValue(48), 5000);
    EXPECT_EQ(t3325.dpiValue(49), 5500);
    EXPECT_EQ(t3325.dpiValue(51), 6400);
    EXPECT_EQ(t3325.dpiValue(58), 10000);
    EXPECT_TRUE(t3325.sensorPageFlag());

    const DpiTables t3327 = tablesFor(0x3327);
    EXPECT_EQ(t3327.stepCount(), 74);
    EXPECT_EQ(t3327.dpiValue(60), 6200);
    EXPECT_EQ(t3327.dpiValue(61), 6500);
    EXPECT_EQ(t3327.dpiValue(72), 12000);
    EXPECT_EQ(t3327.dpiValue(73), 12400);
    EXPECT_FALSE(t3327.sensorPageFlag());

    const DpiTables t3360 = tablesFor(0x3360);
    EXPECT_EQ(t3360.dpiValue(119), 12000);
    EXPECT_EQ(t3360.dpiValue(120), 24000);
    EXPECT_EQ(t3360.dpiCode(120), 120);

    const DpiTables t3370 = tablesFor(0x3370);
    EXPECT_EQ(t3370.stepCount(), 290);
    EXPECT_EQ(t3370.dpiValue(7), 400);
    EXPECT_EQ(t3370.dpiCode(7), 7);
    EXPECT_EQ(t3370.dpiValue(199), 10000);
    EXPECT_EQ(t3370.dpiValue(200), 10100);
    EXPECT_EQ(t3370.dpiValue(289), 19000);
    EXPECT_EQ(t3370.dpiCode(289), 0x121);

    EXPECT_EQ(tablesFor(0x3335).stepCount(), 160);
    EXPECT_EQ(tablesFor(0x3335).dpiValue(159), 16000);
}

TEST(DpiTablesTest, UnknownSensorLeavesTablesAndOutOfRangeIndexReadsLastStep) {
    DpiTables t = tablesFor(0x3325);
    EXPECT_FALSE(t.rebuild(0x1234));
    EXPECT_EQ(t.sensorId(), 0x3325);
    EXPECT_EQ(t.stepCount(), 59);
    EXPECT_EQ(t.dpiCode(500), 59);
    EXPECT_EQ(t.indexForDpi(800), 6);
    DpiTables empty;
    EXPECT_EQ(empty.dpiCode(3), 0);
    EXPECT_EQ(empty.dpiValue(3), 0);
}

TEST(SettingsEncoderTest, DpiImageOfFourLevels) {
    Profile p = defaultProfile(0x3325);
    const DpiImage img = buildDpiImage(p, tablesFor(0x3325));
    EXPECT_EQ(img[0], 0x24);
    EXPECT_EQ(img[1], 0x0F);
    // 0x3325 defaults 2, 6, 14, 30 are sent as codes 3, 7, 15, 31 in both blocks.
    EXPECT_EQ(hexOf(img), "24 0F 03 00 07 00 0F 00 1F 00 00 00 00 00 03 00 07 00 0F 00 1F 00 00 00 00 00");
    const Frame f = dpiFrame(img);
    EXPECT_EQ(f[6], 18);
    EXPECT_EQ(f[2], 0x05);
}

TEST(SettingsEncoderTest, HighDpiCodeAndEightLevelsLength) {
    Profile p = defaultProfile(0x3370);
    p.XYSetting[0] = 289;
    p.DPIOffOnFlagValue = 0xFF;
    const DpiImage img = buildDpiImage(p, tablesFor(0x3370));
    EXPECT_EQ(img[2], 0x21);
    EXPECT_EQ(img[3], 0x01);
    EXPECT_EQ(img[0] & 0x0F, 8);
    // Eight levels give 34 although the frame holds 26 payload bytes; the firmware gets it so.
    EXPECT_EQ(dpiFrame(img)[6], 34);
}

TEST(SettingsEncoderTest, ColoursAreSentRedFirst) {
    Profile p = defaultProfile();
    const DpiColourImage img = buildDpiColourImage(p);
    EXPECT_EQ(hexOf(img), "FF 00 00 FF 00 FF 00 00 FF 00 FF 00 FF FF 00 00 FF FF");
    EXPECT_EQ(dpiColourFrame(img)[6], 18);
}

TEST(SettingsEncoderTest, PollingLiftOffDebounceAndPower) {
    Profile p = defaultProfile();
    const std::pair<uint8_t, uint8_t> rates[] = {{0, 8}, {1, 4}, {2, 2}, {3, 1}, {7, 1}};
    for (auto [code, interval] : rates) {
        p.PollingRateValue[0] = code;
        EXPECT_EQ(buildPollingImage(p), interval) << int(code);
    }
    EXPECT_EQ(buildLiftOffImage(p), 1);
    p.SetPairValue(ProfilePair::LiftDetectionHeight, u"x");
    EXPECT_EQ(buildLiftOffImage(p), 2);
    EXPECT_EQ(buildDebounceImage(p), 12);
    p.SetPairValue(ProfilePair::KeyDebounce, u"junk");
    EXPECT_EQ(buildDebounceImage(p), 0);
    EXPECT_EQ(hexOf(buildPowerImage(p)), "03 00");
    EXPECT_EQ(liftOffFrame(1), frameOf("0C 01 09 00 00 01 02 01 00"));
    EXPECT_EQ(pollingFrame(1), frameOf("0C 01 07 00 00 01 01 01"));
    EXPECT_EQ(powerFrame(PowerImage{3, 1}), frameOf("0C 01 0B 00 00 01 02 03 01"));
}

TEST(SettingsEncoderTest, LightingEffects) {
    Profile p = defaultProfile();
    // Effect 2 with slots 0 and 2 selected and slot 1 black: slots keep their positions.
    p.Lighting1ModeValue[0] = 2;
    p.Lighting1ColorSelected[2] = {1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    p.Lighting1FixedColor[2][1] = 0;
    LightingImage img = buildLightingImage(p);
    EXPECT_EQ(img[0], 0x18);
    EXPECT_EQ(img[1], 2);
    EXPECT_EQ(img[2], 0x22);
    EXPECT_EQ(img[3], 2);
    EXPECT_EQ(hexOf(img.data() + 4, 9), "FF 00 00 00 00 00 00 00 FF");
    const Frame f = lightingFrame(img);
    EXPECT_EQ(f[6], 0x18);
    EXPECT_EQ(f[7], 2);

    // Effect 6 writes black slots as zeros but counts nothing.
    p.Lighting1ModeValue[0] = 6;
    img = buildLightingImage(p);
    EXPECT_EQ(img[0], 0x17);
    EXPECT_EQ(hexOf(img.data() + 3, 6), "FF 00 00 00 FF 00");

    // Effect 7: the first colour complete, including its red component.
    p.Lighting1ModeValue[0] = 7;
    img = buildLightingImage(p);
    EXPECT_EQ(hexOf(img.data() + 3, 7), "00 FF 00 FA 00 6A 00");

    p.Lighting1ModeValue[0] = 3;
    img = buildLightingImage(p);
    EXPECT_EQ(img[0], 5);
    EXPECT_EQ(hexOf(img.data() + 2, 4), "42 FF 00 FF");

    p.Lighting1ModeValue[0] = 12;
    img = buildLightingImage(p);
    EXPECT_EQ(img[0], 0);
    EXPECT_EQ(img[1], 12);
    EXPECT_EQ(lightingCompareLength(img), 1u);
    EXPECT_EQ(lightingFrame(img)[6], 0);
}

}  // namespace
}  // namespace orvane
