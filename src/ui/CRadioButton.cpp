#include "ui/CRadioButton.h"

#include <algorithm>

#include "ui/CDlgBase.h"

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

bool CRadioButton::OnNavigationKey(uint32_t vk) {
    int step = 0;
    if (vk == platform::kVkRight || vk == platform::kVkDown) step = 1;
    if (vk == platform::kVkLeft || vk == platform::kVkUp) step = -1;
    if (step == 0 || !owner_ || FocusGroup() == 0) return false;
    std::vector<CControlBase*> group;
    for (CControlBase* c : owner_->ReadingOrder())
        if (c->Focusable() && c->FocusGroup() == FocusGroup()) group.push_back(c);
    const auto it = std::find(group.begin(), group.end(), this);
    if (it == group.end() || group.size() < 2) return false;
    const int n = int(group.size());
    CControlBase* next = group[size_t((int(it - group.begin()) + step + n) % n)];
    // The focus first, so that what the selection announces is about the focused option. The
    // owner may end the window on the click: nothing of it is touched after.
    CDlgBase* owner = owner_;
    owner->SetFocusedControl(next);
    owner->ActOn(next, [](CControlBase& c) { return c.Activate(); });
    return true;
}

void CRadioButton::Draw(Painter& p, const Rect&) { images_.draw(p, rect_, Frame()); }

}  // namespace orvane::ui
