#include "ui/CEditShowList.h"

namespace orvane::ui {

CEditShowList::CEditShowList(CDlgBase* owner, const Rect& rect, const MacroLibrary& library, bool visible,
                             bool active, bool disabled)
    : ShowListBase(owner, kId, rect, visible, active, disabled), library_(library) {}

const MacroSet* CEditShowList::ShownSet() const {
    return SetIndex < 0 ? nullptr : library_.FindSet(uint32_t(SetIndex));
}

int32_t CEditShowList::RowCount() const {
    const MacroSet* set = ShownSet();
    return set ? int32_t(set->KeyCount()) : 0;
}

void CEditShowList::ShowSet(int32_t setIndex) {
    SetIndex = setIndex;
    FirstRow = 0;
    SelectedRow = RowCount() > 0 ? 0 : -1;
}

void CEditShowList::ScrollToEnd() {
    const int32_t count = RowCount();
    if (count < 1) return;
    const int32_t first = count - VisibleRows;
    FirstRow = first > 0 ? first : 0;
    Invalidate();
}

void CEditShowList::DrawRow(Painter& p, int32_t row, int32_t top, bool selected) {
    const Rect band{rect_.left + Scaled(2), top, rect_.right - Scaled(2), top + Scaled(kRowHeight)};
    if (selected) p.fillRect(band, bgr(kSelectedColor));
    const MacroSet* set = ShownSet();
    const MacroKey* key = set ? set->FindKey(uint32_t(row)) : nullptr;
    if (!key) return;
    // A name as long as a macro name may be is drawn narrower before it is cut short.
    p.drawText(key->GetName(), band, font_, bgr(kTextColor),
               platform::kTextLeft | platform::kTextSingleLine | platform::kTextVCenter | platform::kTextCondense |
                   platform::kTextWordEllipsis);
}

Text CEditShowList::RowName(int32_t row) const {
    const MacroSet* set = ShownSet();
    const MacroKey* key = set ? set->FindKey(uint32_t(row)) : nullptr;
    return key ? key->GetName() : Text{};
}

}  // namespace orvane::ui
