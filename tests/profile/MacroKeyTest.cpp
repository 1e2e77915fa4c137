#include <gtest/gtest.h>

#include "profile/MacroKey.h"
#include "profile/Profile.h"

namespace orvane {
namespace {

MacroKey Filled(uint32_t count) {
    MacroKey k(u"m");
    for (uint32_t i = 0; i < count; ++i) EXPECT_TRUE(k.InsertAction(i, 1000 + i));
    return k;
}

TEST(MacroKey, NewKeyHasDefaults) {
    MacroKey k(u"name");
    EXPECT_EQ(k.ActionCount, 0u);
    EXPECT_EQ(k.LoopType, 2);
    EXPECT_EQ(k.LoopNum, 1);
    EXPECT_EQ(k.CommandActionNum, 0);
    EXPECT_EQ(k.GetAction(335), 0u);
}

TEST(MacroKey, InsertIntoFullKeyFailsAndChangesNothing) {
    MacroKey full = Filled(336);
    const MacroKey before = full;
    EXPECT_FALSE(full.InsertAction(5, 7));
    EXPECT_FALSE(full.InsertAction(400, 7));
    EXPECT_EQ(full, before);
}

TEST(MacroKey, InsertIntoAlmostFullKeyShiftsTheTailAndLosesNothing) {
    MacroKey k = Filled(335);
    ASSERT_TRUE(k.InsertAction(5, 7));
    EXPECT_EQ(k.ActionCount, 336u);
    EXPECT_EQ(k.GetAction(4), 1004u);
    EXPECT_EQ(k.GetAction(5), 7u);
    EXPECT_EQ(k.GetAction(6), 1005u);
    EXPECT_EQ(k.GetAction(335), 1334u);
}

TEST(MacroKey, InsertBeyondTheCountAppends) {
    MacroKey k = Filled(3);
    ASSERT_TRUE(k.InsertAction(100, 9));
    EXPECT_EQ(k.ActionCount, 4u);
    EXPECT_EQ(k.GetAction(3), 9u);
    EXPECT_EQ(k.GetAction(100), 0u);
}

TEST(MacroKey, DeleteShiftsDownAndClearsTheLastSlot) {
    MacroKey k = Filled(336);
    ASSERT_TRUE(k.DeleteAction(0));
    EXPECT_EQ(k.ActionCount, 335u);
    EXPECT_EQ(k.GetAction(0), 1001u);
    EXPECT_EQ(k.GetAction(334), 1335u);
    EXPECT_EQ(k.GetAction(335), 0u);
    EXPECT_FALSE(k.DeleteAction(335));
}

TEST(MacroKey, OutOfRangeIndicesNeverReachBeyondTheSlots) {
    MacroKey k = Filled(2);
    EXPECT_FALSE(k.SetAction(336, 5));
    EXPECT_EQ(k.GetAction(336), k.GetAction(0));
    EXPECT_EQ(k.GetAction(0xFFFFFFFF), 1000u);
    // A count read from a file can exceed the slots; deleting or inserting must stay within them.
    k.ActionCount = 400;
    EXPECT_EQ(k.UsableActionCount(), 336u);
    EXPECT_FALSE(k.DeleteAction(350));
    EXPECT_TRUE(k.DeleteAction(1));
    EXPECT_FALSE(k.InsertAction(0, 1));
}

TEST(MacroKey, ActionBytesAreLeastSignificantFirst) {
    MacroKey k;
    k.SetActionBytes(0, {0x03, 0x00, 0x01, 0xF4});
    EXPECT_EQ(k.GetAction(0), 0xF4010003u);
    EXPECT_EQ(k.GetActionBytes(0), (std::array<uint8_t, 4>{0x03, 0x00, 0x01, 0xF4}));
}

TEST(AssignMacro, WithoutSourceOnlyEmptiesTheMacro) {
    KeyAssignment key;
    key.KeyMacro = Filled(4);
    AssignMacro(key, nullptr);
    EXPECT_EQ(key.KeyMacro.ActionCount, 0u);
    EXPECT_EQ(key.KeyMacro.Name, u"m");
    EXPECT_EQ(key.KeyMacro.GetAction(3), 1003u);
}

TEST(AssignMacro, CopiesNameAndLeadingActionsButNotLoopSettings) {
    KeyAssignment key;
    key.KeyMacro = Filled(10);
    key.KeyMacro.LoopType = 4;
    MacroKey source = Filled(3);
    source.SetName(u"copy me");
    source.LoopType = 1;
    source.LoopNum = 9;
    source.SetAction(3, 77);  // beyond the source's count: not copied
    AssignMacro(key, &source);
    EXPECT_EQ(key.KeyMacro.Name, u"copy me");
    EXPECT_EQ(key.KeyMacro.ActionCount, 3u);
    EXPECT_EQ(key.KeyMacro.GetAction(2), 1002u);
    EXPECT_EQ(key.KeyMacro.GetAction(3), 1003u);
    EXPECT_EQ(key.KeyMacro.LoopType, 4);
    EXPECT_EQ(key.KeyMacro.LoopNum, 1);
}

TEST(AssignMacro, SourceWithOversizedCountCopiesOnlyTheSlots) {
    KeyAssignment key;
    MacroKey source = Filled(336);
    source.ActionCount = 1000;
    AssignMacro(key, &source);
    EXPECT_EQ(key.KeyMacro.ActionCount, 336u);
    EXPECT_EQ(key.KeyMacro.GetAction(335), 1335u);
}

}  // namespace
}  // namespace orvane
