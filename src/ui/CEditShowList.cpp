#include "ui/CEditShowList.h"

#include "platform/Input.h"
#include "ui/ListKeys.h"
#include "ui/Messages.h"

namespace orvane::ui {

namespace {
constexpr uint32_t kBackground = 0x4B4B4B;
constexpr uint32_t kSelected = 0xDEA035;
constexpr uint32_t kText = 0xFFFFFF;
}  // namespace

CEditShowList::CEditShowList(CDlgBase* owner, const Rect& rect, const MacroLibrary& library, bool visible,
                             bool active, bool disabled)
    : CControlBase(owner, kId, rect, Text{}, visible, active, disabled, true), library_(library) {
    VisibleRows = (rect.height() + Scaled(10)) / Scaled(kRowHeight);
}

const MacroSet* CEditShowList::ShownSet() const {
    return SetIndex < 0 ? nullptr : library_.FindSet(uint32_t(SetIndex));
}

int32_t CEditShowList::RowAt(int32_t y) const { return (y - rect_.top) / Scaled(kRowHeight); }

void CEditShowList::ShowSet(int32_t setIndex) {
    SetIndex = setIndex;
    FirstRow = 0;
    const MacroSet* set = ShownSet();
    SelectedRow = set && set->KeyCount() > 0 ? 0 : -1;
}

void CEditShowList::ScrollToEnd() {
    const MacroSet* set = ShownSet();
    if (!set || set->KeyCount() < 1) return;
    const int32_t first = int32_t(set->KeyCount()) - VisibleRows;
    FirstRow = first > 0 ? first : 0;
    Invalidate();
}

void CEditShowList::Draw(Painter& p, const Rect&) {
    p.fillRect(rect_, bgr(kBackground));
    const MacroSet* set = ShownSet();
    if (!set || FirstRow < 0) return;
    const int32_t count = int32_t(set->KeyCount());
    const int32_t rowH = Scaled(kRowHeight);
    for (int32_t k = 0; k < VisibleRows && FirstRow + k < count; ++k) {
        const Rect row{rect_.left + Scaled(2), rect_.top + k * rowH, rect_.right - Scaled(2), rect_.top + (k + 1) * rowH};
        if (FirstRow + k == SelectedRow) p.fillRect(row, bgr(kSelected));
        const MacroKey* key = set->FindKey(uint32_t(FirstRow + k));
        if (!key) continue;
        // A name as long as a macro name may be is drawn narrower before it is cut short.
        p.drawText(key->GetName(), row, font_, bgr(kText),
                   platform::kTextLeft | platform::kTextSingleLine | platform::kTextVCenter | platform::kTextCondense |
                       platform::kTextWordEllipsis);
    }
}

bool CEditShowList::OnMouseMove(uint32_t, Point pt) { return !disabled_ && pointer_.move(rect_, pt); }

bool CEditShowList::OnLButtonDown(uint32_t, Point pt) {
    if (disabled_ || !rect_.contains(pt)) return false;
    pointer_.press();
    const MacroSet* set = ShownSet();
    const int32_t r = RowAt(pt.y);
    if (set && r < int32_t(set->KeyCount())) SelectedRow = FirstRow + r;
    return true;
}

bool CEditShowList::OnLButtonUp(uint32_t, Point pt) {
    if (disabled_) return false;
    pointer_.release(rect_, pt);
    if (rect_.contains(pt)) Notify(kCodeClicked);
    return true;
}

bool CEditShowList::OnLButtonDblClk(uint32_t, Point pt) {
    if (disabled_) return false;
    if (!rect_.contains(pt)) return pointer_.set(PointerState::kNormal);
    pointer_.set(PointerState::kOver);
    const MacroSet* set = ShownSet();
    const int32_t r = RowAt(pt.y);
    if (set && r < int32_t(set->KeyCount())) Notify(kCodeDoubleClick);
    return true;
}

// ---- Keyboard and readers ----

int32_t CEditShowList::KeyCount() const {
    const MacroSet* set = ShownSet();
    return set ? int32_t(set->KeyCount()) : 0;
}

bool CEditShowList::SelectItem(int32_t row) {
    if (disabled_ || row < 0 || row >= KeyCount()) return false;
    SelectedRow = row;
    FirstRow = FirstRowShowing(row, FirstRow, VisibleRows);
    Invalidate();
    Notify(kCodeClicked);
    return true;
}

bool CEditShowList::OnNavigationKey(uint32_t vk) {
    if (vk == platform::kVkDelete) {
        if (SelectedRow < 0 || SelectedRow >= KeyCount()) return false;
        Notify(kCodeDeleteRequested);
        return true;
    }
    const int32_t to = ListKeyTarget(vk, SelectedRow, KeyCount(), VisibleRows);
    return to >= 0 && SelectItem(to);
}

bool CEditShowList::Activate() {
    if (disabled_ || SelectedRow < 0 || SelectedRow >= KeyCount()) return false;
    Notify(kCodeDoubleClick);
    return true;
}

void CEditShowList::DescribeInto(AccessibleNode& n) const {
    n.role = AccessibleRole::List;
    const MacroSet* set = ShownSet();
    DescribeRows(n, KeyCount(), SelectedRow, FirstRow, VisibleRows, Scaled(kRowHeight), [set](int32_t row) {
        const MacroKey* key = set ? set->FindKey(uint32_t(row)) : nullptr;
        return key ? key->GetName() : Text{};
    });
}

}  // namespace orvane::ui
