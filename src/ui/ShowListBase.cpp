#include "ui/ShowListBase.h"

#include "platform/Input.h"
#include "ui/ListKeys.h"
#include "ui/Messages.h"

namespace orvane::ui {

namespace {
constexpr uint32_t kBackground = 0x4B4B4B;
}  // namespace

ShowListBase::ShowListBase(CDlgBase* owner, uint32_t id, const Rect& rect, bool visible, bool active, bool disabled)
    : CControlBase(owner, id, rect, Text{}, visible, active, disabled, true) {
    VisibleRows = (rect.height() + Scaled(10)) / Scaled(kRowHeight);
}

void ShowListBase::Draw(Painter& p, const Rect&) {
    p.fillRect(rect_, bgr(kBackground));
    if (FirstRow < 0) return;
    const int32_t count = RowCount();
    const int32_t rowH = Scaled(kRowHeight);
    for (int32_t k = 0; k < VisibleRows && FirstRow + k < count; ++k)
        DrawRow(p, FirstRow + k, rect_.top + k * rowH, FirstRow + k == SelectedRow);
}

bool ShowListBase::OnMouseMove(uint32_t, Point pt) { return !disabled_ && pointer_.move(rect_, pt); }

bool ShowListBase::OnLButtonDown(uint32_t, Point pt) {
    if (disabled_ || !rect_.contains(pt)) return false;
    pointer_.press();
    const int32_t r = RowAt(pt.y);
    if (r < RowCount()) SelectedRow = FirstRow + r;
    return true;
}

bool ShowListBase::OnLButtonUp(uint32_t, Point pt) {
    if (disabled_) return false;
    pointer_.release(rect_, pt);
    if (rect_.contains(pt)) Notify(kCodeClicked);
    return true;
}

bool ShowListBase::OnLButtonDblClk(uint32_t, Point pt) {
    if (disabled_) return false;
    if (!rect_.contains(pt)) return pointer_.set(PointerState::kNormal);
    pointer_.set(PointerState::kOver);
    if (DoubleClickCounts(RowAt(pt.y))) Notify(kCodeDoubleClick);
    return true;
}

// ---- Keyboard and readers ----

bool ShowListBase::SelectItem(int32_t row) {
    if (disabled_ || row < 0 || row >= RowCount()) return false;
    SelectedRow = row;
    FirstRow = FirstRowShowing(row, FirstRow, VisibleRows);
    Invalidate();
    Notify(kCodeClicked);
    return true;
}

bool ShowListBase::OnNavigationKey(uint32_t vk) {
    if (vk == platform::kVkDelete) {
        if (!SelectionValid()) return false;
        Notify(kCodeDeleteRequested);
        return true;
    }
    const int32_t to = ListKeyTarget(vk, SelectedRow, RowCount(), VisibleRows);
    return to >= 0 && SelectItem(to);
}

bool ShowListBase::Activate() {
    if (disabled_ || !SelectionValid()) return false;
    Notify(kCodeDoubleClick);
    return true;
}

void ShowListBase::DescribeInto(AccessibleNode& n) const {
    n.role = AccessibleRole::List;
    DescribeRows(n, RowCount(), SelectedRow, FirstRow, VisibleRows, Scaled(kRowHeight),
                 [this](int32_t row) { return RowName(row); });
}

}  // namespace orvane::ui
