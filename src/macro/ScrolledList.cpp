#include "macro/ScrolledList.h"

#include <algorithm>

#include "ui/CDlgBase.h"
#include "ui/CVScrollBar.h"
#include "ui/ShowListBase.h"

namespace orvane::macro {

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
}  // namespace

ScrolledList::ScrolledList(ui::CDlgBase& window, ui::ShowListBase& list, ui::CVScrollBar& bar, RowCount rows)
    : window_(window), list_(list), bar_(bar), rows_(std::move(rows)) {}

void ScrolledList::UpdateBar() {
    const std::optional<int32_t> rows = rows_();
    if (!rows) return;
    bar_.SetScroll(list_.FirstRow, list_.VisibleRows, *rows);
    window_.InvalidateRect(bar_.GetRect());
}

void ScrolledList::ScrollToEnd() {
    const std::optional<int32_t> rows = rows_();
    if (!rows) return;
    if (*rows > list_.VisibleRows) list_.FirstRow = *rows - list_.VisibleRows;
    UpdateBar();
}

void ScrolledList::FollowBar(uintptr_t where, intptr_t code) {
    if (code == ui::kCodePressed) {
        const int32_t first = steppedFirstRow(where, list_.FirstRow, bar_.Page(), Rows());
        if (first == list_.FirstRow) return;  // the press left the list where it was
        bar_.SetScroll(first, bar_.Page(), bar_.Range());
        list_.FirstRow = bar_.Position();
    } else if (code == ui::kCodeDragging) {
        list_.FirstRow = bar_.Position();
    }
    window_.InvalidateRect(list_.GetRect());
    window_.InvalidateRect(bar_.GetRect());
}

bool ScrolledList::Wheel(int32_t delta, platform::Point pt) {
    if (!list_.GetRect().contains(pt)) return false;
    list_.FirstRow = wheeledFirstRow(delta, list_.FirstRow, list_.VisibleRows, Rows());
    UpdateBar();
    window_.InvalidateRect(list_.GetRect());
    return true;
}

void ScrolledList::PointerMoved(platform::Point pt) {
    if (bar_.Dragging() && bar_.DragThumb(pt)) window_.InvalidateRect(bar_.GetRect());
}

}  // namespace orvane::macro
