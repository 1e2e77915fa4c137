#include "ui/CStaticText.h"

namespace orvane::ui {

CStaticText::CStaticText(CDlgBase* owner, uint32_t id, const Rect& rect, uint32_t textColour, TextFormat format,
                         Text text, bool visible, bool active)
    : CControlBase(owner, id, rect, std::move(text), visible, active, true, true),
      format_(format),
      colour_(textColour) {}

void CStaticText::DescribeInto(AccessibleNode& n) const {
    if (!label_.empty() && accessibleName_.empty()) n.name = label_;
    n.role = n.name.empty() ? AccessibleRole::None : AccessibleRole::Label;
}

void CStaticText::Draw(Painter& p, const Rect&) {
    if (label_.empty()) return;
    p.drawText(label_, rect_, font_, bgr(colour_), format_ | platform::kTextVCenter | platform::kTextWordEllipsis);
}

}  // namespace orvane::ui
