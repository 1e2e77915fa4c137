// What the mouse has not taken yet, over several passes, and how it is put in words.
#include <gtest/gtest.h>

#include "app/UndeliveredChanges.h"

namespace orvane {
namespace {

using namespace undelivered;

class UndeliveredChangesTest : public ::testing::Test {
protected:
    void SetUp() override {
        language.SetText(kTextWaitForMouse, u"Missing: %s - when back.");
        language.SetText(kTextRefused, u"Missing: %s - refused.");
        language.SetText(kTextButton, u"button %d");
        language.SetText(kTextButtons, u"buttons %s");
        language.SetText(kTextAllButtons, u"buttons");
        language.SetText(kTextDpiLevels, u"DPI levels");
        language.SetText(kTextPolling, u"polling rate");
        language.SetText(kTextSleep, u"sleep time");
        language.SetText(kTextMacros, u"macros");
        language.SetText(kTextPerformance, u"performance");
        language.SetText(kTextMacroTooLong, u"Macro \"%s\" is too long.");
        language.SetText(kTextButtonDisabled, u"Button %s is now Disabled.");
    }
    static FrameReport Frame(Command c, FrameFate fate, int item = -1) {
        FrameReport f;
        f.command = c;
        f.item = item;
        f.fate = fate;
        return f;
    }
    static PassReport Pass(std::vector<FrameReport> frames) {
        PassReport r;
        r.frames = std::move(frames);
        return r;
    }
    Text Said() const { return changes.Describe(language); }

    LanguageTable language;
    UndeliveredChanges changes;
};

TEST_F(UndeliveredChangesTest, ALostFrameStaysListedUntilThatItemArrives) {
    changes.Take(Pass({Frame(Command::Button, FrameFate::MouseOffline, 2), Frame(Command::Dpi, FrameFate::MouseOffline),
                       Frame(Command::Polling, FrameFate::Taken)}));
    EXPECT_EQ(Said(), u"Missing: button 3, DPI levels - when back.");
    // A pass that delivers something else leaves them listed.
    changes.Take(Pass({Frame(Command::Power, FrameFate::Taken)}));
    EXPECT_EQ(Said(), u"Missing: button 3, DPI levels - when back.");
    changes.Take(Pass({Frame(Command::Button, FrameFate::Taken, 2)}));
    EXPECT_EQ(Said(), u"Missing: DPI levels - when back.");
    changes.Take(Pass({Frame(Command::Dpi, FrameFate::Taken)}));
    EXPECT_TRUE(changes.Empty());
    EXPECT_EQ(Said(), u"");
}

TEST_F(UndeliveredChangesTest, AnItemOfAGroupThePassWentThroughWithoutSendingItIsOnTheMouse) {
    changes.Take(Pass({Frame(Command::Polling, FrameFate::Refused), Frame(Command::Button, FrameFate::Refused, 1),
                       Frame(Command::MacroData, FrameFate::Refused, 2)}));
    // The performance group went through and sent nothing: the polling rate is as the mouse has
    // it. The buttons were not looked at; the macros are looked at by every pass.
    changes.Take(Pass({}), {SyncGroup::Performance});
    EXPECT_EQ(Said(), u"Missing: button 2 - refused.");
    // A blocked pass proves nothing.
    changes.Take(Pass({Frame(Command::Button, FrameFate::Refused, 1)}));
    PassReport blocked;
    blocked.blocked = PassBlock::NoDevice;
    changes.Take(blocked, {SyncGroup::Buttons});
    EXPECT_EQ(Said(), u"Missing: button 2 - refused.");
    changes.Take(Pass({}), {SyncGroup::Buttons});
    EXPECT_TRUE(changes.Empty());
}

TEST_F(UndeliveredChangesTest, SeveralButtonsAreNumberedTogetherAndARefusalSaysSo) {
    changes.Take(Pass({Frame(Command::Button, FrameFate::Refused, 0), Frame(Command::Button, FrameFate::Refused, 4),
                       Frame(Command::Polling, FrameFate::NoDevice)}));
    EXPECT_EQ(Said(), u"Missing: buttons 1/5, polling rate - refused.");
}

TEST_F(UndeliveredChangesTest, AMacroChunkThatArrivedDoesNotHideOneThatDidNot) {
    changes.Take(Pass({Frame(Command::MacroData, FrameFate::Refused, 1), Frame(Command::MacroData, FrameFate::Taken, 1)}));
    EXPECT_EQ(Said(), u"Missing: macros - refused.");
    PassReport withheld = Pass({Frame(Command::MacroData, FrameFate::Taken, 1)});
    withheld.counterWithheld = true;
    changes.Take(withheld);
    EXPECT_FALSE(changes.Empty());
    changes.Take(Pass({Frame(Command::MacroData, FrameFate::Taken, 1), Frame(Command::DataChange, FrameFate::Taken)}));
    EXPECT_TRUE(changes.Empty());
}

TEST_F(UndeliveredChangesTest, HeldBackGroupsStayListedUntilAPassRunsUnblocked) {
    PassReport blocked;
    blocked.blocked = PassBlock::LinkInactive;
    blocked.heldBack = {SyncGroup::Buttons, SyncGroup::Power};
    changes.Take(blocked);
    EXPECT_EQ(Said(), u"Missing: buttons, sleep time - when back.");
    PassReport stillBlocked;
    stillBlocked.blocked = PassBlock::NoDevice;
    changes.Take(stillBlocked);
    EXPECT_EQ(Said(), u"Missing: buttons, sleep time - when back.");
    changes.Take(Pass({Frame(Command::Power, FrameFate::Taken)}));
    EXPECT_TRUE(changes.Empty());
}

TEST_F(UndeliveredChangesTest, AFactoryResetTheMouseTookLeavesNothingMissing) {
    changes.Take(Pass({Frame(Command::Dpi, FrameFate::Refused)}));
    PassReport reset;
    reset.kind = PassKind::FactoryReset;
    reset.frames = {Frame(Command::FactoryReset, FrameFate::Refused)};
    changes.Take(reset);
    EXPECT_FALSE(changes.Empty());
    reset.frames = {Frame(Command::FactoryReset, FrameFate::Taken)};
    changes.Take(reset);
    EXPECT_TRUE(changes.Empty());
}

// Nothing waits for the mouse, but the user must hear of a macro it cannot hold (for as long as
// passes refuse it) and of a button that lost its macro (until their next change of the buttons).
TEST_F(UndeliveredChangesTest, RefusedMacrosAndDisabledButtonsAreTold) {
    PassReport refused = Pass({Frame(Command::Polling, FrameFate::Taken)});
    refused.refusedMacros.push_back(RefusedMacro{u"Spam", 2, "200 commands"});
    refused.macrosDisabled.push_back(DisabledMacroButton{2, u"Macro: Gone"});
    changes.Take(refused);
    EXPECT_EQ(Said(), u"Macro \"Spam\" is too long. Button 3 is now Disabled.");

    // A pass of the link's own (no change of the user's) still refuses the macro.
    PassReport again = Pass({});
    again.refusedMacros = refused.refusedMacros;
    changes.Take(again);
    EXPECT_EQ(Said(), u"Macro \"Spam\" is too long. Button 3 is now Disabled.");

    // With a lost frame, what waits comes first.
    PassReport lost = again;
    lost.frames = {Frame(Command::Dpi, FrameFate::MouseOffline)};
    changes.Take(lost);
    EXPECT_EQ(Said(), u"Missing: DPI levels - when back. Macro \"Spam\" is too long. Button 3 is now Disabled.");

    // The user's next button change went out, and the macro was shortened.
    changes.Take(Pass({Frame(Command::Dpi, FrameFate::Taken), Frame(Command::Button, FrameFate::Taken, 2)}),
                 {SyncGroup::Buttons, SyncGroup::Performance});
    EXPECT_TRUE(Said().empty()) << toUtf8(Said());
}

}  // namespace
}  // namespace orvane
