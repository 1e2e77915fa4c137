// CMacroManagerDlg: the two lists' scroll bars and the mouse wheel.
#include <algorithm>

#include "macro/CMacroManagerDlg.h"
#include "macro/MacroManagerIds.h"
#include "ui/CEditShowList.h"
#include "ui/CImageShowList.h"
#include "ui/CVScrollBar.h"

namespace orvane::macro {

using namespace mgr;

namespace {
// One step of a list's first row for a scroll-bar press; returns the new first row.
int32_t steppedFirstRow(uintptr_t where, int32_t first, int32_t page, int32_t count) {
    const int32_t last = count - page;  // the first row that shows the end
    switch (where) {
        case ui::CVScrollBar::kHitUpArrow: return first > 0 ? first - 1 : first;
        case ui::CVScrollBar::kHitDownArrow: return first < last ? first + 1 : first;
        case ui::CVScrollBar::kHitAboveThumb: return first > 0 ? std::max(0, first - page + 1) : first;
        case ui::CVScrollBar::kHitBelowThumb: return first < last ? std::min(last, first + page - 1) : first;
        default: return first;
    }
}

// One wheel notch: up while the list is scrolled down and holds more than fits, down until the
// last row is in view.
int32_t wheeledFirstRow(int32_t delta, int32_t first, int32_t page, int32_t count) {
    if (delta > 0) return first > 0 && count > page ? first - 1 : first;
    return first + page < count ? first + 1 : first;
}

// A list (firstRow its first shown row, count its rows) follows its bar, pressed on an arrow or
// the track, or its thumb dragged. False when a press left it where it was.
bool followScrollBar(int32_t& firstRow, ui::CVScrollBar& bar, uintptr_t where, intptr_t code, int32_t count) {
    if (code == ui::kCodePressed) {
        const int32_t first = steppedFirstRow(where, firstRow, bar.Page(), count);
        if (first == firstRow) return false;
        bar.SetScroll(first, bar.Page(), bar.Range());
    } else if (code != ui::kCodeDragging) {
        return true;
    }
    firstRow = bar.Position();
    return true;
}
}  // namespace

void CMacroManagerDlg::UpdateActionBar() {
    if (!selected_) return;
    actionBar_->SetScroll(actionList_->FirstRow, actionList_->VisibleRows, int32_t(selected_->UsableActionCount()));
    InvalidateRect(actionBar_->GetRect());
}

void CMacroManagerDlg::UpdateKeyBar() {
    const MacroSet* set = ShownSet();
    keyBar_->SetScroll(keyList_->FirstRow, keyList_->VisibleRows, set ? int32_t(set->KeyCount()) : 0);
    InvalidateRect(keyBar_->GetRect());
}

void CMacroManagerDlg::ScrollActionsToEnd() {
    if (!selected_) return;
    const int32_t count = int32_t(selected_->UsableActionCount());
    if (count > actionList_->VisibleRows) actionList_->FirstRow = count - actionList_->VisibleRows;
    UpdateActionBar();
}

void CMacroManagerDlg::ActionScroll(uintptr_t wParam, intptr_t code) {
    const int32_t count = selected_ ? int32_t(selected_->UsableActionCount()) : 0;
    if (!followScrollBar(actionList_->FirstRow, *actionBar_, wParam, code, count)) return;
    InvalidateRect(actionList_->GetRect());
    InvalidateRect(actionBar_->GetRect());
}

void CMacroManagerDlg::KeyScroll(uintptr_t wParam, intptr_t code) {
    const MacroSet* set = ShownSet();
    if (!followScrollBar(keyList_->FirstRow, *keyBar_, wParam, code, set ? int32_t(set->KeyCount()) : 0)) return;
    InvalidateRect(keyList_->GetRect());
    InvalidateRect(keyBar_->GetRect());
}

void CMacroManagerDlg::OnMouseMove(uint32_t flags, Point pt) {
    CDlgBase::OnMouseMove(flags, pt);
    // A thumb keeps following the pointer wherever it goes while the button is held.
    if (actionBar_ && actionBar_->Dragging() && actionBar_->DragThumb(pt)) InvalidateRect(actionBar_->GetRect());
    if (keyBar_ && keyBar_->Dragging() && keyBar_->DragThumb(pt)) InvalidateRect(keyBar_->GetRect());
}

void CMacroManagerDlg::OnMouseWheel(uint32_t, int32_t delta, Point pt) {
    if (!keyList_) return;
    if (keyList_->GetRect().contains(pt)) {
        const MacroSet* set = ShownSet();
        const int32_t count = set ? int32_t(set->KeyCount()) : 0;
        keyList_->FirstRow = wheeledFirstRow(delta, keyList_->FirstRow, keyList_->VisibleRows, count);
        UpdateKeyBar();
        InvalidateRect(keyList_->GetRect());
    } else if (actionList_->GetRect().contains(pt)) {
        const int32_t count = selected_ ? int32_t(selected_->UsableActionCount()) : 0;
        actionList_->FirstRow = wheeledFirstRow(delta, actionList_->FirstRow, actionList_->VisibleRows, count);
        UpdateActionBar();
        InvalidateRect(actionList_->GetRect());
    }
}

}  // namespace orvane::macro
