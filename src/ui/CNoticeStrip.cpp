#include "ui/CNoticeStrip.h"

namespace orvane::ui {

CNoticeStrip::CNoticeStrip(CDlgBase* owner, uint32_t id, const Rect& rect, uint32_t fillColour, uint32_t borderColour,
                           uint32_t textColour)
    : CControlBase(owner, id, rect, Text{}, true, true, false, false),
      fill_(fillColour),
      border_(borderColour),
      colour_(textColour) {}

void CNoticeStrip::DescribeInto(AccessibleNode& n) const {
    n.name = message_;
    n.role = message_.empty() ? AccessibleRole::None : AccessibleRole::Label;
}

void CNoticeStrip::SetMessage(const Text& message) {
    if (message == message_) return;
    message_ = message;
    Invalidate();
}

void CNoticeStrip::Draw(Painter& p, const Rect&) {
    if (message_.empty()) return;
    p.fillRect(rect_, bgr(fill_));
    p.drawRect(rect_, bgr(border_));
    const int32_t margin = Scaled(6);
    const Rect inner{rect_.left + margin, rect_.top + Scaled(2), rect_.right - margin, rect_.bottom - Scaled(2)};
    p.drawText(message_, inner, font_, bgr(colour_),
               platform::kTextCenter | platform::kTextVCenter | platform::kTextWordBreak | platform::kTextShrinkToFit);
}

}  // namespace orvane::ui
