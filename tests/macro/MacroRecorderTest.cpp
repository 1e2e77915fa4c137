// The recorder on synthetic key events: what a tap, a held key, a long pause and a wrapped clock
// become, and where a recording must stop.
#include <gtest/gtest.h>

#include "macro/MacroActions.h"
#include "macro/MacroRecorder.h"

namespace orvane::macro {
namespace {

using Outcome = MacroRecorder::Outcome;

struct Recording : ::testing::Test {
    MacroKey key{u"m"};
    MacroRecorder rec;
    bool delays = true;
    void SetUp() override { rec.Start(key); }
    Outcome press(uint32_t code, uint32_t t) { return rec.OnKey(RecordedKey::make(code, false, t), delays); }
    Outcome release(uint32_t code, uint32_t t) { return rec.OnKey(RecordedKey::make(code, true, t), delays); }
    std::vector<ActionBytes> actions() const {
        std::vector<ActionBytes> out;
        for (uint32_t i = 0; i < key.ActionCount; ++i) out.push_back(key.GetActionBytes(i));
        return out;
    }
};

TEST_F(Recording, StartEmptiesTheMacro) {
    MacroKey k{u"old"};
    k.ActionCount = 5;
    k.CommandActionNum = 9;
    MacroRecorder r;
    r.Start(k);
    EXPECT_TRUE(r.Recording());
    EXPECT_EQ(k.ActionCount, 0u);
    EXPECT_EQ(k.CommandActionNum, 0);
    r.Stop();
    EXPECT_FALSE(r.Recording());
    EXPECT_EQ(r.OnKey(RecordedKey::make('A', false, 1), true), Outcome::Dropped);
}

TEST_F(Recording, TapIsPressDelayReleaseWithOrWithoutDelays) {
    EXPECT_EQ(press('A', 1000), Outcome::Recorded);
    EXPECT_EQ(release('A', 1180), Outcome::Recorded);
    EXPECT_EQ(actions(), (std::vector<ActionBytes>{keyAction('A', false), delayAction(180), keyAction('A', true)}));
    EXPECT_EQ(key.CommandActionNum, 2);

    rec.Start(key);
    delays = false;
    press('B', 10);
    release('B', 90);
    EXPECT_EQ(actions(), (std::vector<ActionBytes>{keyAction('B', false), keyAction('B', true)}));
    EXPECT_EQ(key.CommandActionNum, 2);
}

TEST_F(Recording, RepeatsAndLowCodesAreDropped) {
    press(0x10, 0);
    for (uint32_t t = 500; t < 1000; t += 33) EXPECT_EQ(press(0x10, t), Outcome::Dropped);
    // Two presses with no release between them keep only the first.
    EXPECT_EQ(release(0x10, 1000), Outcome::Recorded);
    EXPECT_EQ(press(0x07, 1100), Outcome::Dropped);  // a popup's closing notice, not a key
    EXPECT_EQ(press(0, 1100), Outcome::Dropped);
    EXPECT_EQ(key.ActionCount, 3u);
    EXPECT_EQ(key.CommandActionNum, 2);
    // The other direction of the same key, and the same direction of another key, are new.
    EXPECT_EQ(press(0x10, 1200), Outcome::Recorded);
    EXPECT_EQ(press(0x11, 1300), Outcome::Recorded);
    EXPECT_EQ(key.CommandActionNum, 4);
}

TEST_F(Recording, LongPausesAreCappedAndTheClockMayWrap) {
    press('A', 0);
    press('B', 10000);  // ten seconds later
    EXPECT_EQ(actions()[1], delayAction(4095));
    // The clock went from just below 2^31 back past 0: the small gap is still measured.
    rec.Start(key);
    press('A', 0x7FFFFFF0);
    release('A', 0x00000010);
    EXPECT_EQ(actions()[1], delayAction(0x20));
    EXPECT_EQ(rec.LastAccepted().word, 0x80000010u);
}

TEST_F(Recording, The168thEventIsRecordedAndTheNextStopsTheRecording) {
    delays = false;
    for (uint32_t i = 0; i < 84; ++i) {
        ASSERT_EQ(press('A', i * 10), Outcome::Recorded);
        ASSERT_EQ(release('A', i * 10 + 5), Outcome::Recorded);
    }
    EXPECT_EQ(key.CommandActionNum, 168);
    EXPECT_EQ(press('B', 5000), Outcome::LimitReached);
    EXPECT_EQ(key.ActionCount, 168u);
    EXPECT_EQ(key.CommandActionNum, 168);
    // It still counts as the last event seen.
    EXPECT_EQ(rec.LastAccepted().code, uint32_t('B'));
}

TEST_F(Recording, AFullActionListTakesNeitherTheDelayNorTheKey) {
    key.ActionCount = 335;  // delays only
    key.CommandActionNum = 3;
    EXPECT_EQ(press('A', 100), Outcome::Recorded);
    EXPECT_FALSE(rec.Appended());
    EXPECT_EQ(key.ActionCount, 335u);  // no lone delay at the end
    EXPECT_EQ(key.CommandActionNum, 0);  // what the actions make: a key not taken is no command
    delays = false;
    EXPECT_EQ(release('A', 200), Outcome::Recorded);
    EXPECT_TRUE(rec.Appended());
    EXPECT_EQ(key.ActionCount, 336u);
    EXPECT_EQ(key.CommandActionNum, 1);
}

}  // namespace
}  // namespace orvane::macro
