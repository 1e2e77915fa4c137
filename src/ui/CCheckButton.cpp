#include "ui/CCheckButton.h"

namespace orvane::ui {

void CCheckButton::DescribeInto(AccessibleNode& n) const {
    CButtonBase::DescribeInto(n);
    if (!mouseAware_) return;
    n.role = AccessibleRole::CheckBox;
    n.state |= platform::kAccessibleCheckable;
    if (checked_) n.state |= platform::kAccessibleChecked;
}

CCheckButton::CCheckButton(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, bool visible, bool active,
                           bool disabled)
    : CButtonBase(owner, id, rect, std::move(text), 3, visible, active, disabled) {}

void CCheckButton::Draw(Painter& p, const Rect&) {
    const int frame = Frame();
    images_.draw(p, rect_, frame);
    const Text& caption = (frame == 2 && !checkedText_.empty()) ? checkedText_ : text_;
    DrawCaption(p, caption, colours_[frame]);
}

}  // namespace orvane::ui
