#include "ui/CDPIRadioButton.h"

#include <string>

#include "ui/DpiLevelMask.h"

namespace orvane::ui {

CDPIRadioButton::CDPIRadioButton(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, bool visible, bool active,
                                 bool disabled)
    : CButtonBase(owner, id, rect, std::move(text), 3, visible, active, disabled) {}

int CDPIRadioButton::Frame() const { return DpiLevelMask::isLit(id_) ? 2 : state_; }

void CDPIRadioButton::OnClick() { DpiLevelMask::lightUpTo(id_); }

void CDPIRadioButton::DescribeInto(AccessibleNode& n) const {
    CButtonBase::DescribeInto(n);
    n.value = fromUtf8(std::to_string(int64_t{value_} * 50) + " DPI");
    if (!mouseAware_) return;
    n.role = AccessibleRole::RadioButton;
    n.state |= platform::kAccessibleCheckable;
    if (DpiLevelMask::isLit(id_)) n.state |= platform::kAccessibleChecked;
}

void CDPIRadioButton::Draw(Painter& p, const Rect&) {
    images_.draw(p, rect_, Frame());
    // Inside the frame's border (one pixel, two at scale 2) with a pixel to spare: five-digit
    // values are drawn narrower rather than over the border.
    const int32_t inset = Scaled(1) + 1;
    const Rect band{rect_.left + inset, rect_.top, rect_.right - inset, rect_.top + Scaled(11)};
    p.drawText(fromUtf8(std::to_string(int64_t{value_} * 50)), band, font_, bgr(textColour_),
               platform::kTextCenter | platform::kTextSingleLine | platform::kTextVCenter | platform::kTextCondense |
                   platform::kTextNoClip);
}

}  // namespace orvane::ui
