#include <gtest/gtest.h>

#include "device/sim/SimOptions.h"

using namespace orvane;
using namespace orvane::sim;

TEST(SimOptions, DefaultsAreBothDevicesAndAnOnlineMouse) {
    auto o = parseSimOptions("");
    ASSERT_TRUE(o.ok());
    EXPECT_TRUE(o->wired);
    EXPECT_TRUE(o->receiver);
    EXPECT_TRUE(o->condition.online);
    EXPECT_FALSE(o->dataChange.has_value());
}

TEST(SimOptions, ParsesEveryOption) {
    auto o = parseSimOptions(
        "sensor=0x3335,battery=57,charging,asleep,mac=0x123456,receiver-only,datachange=0x1240");
    ASSERT_TRUE(o.ok()) << o.error().message();
    EXPECT_EQ(o->condition.sensorCode, 0x35);
    EXPECT_EQ(o->condition.battery, 57);
    EXPECT_EQ(o->condition.chargeState, 1);
    EXPECT_FALSE(o->condition.online);
    EXPECT_EQ(o->condition.macId, 0x123456u);
    EXPECT_FALSE(o->wired);
    EXPECT_TRUE(o->receiver);
    EXPECT_EQ(o->dataChange, 0x1240);

    o = parseSimOptions("wired-only,charged,sensor=0x60,,combined-input");
    ASSERT_TRUE(o.ok());
    EXPECT_FALSE(o->receiver);
    EXPECT_EQ(o->condition.chargeState, 2);
    EXPECT_EQ(o->condition.sensorCode, 0x60);
    EXPECT_TRUE(o->combinedInput);
}

TEST(SimOptions, RejectsWhatItDoesNotUnderstand) {
    for (const char* bad : {"turbo", "battery=101", "battery=-1", "battery=", "battery=5x", "mac=0x1000000",
                            "sensor=0x4435", "colour=3", "wired-only,receiver-only", "datachange=0x10000",
                            "fail-writes=both"}) {
        const auto o = parseSimOptions(bad);
        ASSERT_FALSE(o.ok()) << bad;
        // Callers say "--simulate: " themselves; the message is the bare reason, with no errno text.
        EXPECT_EQ(o.error().message(), o.error().context);
        EXPECT_EQ(o.error().context.find("simulate"), std::string::npos) << o.error().context;
    }
}

TEST(SimOptions, FailWritesPicksTheDevices) {
    auto o = parseSimOptions("fail-writes");
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o->faults.size(), 2u);
    o = parseSimOptions("fail-writes=receiver");
    ASSERT_TRUE(o.ok());
    ASSERT_EQ(o->faults.size(), 1u);
    EXPECT_EQ(o->faults[0].first, Link::Receiver);
    EXPECT_EQ(o->faults[0].second, Fault::WriteFails);
}
