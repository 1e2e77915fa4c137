// The command count after inserts, delay edits and deletes (always the events the actions make),
// and the insert ceilings.
#include <gtest/gtest.h>

#include "macro/MacroEdits.h"

namespace orvane::macro {
namespace {

std::vector<ActionBytes> actionsOf(const MacroKey& key) {
    std::vector<ActionBytes> out;
    for (uint32_t i = 0; i < key.ActionCount; ++i) out.push_back(key.GetActionBytes(i));
    return out;
}

TEST(MacroEdits, ClickAndKeyInsertsAddThreeActionsAndTwoCommands) {
    MacroKey key;
    EXPECT_EQ(insertClick(key, 0), InsertResult::Inserted);
    EXPECT_EQ(actionsOf(key), (std::vector<ActionBytes>{{0xE0, 0x00, 0, 0}, {3, 0, 0, 0x32}, {0xE0, 0x80, 0, 0}}));
    EXPECT_EQ(key.CommandActionNum, 2);
    EXPECT_EQ(insertClick(key, 2), InsertResult::Inserted);
    EXPECT_EQ(key.GetActionBytes(3)[0], 0xE2);
    EXPECT_EQ(insertKeyTap(key, 0x41), InsertResult::Inserted);
    EXPECT_EQ(key.GetActionBytes(8), keyAction(0x41, true));
    EXPECT_EQ(key.CommandActionNum, 6);
}

TEST(MacroEdits, InsertCeilingIs166CommandsAndAFullListTakesNothing) {
    MacroKey key;
    for (int i = 0; i < 83; ++i) insertKeyTap(key, 'B');
    EXPECT_EQ(key.CommandActionNum, 166);
    EXPECT_EQ(insertClick(key, 1), InsertResult::Inserted);
    EXPECT_EQ(key.CommandActionNum, 168);
    EXPECT_EQ(insertKeyTap(key, 'A'), InsertResult::Ceiling);
    EXPECT_EQ(insertClick(key, 0), InsertResult::Ceiling);
    EXPECT_EQ(key.ActionCount, 84u * 3);

    MacroKey full;
    full.ActionCount = 334;
    EXPECT_EQ(insertClick(full, 0), InsertResult::Full);
    EXPECT_EQ(full.ActionCount, 334u);
    EXPECT_EQ(full.CommandActionNum, 0);
}

TEST(MacroEdits, DelayEditsLeaveTheCommandCountToTheEvents) {
    // Press A, 500 ms, release A: two events whatever the delay, so the release is never lost.
    MacroKey key;
    appendAction(key, keyAction('A', false));
    appendAction(key, delayAction(500));
    appendAction(key, keyAction('A', true));
    EXPECT_EQ(key.CommandActionNum, 2);
    EXPECT_TRUE(editDelay(key, 1, 100));
    EXPECT_EQ(key.CommandActionNum, 2);
    EXPECT_TRUE(editDelay(key, 1, 128));
    EXPECT_EQ(key.CommandActionNum, 2);
    EXPECT_TRUE(editDelay(key, 1, 99999999));
    EXPECT_EQ(key.GetActionBytes(1), (ActionBytes{3, 0xE9, 0x75, 0xA0}));  // 15300000
    EXPECT_EQ(key.CommandActionNum, 2);
    // A count another rule left wrong is put right by the next edit.
    key.CommandActionNum = 1;
    EXPECT_TRUE(editDelay(key, 1, 100));
    EXPECT_EQ(key.CommandActionNum, 2);
    EXPECT_FALSE(editDelay(key, 0, 10));  // a key, not a delay
    EXPECT_FALSE(editDelay(key, 3, 10));  // past the end
}

TEST(MacroEdits, DeletesCostACommandOnlyForKeysAndButtons) {
    MacroKey key;
    insertKeyTap(key, 'A');
    EXPECT_TRUE(deleteAction(key, 1));  // the delay
    EXPECT_EQ(key.CommandActionNum, 2);
    EXPECT_TRUE(deleteAction(key, 0));
    EXPECT_EQ(key.CommandActionNum, 1);
    EXPECT_EQ(actionsOf(key), (std::vector<ActionBytes>{keyAction('A', true)}));
    EXPECT_FALSE(deleteAction(key, 1));
    // A count that is already wrong is put right, never wrapped below zero.
    key.CommandActionNum = 0;
    EXPECT_TRUE(deleteAction(key, 0));
    EXPECT_EQ(key.CommandActionNum, 0);
    // A delay of another code below 8 costs no command either.
    appendAction(key, keyAction('A', false));
    appendAction(key, ActionBytes{0, 0, 0, 20});
    EXPECT_EQ(key.CommandActionNum, 1);
    EXPECT_TRUE(deleteAction(key, 1));
    EXPECT_EQ(key.CommandActionNum, 1);
}

TEST(MacroEdits, KeyEditsKeepPressOrReleaseAndLeaveMouseActionsAlone) {
    MacroKey key;
    insertKeyTap(key, 'A');
    insertClick(key, 0);
    EXPECT_TRUE(editKeyCode(key, 2, 'Z'));
    EXPECT_EQ(key.GetActionBytes(2), keyAction('Z', true));
    EXPECT_FALSE(editKeyCode(key, 1, 'Z'));
    EXPECT_FALSE(editKeyCode(key, 3, 'Z'));
    EXPECT_FALSE(editKeyCode(key, 0, 0x05));  // would read as a delay
    EXPECT_EQ(key.GetActionBytes(0), keyAction('A', false));
    EXPECT_EQ(key.GetActionBytes(3)[0], 0xE0);
}

}  // namespace
}  // namespace orvane::macro
