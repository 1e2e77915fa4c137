#include "app/DpiLevels.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(DpiLevels, PositionCountsSetBitsFromTheLowest) {
    EXPECT_EQ(dpiLevelPosition(0, 0b1010), 1);
    EXPECT_EQ(dpiLevelPosition(1, 0b1010), 3);
    EXPECT_EQ(dpiLevelPosition(3, 0b1111), 3);
    // Beyond the fourth level, and past the last set bit, the first level is meant.
    EXPECT_EQ(dpiLevelPosition(4, 0xFF), 0);
    EXPECT_EQ(dpiLevelPosition(2, 0b1010), 0);
}

TEST(DpiLevels, SwitchingOffBelowTheActiveLevelKeepsItActive) {
    EXPECT_EQ(dpiLevelAfterToggle(2, 0b1111, 0, false), 1);  // level 2 stays active
    EXPECT_EQ(dpiLevelAfterToggle(2, 0b1111, 2, false), 1);  // level 1 becomes active
    EXPECT_EQ(dpiLevelAfterToggle(0, 0b1111, 0, false), 0);  // the next enabled level takes over
    EXPECT_EQ(dpiLevelAfterToggle(1, 0b1111, 3, false), 1);  // above the active one: no change
}

TEST(DpiLevels, SwitchingOnBelowTheActiveLevelKeepsItActive) {
    EXPECT_EQ(dpiLevelAfterToggle(0, 0b1010, 0, true), 1);
    EXPECT_EQ(dpiLevelAfterToggle(0, 0b1010, 2, true), 0);
}

TEST(DpiLevels, TheOnlyEnabledLevelCannotBeSwitchedOff) {
    EXPECT_FALSE(dpiLevelAfterToggle(0, 0b0001, 0, false).has_value());
    EXPECT_FALSE(dpiLevelAfterToggle(0, 0b1000, 3, false).has_value());
    EXPECT_TRUE(dpiLevelAfterToggle(0, 0b1001, 3, false).has_value());
}

}  // namespace
}  // namespace orvane
