#include "ui/CRadioButton.h"

namespace orvane::ui {

void CRadioButton::DescribeInto(AccessibleNode& n) const {
    CButtonBase::DescribeInto(n);
    if (!mouseAware_) return;
    n.role = AccessibleRole::RadioButton;
    n.state |= platform::kAccessibleCheckable;
    if (Selected()) n.state |= platform::kAccessibleChecked | platform::kAccessibleSelected;
}

CRadioButton::CRadioButton(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, bool visible, bool active,
                           bool disabled)
    : CButtonBase(owner, id, rect, std::move(text), 3, visible, active, disabled),
      option_(RadioGroupState::optionFor(id)) {}

CRadioButton::CRadioButton(CDlgBase* owner, uint32_t id, const Rect& rect, RadioOption option, bool visible,
                           bool active, bool disabled)
    : CButtonBase(owner, id, rect, Text{}, 3, visible, active, disabled), option_(option) {}

bool CRadioButton::Selected() const { return option_ && RadioGroupState::isSelected(option_->bit); }

void CRadioButton::OnClick() {
    if (option_) RadioGroupState::select(*option_);
}

void CRadioButton::Draw(Painter& p, const Rect&) { images_.draw(p, rect_, Frame()); }

}  // namespace orvane::ui
