#include "dialogs/CProgramList.h"

#include <algorithm>
#include <cwctype>

#include "ui/CDlgBase.h"
#include "ui/ListKeys.h"
#include "ui/Messages.h"

namespace orvane::dialogs {

namespace {

constexpr uint32_t kBackground = 0x4B4B4B;
constexpr uint32_t kHot = 0xDEA035;
constexpr uint32_t kText = 0xFFFFFF;
constexpr int32_t kIconSide = 16;  // design pixels
constexpr int32_t kGap = 4;

Text folded(const Text& t) {
    Text f = t;
    for (char16_t& c : f) c = char16_t(std::towlower(wint_t(c)));
    return f;
}

}  // namespace

CProgramList::CProgramList(ui::CDlgBase* owner, uint32_t id, const platform::Rect& rect)
    : CControlBase(owner, id, rect, Text{}) {}

void CProgramList::SetPrograms(std::vector<platform::RunningProgram> programs) {
    std::erase_if(programs, [](const platform::RunningProgram& p) { return p.id.name.empty(); });
    std::stable_sort(programs.begin(), programs.end(), [](const auto& a, const auto& b) {
        return folded(a.id.name) < folded(b.id.name);
    });
    programs_ = std::move(programs);
    first_ = 0;
    hot_ = pressed_ = cursor_ = -1;
    Invalidate();
}

int32_t CProgramList::VisibleRows() const { return std::max<int32_t>(1, rect_.height() / std::max(1, Scaled(kRowHeight))); }

void CProgramList::Scroll(int32_t rows) {
    const int32_t last = std::max<int32_t>(0, int32_t(programs_.size()) - VisibleRows());
    const int32_t to = std::clamp(first_ + rows, 0, last);
    if (to == first_) return;
    first_ = to;
    hot_ = -1;
    Invalidate();
}

int32_t CProgramList::ProgramAt(platform::Point pt) const {
    if (!rect_.contains(pt)) return -1;
    const int32_t row = (pt.y - rect_.top) / std::max(1, Scaled(kRowHeight));
    if (row >= VisibleRows()) return -1;
    const int32_t index = first_ + row;
    return index < int32_t(programs_.size()) ? index : -1;
}

void CProgramList::Draw(platform::Painter& p, const platform::Rect&) {
    p.fillRect(rect_, platform::bgr(kBackground));
    const int32_t rowHeight = Scaled(kRowHeight);
    const int32_t icon = Scaled(kIconSide);
    const int32_t rows = std::min<int32_t>(VisibleRows(), int32_t(programs_.size()) - first_);
    for (int32_t k = 0; k < rows; ++k) {
        const platform::RunningProgram& program = programs_[size_t(first_ + k)];
        const platform::Rect row{rect_.left, rect_.top + k * rowHeight, rect_.right, rect_.top + (k + 1) * rowHeight};
        const bool keyboardRow = first_ + k == cursor_ && owner_ && owner_->FocusedControl() == this;
        if (first_ + k == hot_ || keyboardRow) p.fillRect(row, platform::bgr(kHot));
        const int32_t iconTop = row.top + (rowHeight - icon) / 2;
        const int32_t iconLeft = row.left + Scaled(kGap);
        if (!program.icon.isNull()) p.drawImage(program.icon, {iconLeft, iconTop, iconLeft + icon, iconTop + icon});
        const platform::Rect text{iconLeft + icon + Scaled(kGap), row.top, row.right - Scaled(kGap), row.bottom};
        p.drawText(program.id.name, text, font_, platform::bgr(kText),
                   platform::kTextLeft | platform::kTextVCenter | platform::kTextSingleLine | platform::kTextEndEllipsis);
    }
}

bool CProgramList::OnMouseMove(uint32_t, platform::Point pt) {
    const int32_t hot = ProgramAt(pt);
    if (hot == hot_) return false;
    hot_ = hot;
    return true;
}

bool CProgramList::OnLButtonDown(uint32_t, platform::Point pt) {
    pressed_ = ProgramAt(pt);
    return false;
}

bool CProgramList::OnLButtonUp(uint32_t, platform::Point pt) {
    const int32_t at = ProgramAt(pt);
    const bool chosen = at >= 0 && at == pressed_;
    pressed_ = -1;
    if (chosen) Notify(ui::kCodeClicked, uintptr_t(at));
    return chosen;
}

// ---- Keyboard and readers ----

bool CProgramList::OnNavigationKey(uint32_t vk) {
    const int32_t to = ui::ListKeyTarget(vk, cursor_, int32_t(programs_.size()), VisibleRows());
    if (to < 0) return false;
    cursor_ = to;
    first_ = ui::FirstRowShowing(to, first_, VisibleRows());
    Invalidate();
    return true;
}

bool CProgramList::Activate() {
    if (cursor_ < 0 || cursor_ >= int32_t(programs_.size())) return false;
    Notify(ui::kCodeClicked, uintptr_t(cursor_));
    return true;
}

bool CProgramList::SelectItem(int32_t row) {
    if (row < 0 || row >= int32_t(programs_.size())) return false;
    cursor_ = row;
    first_ = ui::FirstRowShowing(row, first_, VisibleRows());
    Invalidate();
    return Activate();
}

void CProgramList::DescribeInto(platform::AccessibleNode& n) const {
    n.role = platform::AccessibleRole::List;
    ui::DescribeRows(n, int32_t(programs_.size()), cursor_, first_, VisibleRows(), Scaled(kRowHeight),
                     [this](int32_t row) { return programs_[size_t(row)].id.name; });
}

}  // namespace orvane::dialogs
