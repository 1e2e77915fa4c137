// The macro manager window on the in-memory platform: its own copy of the library written back,
// the remembered key, recording from the fake keyboard, the insert menu, edits and deletes, the
// loop settings, import and export.
#include <cerrno>
#include <fstream>

#include "MacroFixture.h"
#include "device/MacroEncoder.h"
#include "dialogs/PopupWindowTable.h"
#include "macro/CActionKeyModifyDlg.h"
#include "macro/CActionTimeModifyDlg.h"
#include "macro/CMacroKeyAddDlg.h"
#include "macro/CMacroManagerDlg.h"
#include "macro/MacroEdits.h"
#include "macro/MacroManagerIds.h"
#include "platform/FakeEditField.h"
#include "ui/CCheckButton.h"
#include "ui/CEditControl.h"
#include "ui/CEditShowList.h"
#include "ui/CImageShowList.h"
#include "ui/CVScrollBar.h"
#include "ui/CWndPopup.h"
#include "ui/RadioGroupState.h"

namespace orvane::macro::test {
namespace {

using namespace mgr;
using platform::FakeEditField;

std::vector<ActionBytes> actionsOf(const MacroKey& key) {
    std::vector<ActionBytes> out;
    for (uint32_t i = 0; i < key.ActionCount; ++i) out.push_back(key.GetActionBytes(i));
    return out;
}

class MacroManager : public MacroTest {
protected:
    void SetUp() override {
        MacroTest::SetUp();
        MacroLibrary lib;
        MacroSet& first = lib.AddSet(u"Examples");
        first.AddKey(u"One") = macroWith(u"One", {keyAction('A', false), delayAction(20), keyAction('A', true)}, 2);
        first.AddKey(u"Two");
        first.AddKey(u"Three").LoopType = 4;
        MacroSet& second = lib.AddSet(u"More");
        for (const char16_t* n : {u"a", u"b", u"c", u"d", u"e"}) second.AddKey(n);
        lib.AddSet(u"Pair").AddKey(u"x");
        lib.FindSet(2)->AddKey(u"y");
        WriteLibrary(lib);
    }
    void TearDown() override {
        dlg_.reset();
        MacroTest::TearDown();
    }

    CMacroManagerDlg& Open(int setNumber = 1) {
        dlg_ = std::make_unique<CMacroManagerDlg>(platform_, nullptr, *app_, setNumber, CMacroManagerDlg::LibrarySaver{},
                                                  &rememberedKey_);
        EXPECT_TRUE(dlg_->Create());
        return *dlg_;
    }
    FakeWindow& window() { return *static_cast<FakeWindow*>(dlg_->GetWindow()); }
    void Click(uint32_t id) {
        clickControl(*dlg_, id);
        Settle();
    }
    // Clicks row r of the key list (or of the action list).
    void ClickRow(uint32_t listId, int r) {
        const auto rect = dlg_->FindControl(listId)->GetRect();
        window().click(rect.left + 10, rect.top + r * 20 + 10);
        Settle();
    }
    FakeEditField& LoopField() { return *static_cast<FakeEditField*>(dlg_->LoopCountField()); }
    MacroKey& Selected() { return *dlg_->SelectedKey(); }
    // Chooses item n of the insert menu and lets the window paint, as the screen would.
    void InsertFromMenu(int item) {
        ChooseFromInsertMenu(item);
        window().paint();
        Settle();
    }
    // Chooses item n of the insert menu; the insert waits for the window's next paint.
    void ChooseFromInsertMenu(int item) {
        Click(kInsertMenu);
        FakeWindow* menu = platform_.lastWindow();
        ASSERT_NE(menu, &window());
        auto& popup = dynamic_cast<ui::CWndPopup&>(menu->host());
        const auto r = popup.Items().at(size_t(item)).rect;
        menu->moveTo(r.left + 5, r.top + 5);
        menu->click(r.left + 5, r.top + 5);
        Settle();
    }
    void Close() {
        Click(kClose);
        dlg_.reset();
        Settle();
    }

    std::unique_ptr<CMacroManagerDlg> dlg_;
    int32_t rememberedKey_ = -1;  // the opener's: carried from one manager to the next
};

TEST_F(MacroManager, OpensOnTheGivenSetWithItsFirstMacroAndRemembersTheKeyIndex) {
    Open(1);
    EXPECT_EQ(dlg_->KeyList()->SetIndex, 0);
    EXPECT_EQ(Selected().GetName(), u"One");
    EXPECT_EQ(dlg_->ActionList()->ShownKey, &Selected());
    EXPECT_TRUE(ui::RadioGroupState::isSelected(15));  // loop type 2
    EXPECT_TRUE(dlg_->LoopFieldShown());
    EXPECT_EQ(LoopField().text(), u"1");
    ClickRow(kKeyList, 2);
    EXPECT_EQ(Selected().GetName(), u"Three");
    EXPECT_TRUE(ui::RadioGroupState::isSelected(14));
    EXPECT_FALSE(dlg_->LoopFieldShown());
    Close();
    EXPECT_EQ(rememberedKey_, 2);

    Open(2);  // five macros: the third is preselected
    EXPECT_EQ(Selected().GetName(), u"c");
    Close();
    Open(3);  // two macros: nothing
    EXPECT_EQ(dlg_->SelectedKey(), nullptr);
    EXPECT_FALSE(ui::RadioGroupState::isSelected(13) || ui::RadioGroupState::isSelected(14) ||
                 ui::RadioGroupState::isSelected(15));
}

TEST_F(MacroManager, WithoutASetNewShowsTheFixedMessage) {
    Open(0);
    EXPECT_EQ(dlg_->SelectedKey(), nullptr);
    Click(kNewKey);
    EXPECT_EQ(messages_, (std::vector<Text>{Text(kNoSetMessage)}));
    Click(kDeleteKey);
    EXPECT_EQ(messages_.back(), entry(233));
}

TEST_F(MacroManager, NewDeleteAndRenameAreWrittenAtOnce) {
    Open(1);
    Then([](FakeWindow&, ui::CDlgBase& d) {
        auto& add = dynamic_cast<CMacroKeyAddDlg&>(d);
        static_cast<FakeEditField*>(add.Field()->Field())->type(u"Four");
        clickControl(add, CMacroFieldDlg::kIdOk);
    });
    Click(kNewKey);
    EXPECT_EQ(Selected().GetName(), u"Four");
    EXPECT_TRUE(LoopField().hasFocus());
    EXPECT_EQ(ReadLibrary().FindSet(0)->KeyCount(), 4u);

    // Delete asks first; the close button answers no.
    Click(kDeleteKey);
    EXPECT_EQ(ReadLibrary().FindSet(0)->KeyCount(), 4u);
    ThenOk();
    Click(kDeleteKey);
    EXPECT_EQ(messages_, (std::vector<Text>{entry(232), entry(232)}));
    EXPECT_EQ(dlg_->SelectedKey(), nullptr);
    EXPECT_EQ(ReadLibrary().FindSet(0)->KeyCount(), 3u);

    Then([](FakeWindow&, ui::CDlgBase& d) {
        auto& ren = dynamic_cast<CMacroKeyNameDlg&>(d);
        auto* f = static_cast<FakeEditField*>(ren.Field()->Field());
        f->type(u"!");
        clickControl(ren, CMacroFieldDlg::kIdOk);
    });
    ClickRow(kKeyList, 1);
    const auto r = dlg_->KeyList()->GetRect();
    window().pointer(platform::PointerKind::LeftDoubleClick, r.left + 10, r.top + 30);
    Settle();
    EXPECT_EQ(ReadLibrary().FindSet(0)->FindKey(1)->GetName(), u"Two!");
}

TEST_F(MacroManager, RecordsKeysFromTheKeyboardUntilStoppedAndSavesThem) {
    Open(1);
    auto& keyboard = platform_.keyboard();
    keyboard.press('X', 1);  // before recording: never heard
    Click(kRecord);
    EXPECT_TRUE(dlg_->Recording());
    EXPECT_EQ(Selected().ActionCount, 0u);  // emptied at the start
    EXPECT_EQ(dlg_->CaptureNotice(), entry(kTextHearsEverything));
    EXPECT_TRUE(dlg_->FindControl(kNewKey)->Disabled());
    EXPECT_FALSE(dlg_->FindControl(kInsertMenu)->Disabled());
    EXPECT_FALSE(LoopField().isEnabled());
    keyboard.press('A', 1000);
    keyboard.press('A', 1030);  // held: repeats
    keyboard.release('A', 1120);
    keyboard.key('B', false, 1200, 0, true);  // flagged as a repeat by the keyboard
    Settle();
    EXPECT_EQ(actionsOf(Selected()),
              (std::vector<ActionBytes>{keyAction('A', false), delayAction(120), keyAction('A', true)}));
    Click(kRecord);
    EXPECT_FALSE(dlg_->Recording());
    EXPECT_EQ(keyboard.runningHooks(), 0u);
    keyboard.press('C', 2000);  // after: never heard
    Settle();
    EXPECT_EQ(Selected().ActionCount, 3u);
    EXPECT_FALSE(dlg_->FindControl(kNewKey)->Disabled());
    EXPECT_TRUE(dlg_->CaptureNotice().empty());
    const MacroLibrary file = ReadLibrary();
    const MacroKey& saved = *file.FindSet(0)->FindKey(0);
    EXPECT_EQ(saved.ActionCount, 3u);
    EXPECT_EQ(saved.CommandActionNum, 2);
}

TEST_F(MacroManager, StartingAndStoppingAtOnceSavesTheMacroEmpty) {
    Open(1);
    Click(kRecord);
    Click(kRecord);
    EXPECT_EQ(ReadLibrary().FindSet(0)->FindKey(0)->ActionCount, 0u);
}

TEST_F(MacroManager, RecordingWithoutAMacroOrWithoutKeysIsRefused) {
    Open(0);
    Click(kRecord);
    EXPECT_FALSE(dlg_->Recording());
    EXPECT_FALSE(dlg_->FindControlAs<ui::CCheckButton>(kRecord)->Checked());
    EXPECT_EQ(messages_, (std::vector<Text>{entry(234)}));
    dlg_.reset();
    platform_.keyboard().setReach(platform::HookReach::None);
    Open(1);
    Click(kRecord);
    EXPECT_FALSE(dlg_->Recording());
    EXPECT_EQ(messages_.back(), entry(kTextHearsNothing));
    EXPECT_EQ(Selected().ActionCount, 3u);  // the macro was not emptied
}

TEST_F(MacroManager, OnlyOwnWindowsSaysSoAndWhenTheKeyboardIsElsewhere) {
    platform_.keyboard().setReach(platform::HookReach::ProgramWindows);
    Open(1);
    Click(kRecord);
    EXPECT_EQ(dlg_->CaptureNotice(), entry(kTextHearsOwnWindows));
    platform_.keyboard().setProgramHasKeyboard(false);
    EXPECT_EQ(dlg_->CaptureNotice(), entry(kTextKeyboardElsewhere));
    platform_.keyboard().press('Q', 10);  // typed into another program
    Settle();
    EXPECT_EQ(Selected().ActionCount, 0u);
    platform_.keyboard().setProgramHasKeyboard(true);
    EXPECT_EQ(dlg_->CaptureNotice(), entry(kTextHearsOwnWindows));
}

TEST_F(MacroManager, TheApplicationEndingMidRecordingKeepsWhatWasRecorded) {
    dialogs::PopupWindowTable::instance().clear();
    Open(1);
    Click(kRecord);
    platform_.keyboard().press('A', 1);
    Settle();
    EXPECT_EQ(dialogs::PopupWindowTable::instance().count(), 1u);
    dialogs::PopupWindowTable::instance().closeAll();
    Settle();
    EXPECT_FALSE(dlg_->IsWindow());
    EXPECT_EQ(platform_.keyboard().runningHooks(), 0u);
    EXPECT_EQ(ReadLibrary().FindSet(0)->FindKey(0)->ActionCount, 1u);
    dlg_.reset();
    EXPECT_EQ(dialogs::PopupWindowTable::instance().count(), 0u);
}

TEST_F(MacroManager, TheCeilingStopsTheRecordingWithTheNotice) {
    Open(1);
    Click(kRecord);
    auto& keyboard = platform_.keyboard();
    for (uint32_t i = 0; i < 84; ++i) {
        keyboard.press('A', i * 10);
        keyboard.release('A', i * 10 + 5);
    }
    Settle();
    EXPECT_TRUE(dlg_->Recording());
    EXPECT_EQ(Selected().CommandActionNum, 168);
    keyboard.press('B', 5000);
    Settle();
    EXPECT_FALSE(dlg_->Recording());
    EXPECT_EQ(messages_, (std::vector<Text>{entry(235)}));
    EXPECT_FALSE(dlg_->FindControlAs<ui::CCheckButton>(kRecord)->Checked());
    EXPECT_EQ(keyboard.runningHooks(), 0u);
    EXPECT_EQ(Selected().ActionCount, 168u * 2 - 1);
    EXPECT_EQ(ReadLibrary().FindSet(0)->FindKey(0)->ActionCount, 335u);
}

TEST_F(MacroManager, TheHookStopsWhenTheWindowGoes) {
    Open(1);
    Click(kRecord);
    EXPECT_EQ(platform_.keyboard().runningHooks(), 1u);
    dlg_.reset();
    EXPECT_EQ(platform_.keyboard().runningHooks(), 0u);
    platform_.keyboard().press('A', 1);
    Settle();  // nothing left to deliver to
}

TEST_F(MacroManager, InsertsGoToTheEndWithTheirCommandCounts) {
    Open(1);
    ClickRow(kKeyList, 1);  // "Two", empty
    InsertFromMenu(kInsertLeft);
    EXPECT_EQ(actionsOf(Selected()), (std::vector<ActionBytes>{{0xE0, 0, 0, 0}, {3, 0, 0, 0x32}, {0xE0, 0x80, 0, 0}}));
    EXPECT_EQ(Selected().CommandActionNum, 2);
    EXPECT_EQ(dlg_->ActionList()->SelectedRow, 2);

    // A key: the key dialog picks it; Cancel takes the three actions away again.
    Then([](FakeWindow& w, ui::CDlgBase&) {
        w.key(keyDown('Z'));
        w.key(keyDown(platform::kVkReturn));
    });
    InsertFromMenu(kInsertKey);
    EXPECT_EQ(Selected().ActionCount, 6u);
    EXPECT_EQ(Selected().GetActionBytes(3), keyAction('Z', false));
    EXPECT_EQ(Selected().GetActionBytes(5), keyAction('Z', true));
    EXPECT_EQ(Selected().CommandActionNum, 4);
    InsertFromMenu(kInsertKey);  // unscripted: cancelled
    EXPECT_EQ(Selected().ActionCount, 6u);
    EXPECT_EQ(Selected().CommandActionNum, 4);

    // A delay of 250 ms after a key: no command of its own, however long.
    Then([](FakeWindow& w, ui::CDlgBase& d) {
        auto& t = dynamic_cast<CActionTimeModifyDlg&>(d);
        auto* f = static_cast<FakeEditField*>(t.Field()->Field());
        f->setText(u"");
        f->type(u"250");
        w.key(keyDown(platform::kVkReturn));
    });
    InsertFromMenu(kInsertDelay);
    EXPECT_EQ(Selected().GetActionBytes(6), delayAction(250));
    EXPECT_EQ(Selected().CommandActionNum, 4);
    // Another delay edits that one instead of adding one.
    Then([](FakeWindow& w, ui::CDlgBase& d) {
        auto* f = static_cast<FakeEditField*>(dynamic_cast<CActionTimeModifyDlg&>(d).Field()->Field());
        f->setText(u"");
        f->type(u"90");
        w.key(keyDown(platform::kVkReturn));
    });
    InsertFromMenu(kInsertDelay);
    EXPECT_EQ(Selected().ActionCount, 7u);
    EXPECT_EQ(Selected().GetActionBytes(6), delayAction(90));
    EXPECT_EQ(Selected().CommandActionNum, 4);
    // Inserts are kept in the window until the next save; closing writes them.
    EXPECT_EQ(ReadLibrary().FindSet(0)->FindKey(1)->ActionCount, 0u);
    Close();
    EXPECT_EQ(ReadLibrary().FindSet(0)->FindKey(1)->ActionCount, 7u);
}

TEST_F(MacroManager, APopupsMessagesAreNotTakenForTheWindowsOwn) {
    Open(1);
    ClickRow(kKeyList, 1);  // "Two", empty
    ChooseFromInsertMenu(kInsertLeft);
    ASSERT_EQ(Selected().ActionCount, 0u);  // not before the menu is gone from the screen
    // What a popup tells its owner about Escape and about closing changes nothing here.
    EXPECT_EQ(dlg_->SendMessage(ui::kMsgPopupEscape, kInsertMenu, ui::CWndPopup::kTypeActionInsert), 0);
    dlg_->SendMessage(ui::kMsgPopupClosing, 0, 0);
    Settle();
    EXPECT_EQ(Selected().ActionCount, 0u);
    window().paint();
    Settle();
    EXPECT_EQ(Selected().ActionCount, 3u);
}

TEST_F(MacroManager, InsertsAreRefusedWithoutAMacroAndAtTheCeiling) {
    Open(0);
    InsertFromMenu(kInsertLeft);
    EXPECT_EQ(messages_, (std::vector<Text>{entry(236)}));
    Open(3);
    for (uint8_t i = 0; i < 167; ++i) appendAction(Selected(), keyAction('A', i % 2 == 1));
    InsertFromMenu(kInsertRight);
    InsertFromMenu(kInsertKey);
    EXPECT_EQ(messages_, (std::vector<Text>{entry(236), entry(237), entry(237)}));
    EXPECT_EQ(Selected().ActionCount, 167u);
}

TEST_F(MacroManager, InsertingWhileRecordingPausesTheHook) {
    Open(1);
    Click(kRecord);
    auto& keyboard = platform_.keyboard();
    keyboard.press('A', 100);
    Settle();
    size_t hooksDuringDialog = 9;
    Then([&](FakeWindow&, ui::CDlgBase&) {
        hooksDuringDialog = keyboard.runningHooks();
        keyboard.press('Q', 200);  // typed into the dialog: not recorded
    });
    InsertFromMenu(kInsertDelay);
    EXPECT_EQ(hooksDuringDialog, 0u);
    EXPECT_TRUE(dlg_->Recording());
    keyboard.release('A', 5000);
    Settle();
    // The time spent in the dialog counts into the next delay, capped.
    EXPECT_EQ(actionsOf(Selected()),
              (std::vector<ActionBytes>{keyAction('A', false), delayAction(4095), keyAction('A', true)}));
}

TEST_F(MacroManager, EditsKeepTheCountToTheEventsAndDeletesMoveTheSelection) {
    Open(1);  // "One": press A, 20 ms, release A; two commands
    ClickRow(kActionList, 1);
    Then([](FakeWindow& w, ui::CDlgBase& d) {
        auto* f = static_cast<FakeEditField*>(dynamic_cast<CActionTimeModifyDlg&>(d).Field()->Field());
        f->setText(u"200");
        w.key(keyDown(platform::kVkReturn));
    });
    Click(kEditAction);
    EXPECT_EQ(Selected().GetActionBytes(1), delayAction(200));
    EXPECT_EQ(Selected().CommandActionNum, 2);
    Then([](FakeWindow& w, ui::CDlgBase&) {
        w.key(keyDown('K'));
        w.key(keyDown(platform::kVkReturn));
    });
    ClickRow(kActionList, 2);
    const auto r = dlg_->ActionList()->GetRect();
    window().pointer(platform::PointerKind::LeftDoubleClick, r.left + 20, r.top + 50);
    Settle();
    EXPECT_EQ(Selected().GetActionBytes(2), keyAction('K', true));

    Click(kDeleteAction);  // the last of three: the selection moves up
    EXPECT_EQ(dlg_->ActionList()->SelectedRow, 1);
    EXPECT_EQ(Selected().CommandActionNum, 1);
    Click(kDeleteAction);  // a delay: no command
    EXPECT_EQ(Selected().CommandActionNum, 1);
    EXPECT_EQ(dlg_->ActionList()->SelectedRow, 0);
    Click(kDeleteAction);  // the only one: the selection stays on row 0 of the empty list
    EXPECT_EQ(Selected().ActionCount, 0u);
    EXPECT_EQ(dlg_->ActionList()->SelectedRow, 0);
    Click(kDeleteAction);
    EXPECT_EQ(Selected().CommandActionNum, 0);
}

TEST_F(MacroManager, AShortenedDelayStillSendsTheRelease) {
    Open(1);  // "One": press A, 20 ms, release A; two commands
    Selected().SetActionBytes(1, delayAction(500));  // as a recording leaves a slow tap
    ClickRow(kActionList, 1);
    Then([](FakeWindow& w, ui::CDlgBase& d) {
        auto* f = static_cast<FakeEditField*>(dynamic_cast<CActionTimeModifyDlg&>(d).Field()->Field());
        f->setText(u"100");
        w.key(keyDown(platform::kVkReturn));
    });
    Click(kEditAction);
    Close();
    const MacroKey saved = *ReadLibrary().FindSet(0)->FindKey(0);
    EXPECT_EQ(saved.GetActionBytes(1), delayAction(100));
    EXPECT_EQ(saved.CommandActionNum, 2);
    // Both events go to the mouse: press with its 100 ms, then the release.
    const MacroImage image = encodeMacro(saved, 1);
    const auto chunks = macroChunkFrames(image, image[3], 1);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0][6], 7);
    EXPECT_EQ((std::vector<uint8_t>(chunks[0].begin() + 8, chunks[0].begin() + 14)),
              (std::vector<uint8_t>{0x30, 0x64, 0x04, 0xB0, 0x00, 0x04}));
}

TEST_F(MacroManager, LoopSettingsAndTheCountField) {
    Open(1);
    FakeEditField& field = LoopField();
    field.setText(u"");
    field.type(u"300");
    EXPECT_EQ(field.text(), u"255");
    EXPECT_EQ(Selected().LoopNum, 255);
    field.setText(u"");
    field.type(u"256");  // one past a byte: not stored as 0
    EXPECT_EQ(field.text(), u"255");
    EXPECT_EQ(Selected().LoopNum, 255);
    field.type(u"\b\b\b");
    EXPECT_EQ(field.text(), u"1");
    EXPECT_EQ(Selected().LoopNum, 1);
    field.type(u"x");
    EXPECT_EQ(messages_, (std::vector<Text>{entry(175)}));
    Click(kLoopWhileHeld);
    EXPECT_EQ(Selected().LoopType, 1);
    EXPECT_FALSE(dlg_->LoopFieldShown());
    Click(kLoopCount);
    EXPECT_EQ(Selected().LoopType, 2);
    EXPECT_TRUE(dlg_->LoopFieldShown());
    // Enter in the field or on the window presses nothing; Escape in the field stays there.
    EXPECT_TRUE(window().key(keyDown(platform::kVkReturn)));
    EXPECT_TRUE(field.key(platform::kVkReturn));
    EXPECT_TRUE(field.key(platform::kVkEscape));
    EXPECT_TRUE(dlg_->IsWindow());
    // Escape on the window closes it as its close button does, saving the library.
    EXPECT_TRUE(window().key(keyDown(platform::kVkEscape)));
    Settle();
    EXPECT_FALSE(dlg_->IsWindow());
    EXPECT_EQ(ReadLibrary().FindSet(0)->FindKey(0)->LoopNum, 1);
}

TEST_F(MacroManager, ImportOfABadFileKeepsTheLibraryAndSaysSo) {
    const std::filesystem::path bad = dir_ / "bad.mlf", good = dir_ / "good.mlf";
    { std::ofstream(bad) << "not a library"; }
    MacroLibrary other;
    other.AddSet(u"Imported").AddKey(u"Z");
    ASSERT_TRUE(WriteLibraryFile(other, good).ok());
    const MacroLibrary before = ReadLibrary();
    Open(1);
    platform_.files().answer(bad);
    Click(kImport);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].substr(0, 4), entry(kTextImportFailed));
    EXPECT_EQ(dlg_->Library(), before);
    EXPECT_EQ(ReadLibrary(), before);
    EXPECT_EQ(Selected().GetName(), u"One");
    // A file that reads but holds a macro without a name could not be written back.
    const std::filesystem::path unnamed = dir_ / "unnamed.mlf";
    {
        auto utf16 = [](std::string_view ascii) {  // the file's text is UTF-16LE
            std::string out;
            for (char c : ascii) out += {c, '\0'};
            return out;
        };
        std::string bytes = FormatLibraryFile(other);
        const std::string name = utf16("MacroKey0Name=Z");
        ASSERT_NE(bytes.find(name), std::string::npos);
        bytes.replace(bytes.find(name), name.size(), utf16("MacroKey0Name="));
        std::ofstream(unnamed, std::ios::binary) << bytes;
    }
    platform_.files().answer(unnamed);
    Click(kImport);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[1].substr(0, 4), entry(kTextImportFailed));
    EXPECT_EQ(dlg_->Library(), before);
    EXPECT_EQ(ReadLibrary(), before);

    // A macro the mouse could only take wrapped round is refused by name.
    MacroLibrary big;
    MacroKey& spam = big.AddSet(u"Big").AddKey(u"Spam");
    for (uint32_t i = 0; i < 169; ++i) spam.InsertAction(i, actionValue(keyAction('A', i % 2 == 1)));
    { std::ofstream(dir_ / "big.mlf", std::ios::binary) << FormatLibraryFile(big); }
    platform_.files().answer(dir_ / "big.mlf");
    Click(kImport);
    ASSERT_EQ(messages_.size(), 3u);
    EXPECT_NE(toUtf8(messages_[2]).find("macro \"Spam\" of set 1 has 169 commands; the mouse takes at most 168"),
              std::string::npos)
        << toUtf8(messages_[2]);
    EXPECT_EQ(ReadLibrary(), before);

    platform_.files().answer(good);
    Click(kImport);
    EXPECT_EQ(ReadLibrary(), other);
    EXPECT_EQ(Selected().GetName(), u"Z");
    platform_.files().answer(dir_ / "out.mlf");
    Click(kExport);
    MacroLibrary exported;
    ASSERT_TRUE(ReadLibraryFile(exported, dir_ / "out.mlf").ok());
    EXPECT_EQ(exported, other);
    EXPECT_EQ(platform_.files().calls().back().options.defaultSuffix, u"mlf");
    platform_.files().answer(dir_ / "missing" / "out.mlf");
    Click(kExport);
    ASSERT_EQ(messages_.size(), 4u);
    EXPECT_EQ(messages_[3].substr(0, 4), entry(kTextExportFailed));
}

TEST_F(MacroManager, ASaveThatFailsKeepsTheWindowOpenOnceAtClose) {
    int saves = 0;
    dlg_ = std::make_unique<CMacroManagerDlg>(platform_, nullptr, *app_, 1, [&](MacroLibrary&, bool&) {
        ++saves;
        return Status(makeError(EACCES, "config folder"));
    });
    ASSERT_TRUE(dlg_->Create());
    Click(kClose);
    ASSERT_TRUE(dlg_->IsWindow());  // the user may still export
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].substr(0, 4), entry(kTextSaveFailed));
    Click(kClose);
    EXPECT_FALSE(dlg_->IsWindow());
    EXPECT_EQ(saves, 2);
}

TEST_F(MacroManager, AMergedLibraryIsShownFromItsOwnMacros) {
    // Another program saved meanwhile: the merged library (many macros more) replaces the
    // window's, and the selection is found again by position.
    MacroLibrary merged = ReadLibrary();
    for (int i = 0; i < 40; ++i) merged.FindSet(0)->AddKey(fromUtf8("m" + std::to_string(i)));
    dlg_ = std::make_unique<CMacroManagerDlg>(platform_, nullptr, *app_, 1, [&](MacroLibrary& lib, bool& m) {
        lib = merged;
        m = true;
        return Status{};
    });
    ASSERT_TRUE(dlg_->Create());
    Click(kRecord);
    platform_.keyboard().press('A', 1);
    Settle();
    Click(kRecord);
    ASSERT_EQ(dlg_->Library().FindSet(0)->KeyCount(), 43u);
    EXPECT_EQ(dlg_->SelectedKey(), dlg_->Library().FindSet(0)->FindKey(0));
    EXPECT_EQ(dlg_->ActionList()->ShownKey, dlg_->SelectedKey());
}

TEST_F(MacroManager, ALibraryFileItCouldNotReadIsSetAsideBeforeItIsReplaced) {
    { std::ofstream(LibraryPath(), std::ios::trunc) << "[MacroLibrary]\nMacroSetNum=3\n"; }
    Open(1);
    EXPECT_EQ(dlg_->Library().SetCount(), 0u);
    Close();
    EXPECT_EQ(ReadLibrary().SetCount(), 0u);
    std::ifstream kept(LibraryPath().string() + ".bak");
    std::string first;
    std::getline(kept, first);
    EXPECT_EQ(first, "[MacroLibrary]");
}

TEST_F(MacroManager, TheWheelAndTheScrollBarMoveTheLists) {
    MacroLibrary lib;
    MacroSet& set = lib.AddSet(u"Many");
    for (int i = 0; i < 30; ++i) set.AddKey(fromUtf8("k" + std::to_string(i)));
    MacroKey& long_ = *set.FindKey(0);
    for (int i = 0; i < 40; ++i) long_.InsertAction(long_.ActionCount, actionValue(keyAction('A', i % 2)));
    WriteLibrary(lib);
    // The arrows' strips: three 18 × 20 frames.
    for (const char* res : {"skins/res/187.png", "skins/res/188.png"})
        platform_.addImage(res, platform::Image::filled(54, 20, platform::Color{0, 0, 0, 255}));
    Open(1);
    auto* keys = dlg_->KeyList();
    const int rows = keys->VisibleRows;
    const auto kr = keys->GetRect();
    window().wheel(kr.left + 5, kr.top + 5, 120);  // already at the top
    EXPECT_EQ(keys->FirstRow, 0);
    window().wheel(kr.left + 5, kr.top + 5, -120);
    EXPECT_EQ(keys->FirstRow, 1);
    for (int i = 0; i < 40; ++i) window().wheel(kr.left + 5, kr.top + 5, -120);
    EXPECT_EQ(keys->FirstRow, 30 - rows);  // the last key in view
    const auto up = dlg_->FindControlAs<ui::CVScrollBar>(kKeyScroll)->UpArrowRect();
    window().click((up.left + up.right) / 2, (up.top + up.bottom) / 2);
    EXPECT_EQ(keys->FirstRow, 29 - rows);
    auto* bar = dlg_->FindControlAs<ui::CVScrollBar>(kActionScroll);
    const auto down = bar->DownArrowRect();
    window().click((down.left + down.right) / 2, (down.top + down.bottom) / 2);
    EXPECT_EQ(dlg_->ActionList()->FirstRow, 1);
    EXPECT_EQ(bar->Position(), 1);
}

// A press on the track moves a list by a page less one row, never past either end, and a thumb
// dragged carries its list along, even with the pointer outside the bar.
TEST_F(MacroManager, TheTrackPagesAndTheThumbDragsTheList) {
    MacroLibrary lib;
    MacroSet& set = lib.AddSet(u"Many");
    for (int i = 0; i < 30; ++i) set.AddKey(fromUtf8("k" + std::to_string(i)));
    WriteLibrary(lib);
    for (const char* res : {"skins/res/187.png", "skins/res/188.png"})
        platform_.addImage(res, platform::Image::filled(54, 20, platform::Color{0, 0, 0, 255}));
    Open(1);
    auto* keys = dlg_->KeyList();
    auto* bar = dlg_->FindControlAs<ui::CVScrollBar>(kKeyScroll);
    const int rows = keys->VisibleRows;
    ASSERT_GT(30, 2 * rows);
    const int x = (bar->TrackRect().left + bar->TrackRect().right) / 2;
    const auto belowThumb = [&] { return (bar->ThumbRect().bottom + bar->TrackRect().bottom) / 2; };
    const auto aboveThumb = [&] { return (bar->TrackRect().top + bar->ThumbRect().top) / 2; };

    window().click(x, belowThumb());
    EXPECT_EQ(keys->FirstRow, rows - 1);
    EXPECT_EQ(bar->Position(), rows - 1);
    for (int i = 0; i < 10 && bar->ThumbRect().bottom < bar->TrackRect().bottom; ++i) window().click(x, belowThumb());
    EXPECT_EQ(keys->FirstRow, 30 - rows);  // stops with the last key in view
    window().click(x, aboveThumb());
    EXPECT_EQ(keys->FirstRow, 30 - rows - (rows - 1));
    for (int i = 0; i < 10 && bar->ThumbRect().top > bar->TrackRect().top; ++i) window().click(x, aboveThumb());
    EXPECT_EQ(keys->FirstRow, 0);

    const auto thumb = bar->ThumbRect();
    const int grabY = (thumb.top + thumb.bottom) / 2;
    window().press(x, grabY);
    ASSERT_TRUE(bar->Dragging());
    // Far to the side and below the window: the thumb goes to the end of the track (the bar
    // rounds its position down, so it may stop a row short).
    window().moveTo(x + 500, bar->TrackRect().bottom + 500);
    EXPECT_GE(bar->Position(), 30 - rows - 1);
    EXPECT_EQ(keys->FirstRow, bar->Position());
    window().moveTo(x + 500, bar->TrackRect().top - 500);
    window().release(x + 500, bar->TrackRect().top - 500);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(keys->FirstRow, 0);
}

}  // namespace
}  // namespace orvane::macro::test
