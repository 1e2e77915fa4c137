// CMacroManagerDlg: inserting, editing and deleting actions, and recording keys.
#include "macro/CActionKeyModifyDlg.h"
#include "macro/CActionTimeModifyDlg.h"
#include "macro/CMacroManagerDlg.h"
#include "macro/MacroEdits.h"
#include "macro/MacroManagerIds.h"
#include "ui/CCheckButton.h"
#include "ui/CComboActionInsertPopup.h"
#include "ui/CComboButton.h"
#include "ui/CEditControl.h"
#include "ui/CImageShowList.h"
#include "ui/CStaticText.h"
#include "ui/Pictures.h"

namespace orvane::macro {

using namespace mgr;

namespace {
constexpr int kInsertPopupSlot = 0;
constexpr uint32_t kNewDelayMs = 100;
constexpr uint8_t kDefaultKey = 0x41;  // A
}  // namespace

// ---- The insert menu ----

void CMacroManagerDlg::OpenInsertMenu() {
    auto* combo = FindControlAs<ui::CComboButton>(kInsertMenu);
    if (!combo || !GetWindow()) return;
    ClosePopup(kInsertPopupSlot);
    auto popup = std::make_unique<ui::CComboActionInsertPopup>(language_);
    popup->SetImages(ui::pictures::kMenuNr, ui::pictures::kMenuOv, ui::pictures::kMenusubNr, ui::pictures::kMenusubOv);
    const Rect r = combo->GetRect();
    const Rect w = GetWindow()->geometry();
    const int32_t size = int32_t(300.0f * Scale());
    ui::CWndPopup* menu = AdoptPopup(std::move(popup));
    combo->SetMenuOpen(true);
    InvalidateRect(r);
    if (!menu->Create(this, w.left + r.left, w.top + r.bottom, size, size, kMsgInsertChosen, kInsertMenu)) {
        combo->SetMenuOpen(false);
        return;
    }
    PopupSlot(kInsertPopupSlot) = menu;
}

void CMacroManagerDlg::InsertChosen(const ui::PopupResult* result) {
    if (auto* combo = FindControlAs<ui::CComboButton>(kInsertMenu)) {
        combo->SetMenuOpen(false);
        InvalidateRect(combo->GetRect());
    }
    ClosePopup(kInsertPopupSlot);
    if (!result || result->byteCount < 1) return;
    pendingCode_ = result->bytes[0];
    pendingInsert_ = true;
    Invalidate();
}

void CMacroManagerDlg::RunPendingInsert() {
    if (!pendingInsert_) return;
    pendingInsert_ = false;
    Insert(pendingCode_);
}

// ---- Inserts: always at the end of the list ----

void CMacroManagerDlg::Insert(int what) {
    if (!selected_) {
        ShowAttention(kTextInsertWithoutKey);
        return;
    }
    // No key typed into the insert dialogs may end up in a recording.
    const bool resume = Recording();
    if (resume) PauseHook();
    MacroKey& key = *selected_;
    const uint32_t before = key.UsableActionCount();
    switch (what) {
        case kInsertLeft:
        case kInsertRight:
        case kInsertMiddle: {
            const InsertResult r = insertClick(key, what - kInsertLeft);
            if (r == InsertResult::Inserted)
                actionList_->SelectedRow = int32_t(key.UsableActionCount()) - 1;
            else
                ShowAttention(kTextInsertFull);
            break;
        }
        case kInsertDelay: InsertDelay(key); break;
        case kInsertKey: InsertKey(key); break;
        default: break;
    }
    if (key.UsableActionCount() != before || what == kInsertDelay) {
        Synchronise();
        ScrollActionsToEnd();
    }
    InvalidateRect(actionList_->GetRect());
    if (resume && Recording()) StartHook();
}

void CMacroManagerDlg::InsertDelay(MacroKey& key) {
    const uint32_t count = key.UsableActionCount();
    if (count > 0 && isDelay(actionAt(key, count - 1))) {
        // The list already ends in a delay: that one is edited instead.
        ActionBytes a = actionAt(key, count - 1);
        CActionTimeModifyDlg dlg(GetPlatform(), this, language_, a, delayOf(a));
        if (dlg.DoModal() == ui::kIdOk) {
            editDelay(key, count - 1, delayOf(a));
            actionList_->SelectedRow = int32_t(count - 1);
        }
        return;
    }
    if (!appendAction(key, delayAction(kNewDelayMs))) {
        ShowAttention(kTextInsertFull);
        return;
    }
    InvalidateRect(actionList_->GetRect());
    ActionBytes a = delayAction(kNewDelayMs);
    CActionTimeModifyDlg dlg(GetPlatform(), this, language_, a, kNewDelayMs);
    if (dlg.DoModal() == ui::kIdOk) {
        editDelay(key, count, delayOf(a));
        actionList_->SelectedRow = int32_t(count);
    } else {
        deleteAction(key, count);
    }
}

void CMacroManagerDlg::InsertKey(MacroKey& key) {
    if (CountMacroCommands(key) > kInsertCeiling || key.UsableActionCount() + 3 > MacroKey::kSlotCount) {
        ShowAttention(kTextInsertFull);
        return;
    }
    const uint32_t press = key.UsableActionCount();
    if (insertKeyTap(key, kDefaultKey) != InsertResult::Inserted) return;
    InvalidateRect(actionList_->GetRect());
    ActionBytes a = actionAt(key, press);
    CActionKeyModifyDlg dlg(GetPlatform(), this, language_, a);
    if (dlg.DoModal() == ui::kIdOk) {
        editKeyCode(key, press, a[0]);
        editKeyCode(key, press + 2, a[0]);
        actionList_->SelectedRow = int32_t(press + 2);
    } else {
        for (int i = 0; i < 3; ++i) deleteAction(key, press);
    }
}

// ---- Editing and deleting ----

void CMacroManagerDlg::EditAction() {
    if (!selected_) return;
    const int32_t row = actionList_->SelectedRow;
    if (row < 0 || uint32_t(row) >= selected_->UsableActionCount()) return;
    ActionBytes a = actionAt(*selected_, uint32_t(row));
    if (isDelay(a)) {
        CActionTimeModifyDlg dlg(GetPlatform(), this, language_, a, delayOf(a));
        if (dlg.DoModal() == ui::kIdOk) editDelay(*selected_, uint32_t(row), delayOf(a));
    } else if (!isMouseAction(a)) {
        // Mouse actions stay as they were inserted.
        CActionKeyModifyDlg dlg(GetPlatform(), this, language_, a);
        if (dlg.DoModal() == ui::kIdOk) editKeyCode(*selected_, uint32_t(row), a[0]);
    }
    InvalidateRect(actionList_->GetRect());
}

void CMacroManagerDlg::DeleteAction() {
    if (!selected_) return;
    const int32_t row = actionList_->SelectedRow;
    const int32_t count = int32_t(selected_->UsableActionCount());
    if (row < 0 || row >= count) return;
    if (row == count - 1 && row > 0) actionList_->SelectedRow = row - 1;
    deleteAction(*selected_, uint32_t(row));
    // A list scrolled to its end keeps its last row at the bottom.
    const int32_t left = count - 1;
    if (actionList_->FirstRow > 0 && actionList_->FirstRow + actionList_->VisibleRows > left)
        actionList_->FirstRow = std::max(0, left - actionList_->VisibleRows);
    UpdateActionBar();
    InvalidateRect(actionList_->GetRect());
}

// ---- Recording ----

void CMacroManagerDlg::RecordToggled() {
    if (record_->Checked())
        StartRecording();
    else
        StopRecording();
}

bool CMacroManagerDlg::StartHook() {
    if (!hook_) hook_ = GetPlatform().createKeyboardHook();
    if (!hook_) {
        reach_ = platform::HookReach::None;
        return false;
    }
    hook_->onProgramKeyboard = [this](bool) { ShowReach(); };
    // Keys are handled in turn through the window's messages, as typed, never inside the hook.
    reach_ = hook_->Start([this](const platform::HookKey& k) {
        if (k.vk == 0 || k.autoRepeat) return;
        PostMessage(kMsgKey, k.vk, intptr_t(RecordedKey::make(k.vk, k.release, k.timeMs).word));
    });
    return reach_ != platform::HookReach::None;
}

void CMacroManagerDlg::PauseHook() {
    if (hook_) hook_->Stop();
}

void CMacroManagerDlg::StartRecording() {
    if (!selected_) {
        record_->SetChecked(false);
        InvalidateRect(record_->GetRect());
        ShowAttention(kTextRecordWithoutKey);
        return;
    }
    if (!StartHook()) {
        // Nothing could be heard: say so rather than record an empty macro.
        record_->SetChecked(false);
        InvalidateRect(record_->GetRect());
        ShowAttention(kTextHearsNothing);
        return;
    }
    recorder_.Start(*selected_);
    actionList_->SelectedRow = -1;
    actionList_->FirstRow = 0;
    UpdateActionBar();
    InvalidateRect(actionList_->GetRect());
    keyboardRecording_ = keyInHand_ != 0;
    unheardRelease_ = keyInHand_;
    EnableControls(false);
    ShowReach();
}

void CMacroManagerDlg::StopRecording() {
    PauseHook();
    recorder_.Stop();
    DropStoppingKey(keyInHand_);
    EnableControls(true);
    ShowReach();
    (void)SaveLibrary();
}

void CMacroManagerDlg::StopOnLimit() {
    // The hook goes first: keys typed while the message is up must not reach the macro.
    PauseHook();
    recorder_.Stop();
    EnableControls(true);
    record_->SetChecked(false);
    InvalidateRect(record_->GetRect());
    ShowReach();
    ShowAttention(kTextRecordingFull);
    (void)SaveLibrary();
}

void CMacroManagerDlg::KeyTyped(uintptr_t code, intptr_t word) {
    if (!selected_ || !Recording()) return;
    if (SkipsKey(uint32_t(code), (uint32_t(word) & 0x80000000u) != 0)) return;
    const auto outcome = recorder_.OnKey(RecordedKey{uint32_t(code), uint32_t(word)}, recordDelays_->Checked());
    if (outcome == MacroRecorder::Outcome::LimitReached) {
        StopOnLimit();
        return;
    }
    if (outcome == MacroRecorder::Outcome::Recorded && recorder_.Appended()) ScrollActionsToEnd();
    InvalidateRect(actionList_->GetRect());
}

void CMacroManagerDlg::EnableControls(bool all) {
    for (int list = 0; list < kListCount; ++list)
        for (auto& c : ControlList(list))
            if (c && c->Id() != kCaptureNotice) c->SetDisabled(!all && c->Id() != kInsertMenu && c->Id() != kRecord);
    if (loopField_) loopField_->setEnabled(all);
    // The count field takes the keyboard back unless a key had put the focus elsewhere.
    if (all && loopFieldShown_ && (!FocusedControl() || FocusedControl() == loopControl_)) loopControl_->Focus();
    Invalidate();
}

void CMacroManagerDlg::ShowReach() {
    int entry = 0;
    if (Recording()) {
        switch (reach_) {
            case platform::HookReach::System: entry = kTextHearsEverything; break;
            case platform::HookReach::ProgramWindows:
                entry = hook_ && !hook_->ProgramHasKeyboard() ? kTextKeyboardElsewhere : kTextHearsOwnWindows;
                break;
            case platform::HookReach::None: entry = kTextHearsNothing; break;
        }
    }
    notice_ = entry ? language_.LanguageText(entry) : Text{};
    noticeText_->SetLabel(notice_);
    InvalidateRect(noticeText_->GetRect());
}

}  // namespace orvane::macro
