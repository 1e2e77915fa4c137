// The delay and key dialogs, and the rules the add and rename dialogs hold names to.
#include "MacroFixture.h"
#include "macro/CActionKeyModifyDlg.h"
#include "macro/CActionTimeModifyDlg.h"
#include "macro/CMacroKeyAddDlg.h"
#include "macro/CMacroKeyRenameDlg.h"
#include "macro/MacroText.h"
#include "platform/FakeEditField.h"
#include "ui/CEditControl.h"

namespace orvane::macro::test {
namespace {

using platform::FakeEditField;

FakeEditField& fieldOf(ui::CEditControl* c) { return *static_cast<FakeEditField*>(c->Field()); }

class MacroDialogs : public MacroTest {
protected:
    // Runs the time dialog on a delay with `typing` replacing its text; returns the result.
    intptr_t EditDelay(ActionBytes& a, const Text& typing, bool ok = true) {
        CActionTimeModifyDlg dlg(platform_, nullptr, app_->language, a, delayOf(a));
        Then([&](FakeWindow& w, ui::CDlgBase&) {
            FakeEditField& f = fieldOf(dlg.Field());
            f.setText(u"");
            f.type(typing);
            if (ok) clickControl(dlg, CMacroFieldDlg::kIdOk);
            else w.key(keyDown(platform::kVkEscape));
        });
        return dlg.DoModal();
    }
};

TEST_F(MacroDialogs, DelayDialogWritesTheNumberAsThe24BitDelay) {
    ActionBytes a = delayAction(100);
    EXPECT_EQ(EditDelay(a, u"250"), ui::kIdOk);
    EXPECT_EQ(a, (ActionBytes{3, 0x00, 0x00, 0xFA}));
    EXPECT_EQ(EditDelay(a, u"99999999"), ui::kIdOk);
    EXPECT_EQ(a, (ActionBytes{3, 0xE9, 0x75, 0xA0}));  // 15300000
    EXPECT_EQ(EditDelay(a, u"184467440737095516160"), ui::kIdOk);  // no wrap to a small number
    EXPECT_EQ(a, (ActionBytes{3, 0xE9, 0x75, 0xA0}));
    EXPECT_EQ(EditDelay(a, u""), ui::kIdOk);
    EXPECT_EQ(a, delayAction(0));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MacroDialogs, DelayDialogWarnsOfNonDigitsAndReadsUpToThem) {
    ActionBytes a = delayAction(100);
    // A warning for "x" and for "-"; both land in the field, which reads up to the first.
    EXPECT_EQ(EditDelay(a, u"12x3"), ui::kIdOk);
    EXPECT_EQ(delayOf(a), 12u);
    EXPECT_EQ(EditDelay(a, u"-5"), ui::kIdOk);
    EXPECT_EQ(delayOf(a), 0u);
    EXPECT_EQ(messages_, (std::vector<Text>{entry(175), entry(175)}));
}

TEST_F(MacroDialogs, DelayDialogIgnoresEscapeAndCancelChangesNothing) {
    ActionBytes a = delayAction(100);
    CActionTimeModifyDlg dlg(platform_, nullptr, app_->language, a, 100);
    bool upAfterEscape = false;
    Then([&](FakeWindow& w, ui::CDlgBase&) {
        fieldOf(dlg.Field()).type(u"5");
        w.key(keyDown(platform::kVkEscape));
        upAfterEscape = w.inModal();
        clickControl(dlg, CMacroFieldDlg::kIdCancel);
    });
    EXPECT_EQ(dlg.DoModal(), ui::kIdCancel);
    EXPECT_TRUE(upAfterEscape);
    EXPECT_EQ(a, delayAction(100));
}

TEST_F(MacroDialogs, KeyDialogTakesTheLastKeyHeardAnywhere) {
    auto& keyboard = platform_.keyboard();
    ActionBytes a = keyAction(0x41, true);
    CActionKeyModifyDlg dlg(platform_, nullptr, app_->language, a);
    bool hooked = false;
    Then([&](FakeWindow&, ui::CDlgBase&) {
        hooked = dlg.HookRunning();
        keyboard.press(0xA0, 10);  // left Shift
        keyboard.press('Z', 20);
        keyboard.release('Z', 30);
        keyboard.release(0xA0, 40);
        keyboard.press('B', 50);
        clickControl(dlg, CMacroFieldDlg::kIdOk);
    });
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_TRUE(hooked);
    EXPECT_EQ(a, keyAction('B', true));  // the release stays a release
    EXPECT_EQ(keyboard.runningHooks(), 0u);
}

TEST_F(MacroDialogs, KeyDialogTakesTabAsTheKeyChosenNotAsAMoveBetweenItsButtons) {
    ActionBytes a = keyAction(0x41, false);
    CActionKeyModifyDlg dlg(platform_, nullptr, app_->language, a);
    Then([&](FakeWindow& w, ui::CDlgBase&) {
        w.key(keyDown(platform::kVkTab));
        EXPECT_EQ(dlg.Chosen(), platform::kVkTab);
        EXPECT_EQ(dlg.FocusedControl(), nullptr);
        platform_.keyboard().press(platform::kVkReturn, 5);
        w.key(keyDown(platform::kVkReturn));
    });
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(a, keyAction(platform::kVkTab, false));
}

TEST_F(MacroDialogs, KeyDialogEnterConfirmsThePickAndCancelKeepsTheAction) {
    ActionBytes a = keyAction(0x41, false);
    {
        CActionKeyModifyDlg dlg(platform_, nullptr, app_->language, a);
        Then([&](FakeWindow& w, ui::CDlgBase&) {
            w.key(keyDown(0x70));  // F1, typed into the dialog itself
            platform_.keyboard().press(platform::kVkReturn, 5);
            w.key(keyDown(platform::kVkReturn));
        });
        EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    }
    EXPECT_EQ(a, keyAction(0x70, false));
    {
        CActionKeyModifyDlg dlg(platform_, nullptr, app_->language, a);
        Then([&](FakeWindow& w, ui::CDlgBase&) {
            platform_.keyboard().press('Q', 5);
            w.key(keyDown(platform::kVkEscape));
        });
        EXPECT_EQ(dlg.DoModal(), ui::kIdCancel);
    }
    EXPECT_EQ(a, keyAction(0x70, false));
    EXPECT_EQ(platform_.keyboard().runningHooks(), 0u);
}

TEST(MacroNames, RulesInOrderCaseSensitive) {
    MacroSet set(u"s");
    set.AddKey(u"Copy");
    set.AddKey(u"Paste");
    const Text own = u"Paste";
    EXPECT_EQ(macroNameProblem(set, u"", nullptr), kTextNameEmpty);
    EXPECT_EQ(macroNameProblem(set, u"a\nb", nullptr), kTextNameUnusable);
    EXPECT_EQ(macroNameProblem(set, u"a\rb", nullptr), kTextNameUnusable);
    EXPECT_EQ(macroNameProblem(set, u"a\tb", nullptr), kTextNameUnusable);
    EXPECT_EQ(macroNameProblem(set, Text(24, u'x'), nullptr), 0);
    EXPECT_EQ(macroNameProblem(set, Text(25, u'x'), nullptr), kTextNameTooLong);
    EXPECT_EQ(macroNameProblem(set, u"copy", nullptr), 0);
    EXPECT_EQ(macroNameProblem(set, u"Copy", nullptr), kTextNameTaken);
    EXPECT_EQ(macroNameProblem(set, u"Paste", &own), 0);
    EXPECT_EQ(macroNameProblem(set, u"Copy", &own), kTextNameTaken);
    EXPECT_EQ(macroNameProblem(set, u"宏 ⌘ =#", nullptr), 0);  // any other characters
}

TEST_F(MacroDialogs, AddDialogStaysOpenUntilTheNamePasses) {
    MacroLibrary lib;
    lib.AddSet(u"s").AddKey(u"Copy");
    CMacroKeyAddDlg dlg(platform_, nullptr, app_->language, lib, 0);
    std::vector<size_t> keysWhileOpen;
    Then([&](FakeWindow& w, ui::CDlgBase&) {
        FakeEditField& f = fieldOf(dlg.Field());
        clickControl(dlg, CMacroFieldDlg::kIdOk);  // empty
        f.type(u"Copy");
        w.key(keyDown(platform::kVkReturn));  // taken
        w.key(keyDown(platform::kVkEscape));  // does nothing
        keysWhileOpen.push_back(lib.FindSet(0)->KeyCount());
        f.setText(u"");
        f.type(u"copy");
        clickControl(dlg, CMacroFieldDlg::kIdOk);
    });
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(messages_, (std::vector<Text>{entry(242), entry(241)}));
    EXPECT_EQ(keysWhileOpen, (std::vector<size_t>{1}));
    ASSERT_EQ(lib.FindSet(0)->KeyCount(), 2u);
    const MacroKey& added = *lib.FindSet(0)->FindKey(1);
    EXPECT_EQ(added, MacroKey(u"copy"));  // no actions, loop type 2, once
}

TEST_F(MacroDialogs, RenameKeepsActionsAndMayKeepItsOwnName) {
    MacroLibrary lib;
    MacroSet& set = lib.AddSet(u"s");
    set.AddKey(u"A");
    MacroKey& b = set.AddKey(u"B");
    b.InsertAction(0, actionValue(keyAction('B', false)));
    b.LoopType = 4;
    {
        CMacroKeyRenameDlg dlg(platform_, nullptr, app_->language, lib, 0, 1);
        Then([&](FakeWindow&, ui::CDlgBase&) {
            EXPECT_EQ(dlg.Field()->GetText(), u"B");
            clickControl(dlg, CMacroFieldDlg::kIdOk);
        });
        EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    }
    {
        CMacroKeyRenameDlg dlg(platform_, nullptr, app_->language, lib, 0, 1);
        Then([&](FakeWindow&, ui::CDlgBase&) {
            FakeEditField& f = fieldOf(dlg.Field());
            f.setText(u"");
            f.type(u"A");
            clickControl(dlg, CMacroFieldDlg::kIdOk);  // refused: another macro's name
            f.type(u"2");
            clickControl(dlg, CMacroFieldDlg::kIdOk);
        });
        EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    }
    EXPECT_EQ(messages_, (std::vector<Text>{entry(241)}));
    EXPECT_EQ(b.GetName(), u"A2");
    EXPECT_EQ(b.ActionCount, 1u);
    EXPECT_EQ(b.LoopType, 4);
}

}  // namespace
}  // namespace orvane::macro::test
