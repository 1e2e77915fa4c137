#include "macro/ActionEditing.h"

#include <algorithm>

#include "macro/CActionKeyModifyDlg.h"
#include "macro/CActionTimeModifyDlg.h"
#include "macro/MacroEdits.h"
#include "macro/MacroManagerIds.h"
#include "macro/RecordingControl.h"
#include "macro/ScrolledList.h"
#include "ui/CComboActionInsertPopup.h"
#include "ui/CComboButton.h"
#include "ui/CDlgBase.h"
#include "ui/Pictures.h"
#include "ui/PopupResult.h"
#include "ui/ShowListBase.h"

namespace orvane::macro {

using namespace mgr;

namespace {
constexpr int kInsertPopupSlot = 0;
constexpr uint32_t kNewDelayMs = 100;
constexpr uint8_t kDefaultKey = 0x41;  // A
}  // namespace

// ---- The insert menu ----

void ActionEditing::OpenInsertMenu() {
    ui::CDlgBase& dialog = w_.dialog;
    auto* combo = dialog.FindControlAs<ui::CComboButton>(kInsertMenu);
    if (!combo || !dialog.GetWindow()) return;
    dialog.ClosePopup(kInsertPopupSlot);
    auto popup = std::make_unique<ui::CComboActionInsertPopup>(w_.language);
    popup->SetImages(ui::pictures::kMenuNr, ui::pictures::kMenuOv, ui::pictures::kMenusubNr, ui::pictures::kMenusubOv);
    const Rect r = combo->GetRect();
    const Rect w = dialog.GetWindow()->geometry();
    const int32_t size = int32_t(300.0f * dialog.Scale());
    ui::CWndPopup* menu = dialog.AdoptPopup(std::move(popup));
    combo->SetMenuOpen(true);
    dialog.InvalidateRect(r);
    if (!menu->Create(&dialog, w.left + r.left, w.top + r.bottom, size, size, kMsgInsertChosen, kInsertMenu)) {
        combo->SetMenuOpen(false);
        return;
    }
    dialog.PopupSlot(kInsertPopupSlot) = menu;
}

void ActionEditing::InsertChosen(const ui::PopupResult* result) {
    if (auto* combo = w_.dialog.FindControlAs<ui::CComboButton>(kInsertMenu)) {
        combo->SetMenuOpen(false);
        w_.dialog.InvalidateRect(combo->GetRect());
    }
    w_.dialog.ClosePopup(kInsertPopupSlot);
    if (!result || result->byteCount < 1) return;
    pendingCode_ = result->bytes[0];
    pendingInsert_ = true;
    w_.dialog.Invalidate();
}

void ActionEditing::RunPendingInsert() {
    if (!pendingInsert_) return;
    pendingInsert_ = false;
    Insert(pendingCode_);
}

// ---- Inserts: always at the end of the list ----

void ActionEditing::Insert(int what) {
    MacroKey* selected = w_.selectedKey();
    if (!selected) {
        w_.attention(kTextInsertWithoutKey);
        return;
    }
    // No key typed into the insert dialogs may end up in a recording.
    const bool resume = w_.recording.Recording();
    if (resume) w_.recording.PauseHook();
    MacroKey& key = *selected;
    const uint32_t before = key.UsableActionCount();
    switch (what) {
        case kInsertLeft:
        case kInsertRight:
        case kInsertMiddle: {
            const InsertResult r = insertClick(key, what - kInsertLeft);
            if (r == InsertResult::Inserted)
                w_.actionList.SelectedRow = int32_t(key.UsableActionCount()) - 1;
            else
                w_.attention(kTextInsertFull);
            break;
        }
        case kInsertDelay: InsertDelay(key); break;
        case kInsertKey: InsertKey(key); break;
        default: break;
    }
    if (key.UsableActionCount() != before || what == kInsertDelay) {
        w_.synchronise();
        w_.actions.ScrollToEnd();
    }
    w_.dialog.InvalidateRect(w_.actionList.GetRect());
    if (resume && w_.recording.Recording()) w_.recording.StartHook();
}

void ActionEditing::InsertDelay(MacroKey& key) {
    const uint32_t count = key.UsableActionCount();
    if (count > 0 && isDelay(actionAt(key, count - 1))) {
        // The list already ends in a delay: that one is edited instead.
        ActionBytes a = actionAt(key, count - 1);
        CActionTimeModifyDlg dlg(w_.dialog.GetPlatform(), &w_.dialog, w_.language, a, delayOf(a));
        if (dlg.DoModal() == ui::kIdOk) {
            editDelay(key, count - 1, delayOf(a));
            w_.actionList.SelectedRow = int32_t(count - 1);
        }
        return;
    }
    if (!appendAction(key, delayAction(kNewDelayMs))) {
        w_.attention(kTextInsertFull);
        return;
    }
    w_.dialog.InvalidateRect(w_.actionList.GetRect());
    ActionBytes a = delayAction(kNewDelayMs);
    CActionTimeModifyDlg dlg(w_.dialog.GetPlatform(), &w_.dialog, w_.language, a, kNewDelayMs);
    if (dlg.DoModal() == ui::kIdOk) {
        editDelay(key, count, delayOf(a));
        w_.actionList.SelectedRow = int32_t(count);
    } else {
        deleteAction(key, count);
    }
}

void ActionEditing::InsertKey(MacroKey& key) {
    if (CountMacroCommands(key) > kInsertCeiling || key.UsableActionCount() + 3 > MacroKey::kSlotCount) {
        w_.attention(kTextInsertFull);
        return;
    }
    const uint32_t press = key.UsableActionCount();
    if (insertKeyTap(key, kDefaultKey) != InsertResult::Inserted) return;
    w_.dialog.InvalidateRect(w_.actionList.GetRect());
    ActionBytes a = actionAt(key, press);
    CActionKeyModifyDlg dlg(w_.dialog.GetPlatform(), &w_.dialog, w_.language, a);
    if (dlg.DoModal() == ui::kIdOk) {
        editKeyCode(key, press, a[0]);
        editKeyCode(key, press + 2, a[0]);
        w_.actionList.SelectedRow = int32_t(press + 2);
    } else {
        for (int i = 0; i < 3; ++i) deleteAction(key, press);
    }
}

// ---- Editing and deleting ----

void ActionEditing::EditAction() {
    MacroKey* selected = w_.selectedKey();
    if (!selected) return;
    const int32_t row = w_.actionList.SelectedRow;
    if (row < 0 || uint32_t(row) >= selected->UsableActionCount()) return;
    ActionBytes a = actionAt(*selected, uint32_t(row));
    if (isDelay(a)) {
        CActionTimeModifyDlg dlg(w_.dialog.GetPlatform(), &w_.dialog, w_.language, a, delayOf(a));
        if (dlg.DoModal() == ui::kIdOk) editDelay(*selected, uint32_t(row), delayOf(a));
    } else if (!isMouseAction(a)) {
        // Mouse actions stay as they were inserted.
        CActionKeyModifyDlg dlg(w_.dialog.GetPlatform(), &w_.dialog, w_.language, a);
        if (dlg.DoModal() == ui::kIdOk) editKeyCode(*selected, uint32_t(row), a[0]);
    }
    w_.dialog.InvalidateRect(w_.actionList.GetRect());
}

void ActionEditing::DeleteAction() {
    MacroKey* selected = w_.selectedKey();
    if (!selected) return;
    ui::ShowListBase& list = w_.actionList;
    const int32_t row = list.SelectedRow;
    const int32_t count = int32_t(selected->UsableActionCount());
    if (row < 0 || row >= count) return;
    if (row == count - 1 && row > 0) list.SelectedRow = row - 1;
    deleteAction(*selected, uint32_t(row));
    // A list scrolled to its end keeps its last row at the bottom.
    const int32_t left = count - 1;
    if (list.FirstRow > 0 && list.FirstRow + list.VisibleRows > left)
        list.FirstRow = std::max(0, left - list.VisibleRows);
    w_.actions.UpdateBar();
    w_.dialog.InvalidateRect(list.GetRect());
}

}  // namespace orvane::macro
