// The macro manager from the keyboard and to readers: the Tab order, the two lists' keys (which
// scroll their bars along), Enter and Delete on their rows, what readers are told, and which
// keys a recording keeps when it is started and stopped with the mouse or with the keyboard.
#include <algorithm>

#include "MacroFixture.h"
#include "macro/CActionTimeModifyDlg.h"
#include "macro/CMacroKeyRenameDlg.h"
#include "macro/CMacroManagerDlg.h"
#include "macro/MacroManagerIds.h"
#include "platform/FakeEditField.h"
#include "ui/CEditControl.h"
#include "ui/CEditShowList.h"
#include "ui/CImageShowList.h"
#include "ui/CVScrollBar.h"

namespace orvane::macro::test {
namespace {

using namespace mgr;
using platform::AccessibleEvent;
using platform::AccessibleRole;
using platform::FakeEditField;

class MacroManagerKeys : public MacroTest {
protected:
    void SetUp() override {
        MacroTest::SetUp();
        MacroLibrary lib;
        MacroSet& first = lib.AddSet(u"Examples");
        first.AddKey(u"One") = macroWith(u"One", {keyAction('A', false), delayAction(20), keyAction('A', true)}, 2);
        first.AddKey(u"Two");
        first.AddKey(u"Three").LoopType = kLoopTypeUntilAgain;
        MacroSet& many = lib.AddSet(u"Many");
        for (int i = 0; i < 20; ++i) many.AddKey(fromUtf8("k" + std::to_string(i)));
        MacroKey& longOne = *many.FindKey(0);
        for (int i = 0; i < 20; ++i) longOne.InsertAction(longOne.ActionCount, actionValue(keyAction('A', i % 2 != 0)));
        WriteLibrary(lib);
    }
    void TearDown() override {
        dlg_.reset();
        MacroTest::TearDown();
    }

    CMacroManagerDlg& Open(int setNumber) {
        dlg_ = std::make_unique<CMacroManagerDlg>(platform_, nullptr, *app_, setNumber, CMacroManagerDlg::LibrarySaver{},
                                                  &rememberedKey_);
        EXPECT_TRUE(dlg_->Create());
        return *dlg_;
    }
    FakeWindow& window() { return *static_cast<FakeWindow*>(dlg_->GetWindow()); }
    bool Key(uint32_t vk, uint32_t mods = 0) {
        platform::KeyEvent e;
        e.vk = vk;
        e.mods = mods;
        const bool used = window().key(e);
        Settle();
        return used;
    }
    uint32_t FocusedId() const { return dlg_->FocusedControl() ? dlg_->FocusedControl()->Id() : 0; }
    int ExposedIndex(uint32_t id) const {
        const auto exposed = dlg_->ExposedControls();
        for (size_t i = 0; i < exposed.size(); ++i)
            if (exposed[i]->Id() == id) return int(i);
        return -1;
    }
    int32_t BarPosition(uint32_t id) const { return dlg_->FindControlAs<ui::CVScrollBar>(id)->Position(); }

    std::unique_ptr<CMacroManagerDlg> dlg_;
    int32_t rememberedKey_ = -1;  // the opener's: carried from one manager to the next
};

TEST_F(MacroManagerKeys, TabVisitsEveryControlColumnByColumnAndLeavesTheCountField) {
    Open(1);  // "One" counts its loops: the count field is shown and has the keyboard
    ASSERT_EQ(FocusedId(), kLoopCountField);
    auto& field = *static_cast<FakeEditField*>(dlg_->LoopCountField());
    EXPECT_TRUE(field.hasFocus());
    // Tab typed in the desktop's field goes on to the insert menu and takes the keyboard back.
    EXPECT_TRUE(field.key(platform::kVkTab));
    EXPECT_EQ(FocusedId(), kInsertMenu);
    EXPECT_FALSE(field.hasFocus());
    std::vector<uint32_t> order;
    for (int i = 0; i < 16 && FocusedId() != kLoopCountField; ++i) {
        order.push_back(FocusedId());
        EXPECT_TRUE(Key(platform::kVkTab));
    }
    EXPECT_EQ(FocusedId(), kLoopCountField);
    EXPECT_TRUE(field.hasFocus());
    // The loop radios form a group whose own Tab stops are not this window's concern.
    std::erase_if(order, [](uint32_t id) { return id >= kLoopWhileHeld && id <= kLoopCount; });
    EXPECT_EQ(order, (std::vector<uint32_t>{kInsertMenu, kExport, kImport, kClose, kKeyList, kNewKey, kDeleteKey,
                                            kActionList, kEditAction, kDeleteAction, kRecord, kRecordDelays}));
    // Shift+Tab in the field goes back.
    EXPECT_TRUE(field.key(platform::kVkTab, platform::kKeyModShift));
    EXPECT_NE(FocusedId(), kLoopCountField);
    EXPECT_FALSE(field.hasFocus());
}

TEST_F(MacroManagerKeys, ReadersHearEveryControlNamedAndNoScrollBar) {
    Open(1);
    for (ui::CControlBase* c : dlg_->ExposedControls()) {
        const auto n = c->Describe();
        EXPECT_NE(n.role, AccessibleRole::None) << c->Id();
        EXPECT_FALSE(n.name.empty()) << c->Id();
    }
    EXPECT_EQ(ExposedIndex(kKeyScroll), -1);
    EXPECT_EQ(ExposedIndex(kActionScroll), -1);
    EXPECT_FALSE(dlg_->FindControl(kKeyScroll)->Focusable());
    EXPECT_EQ(dlg_->FindControl(kClose)->Describe().name, entry(406));
    EXPECT_EQ(dlg_->FindControl(kRecordDelays)->Describe().name, entry(kTextRecordDelays));
    EXPECT_EQ(dlg_->FindControl(kLoopCount)->Describe().name, entry(kTextLoopCount));
    EXPECT_EQ(static_cast<FakeEditField*>(dlg_->LoopCountField())->accessibleName(), entry(kTextLoopCount));
    const auto keys = dlg_->KeyList()->Describe();
    EXPECT_EQ(keys.role, AccessibleRole::List);
    EXPECT_EQ(keys.name, entry(kTextKeys));
    ASSERT_EQ(keys.children.size(), 3u);
    EXPECT_EQ(keys.children[0].name, u"One");
    EXPECT_TRUE(keys.children[0].has(platform::kAccessibleSelected));
    const auto actions = dlg_->ActionList()->Describe();
    EXPECT_EQ(actions.name, entry(kTextActions));
    ASSERT_EQ(actions.children.size(), 3u);
    // The language's words around the row's text (this table's entries read "#N").
    EXPECT_EQ(actions.children[0].name, entry(kTextReaderPress) + u" A");
    EXPECT_EQ(actions.children[2].name, entry(kTextReaderRelease) + u" A");
}

TEST_F(MacroManagerKeys, ListKeysChooseTheMacroAndScrollBothBarsAlong) {
    Open(2);  // twenty macros, the first with twenty actions
    dlg_->SetFocusedControl(dlg_->KeyList());
    window().clearAnnouncements();
    EXPECT_TRUE(Key(platform::kVkEnd));
    EXPECT_EQ(dlg_->SelectedKey()->GetName(), u"k19");
    EXPECT_EQ(dlg_->ActionList()->ShownKey, dlg_->SelectedKey());
    EXPECT_EQ(dlg_->KeyList()->FirstRow, 7);
    EXPECT_EQ(BarPosition(kKeyScroll), 7);
    const int keyIndex = ExposedIndex(kKeyList);
    EXPECT_NE(std::find(window().announcements().begin(), window().announcements().end(),
                        FakeWindow::Announcement{AccessibleEvent::SelectionChanged, keyIndex}),
              window().announcements().end());
    EXPECT_TRUE(Key(platform::kVkHome));
    EXPECT_EQ(dlg_->SelectedKey()->GetName(), u"k0");
    EXPECT_EQ(BarPosition(kKeyScroll), 0);

    // The action list: Tab there, then to its end.
    dlg_->SetFocusedControl(dlg_->ActionList());
    EXPECT_TRUE(Key(platform::kVkPageDown));
    EXPECT_EQ(dlg_->ActionList()->SelectedRow, 0);  // from no row: the first
    EXPECT_TRUE(Key(platform::kVkEnd));
    EXPECT_EQ(dlg_->ActionList()->SelectedRow, 19);
    EXPECT_EQ(dlg_->ActionList()->FirstRow, 7);
    EXPECT_EQ(BarPosition(kActionScroll), 7);
}

TEST_F(MacroManagerKeys, EnterAndDeleteOnTheRowsDoWhatTheButtonsAndDoubleClicksDo) {
    Open(1);
    // Enter on a macro renames it.
    dlg_->SetFocusedControl(dlg_->KeyList());
    Then([](FakeWindow&, ui::CDlgBase& d) {
        auto& ren = dynamic_cast<CMacroKeyNameDlg&>(d);
        static_cast<FakeEditField*>(ren.Field()->Field())->type(u"!");
        clickControl(ren, CMacroFieldDlg::kIdOk);
    });
    EXPECT_TRUE(Key(platform::kVkReturn));
    EXPECT_EQ(ReadLibrary().FindSet(0)->FindKey(0)->GetName(), u"One!");

    // Enter on an action edits it; Delete deletes it.
    dlg_->SetFocusedControl(dlg_->ActionList());
    EXPECT_TRUE(Key(platform::kVkDown));
    EXPECT_TRUE(Key(platform::kVkDown));  // the delay
    Then([](FakeWindow& w, ui::CDlgBase& d) {
        auto* f = static_cast<FakeEditField*>(dynamic_cast<CActionTimeModifyDlg&>(d).Field()->Field());
        f->setText(u"200");
        w.key(keyDown(platform::kVkReturn));
    });
    EXPECT_TRUE(Key(platform::kVkSpace));
    EXPECT_EQ(dlg_->SelectedKey()->GetActionBytes(1), delayAction(200));
    EXPECT_TRUE(Key(platform::kVkDelete));
    EXPECT_EQ(dlg_->SelectedKey()->ActionCount, 2u);
    EXPECT_EQ(dlg_->SelectedKey()->GetActionBytes(1), keyAction('A', true));

    // Delete on a macro asks first, as the button does.
    dlg_->SetFocusedControl(dlg_->KeyList());
    ThenOk();
    EXPECT_TRUE(Key(platform::kVkDelete));
    EXPECT_EQ(messages_, (std::vector<Text>{entry(kTextConfirmDelete)}));
    EXPECT_EQ(ReadLibrary().FindSet(0)->KeyCount(), 2u);
}

TEST_F(MacroManagerKeys, AReaderChoosesARowAsAClickDoes) {
    Open(1);
    auto& host = static_cast<platform::WindowHost&>(*dlg_);
    EXPECT_TRUE(host.accessibleSelect(ExposedIndex(kKeyList), 2));
    EXPECT_EQ(dlg_->SelectedKey()->GetName(), u"Three");
    EXPECT_FALSE(dlg_->LoopFieldShown());  // as a click on "Three" hides the count
    EXPECT_FALSE(host.accessibleSelect(ExposedIndex(kKeyList), 3));
    EXPECT_FALSE(host.accessibleSelect(ExposedIndex(kClose), 0));
}

TEST_F(MacroManagerKeys, ARecordingStartedWithThePointerKeepsTabSpaceAndEnterForTheMacro) {
    Open(1);
    clickControl(*dlg_, kRecord);
    Settle();
    ASSERT_TRUE(dlg_->Recording());
    // Typed into the window (as under Wayland, where only these are heard): none moves the
    // focus, presses Stop or Insert, or closes the window.
    auto& keyboard = platform_.keyboard();
    uint32_t t = 1000;
    for (uint32_t vk : {uint32_t(platform::kVkTab), uint32_t(platform::kVkSpace), uint32_t(platform::kVkReturn),
                        uint32_t(platform::kVkEscape)}) {
        keyboard.press(vk, t += 100);
        Key(vk);
        keyboard.release(vk, t += 50);
    }
    Settle();
    EXPECT_EQ(dlg_->FocusedControl(), nullptr);
    EXPECT_TRUE(dlg_->Recording());
    EXPECT_EQ(platform_.lastWindow(), &window());  // no insert menu
    std::vector<uint8_t> codes;
    for (uint32_t i = 0; i < dlg_->SelectedKey()->UsableActionCount(); ++i)
        if (!isDelay(dlg_->SelectedKey()->GetActionBytes(i))) codes.push_back(dlg_->SelectedKey()->GetActionBytes(i)[0]);
    EXPECT_EQ(codes, (std::vector<uint8_t>{0x09, 0x09, 0x20, 0x20, 0x0D, 0x0D, 0x1B, 0x1B}));
    EXPECT_TRUE(dlg_->IsWindow());  // Escape was the macro's, not the window's
}

TEST_F(MacroManagerKeys, ARecordingStartedAndStoppedWithSpaceLeavesBothOutOfTheMacro) {
    Open(1);
    dlg_->SetFocusedControl(dlg_->FindControl(kRecord));
    auto& keyboard = platform_.keyboard();
    EXPECT_TRUE(Key(platform::kVkSpace));  // presses Record
    ASSERT_TRUE(dlg_->Recording());
    EXPECT_EQ(dlg_->FocusedControl()->Id(), kRecord);
    keyboard.release(platform::kVkSpace, 900);  // Space comes up: heard, but not the macro's
    keyboard.press('A', 1000);
    keyboard.release('A', 1100);
    keyboard.press(platform::kVkSpace, 1200);  // the hook hears the press before the window
    Settle();
    EXPECT_TRUE(Key(platform::kVkSpace));  // presses Stop
    EXPECT_FALSE(dlg_->Recording());
    keyboard.release(platform::kVkSpace, 1250);
    Settle();
    EXPECT_EQ(dlg_->SelectedKey()->UsableActionCount(), 3u);
    EXPECT_EQ(dlg_->SelectedKey()->GetActionBytes(0), keyAction('A', false));
    EXPECT_EQ(dlg_->SelectedKey()->GetActionBytes(2), keyAction('A', true));
    EXPECT_EQ(ReadLibrary().FindSet(0)->FindKey(0)->ActionCount, 3u);
    // Stopping left the focus on Record for the next key, not in the count field.
    EXPECT_EQ(dlg_->FocusedControl()->Id(), kRecord);
}

}  // namespace
}  // namespace orvane::macro::test
