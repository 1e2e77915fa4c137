#pragma once
// A framed notice that stays in its window until its message is cleared: a filled box with a
// border in the attention colour and the message wrapped inside, drawn smaller when it does not
// fit. Nothing is drawn while the message is empty. It never reacts to the pointer.
#include "ui/CControlBase.h"

namespace orvane::ui {

class CNoticeStrip : public CControlBase {
public:
    // Colours as 0xBBGGRR, like the other controls.
    CNoticeStrip(CDlgBase* owner, uint32_t id, const Rect& rect, uint32_t fillColour, uint32_t borderColour,
                 uint32_t textColour);

    void Draw(Painter& p, const Rect& clip) override;

    // Repaints the notice when the message changes.
    void SetMessage(const Text& message);
    const Text& Message() const { return message_; }

protected:
    // Read as a label while it shows a message.
    void DescribeInto(AccessibleNode& n) const override;

private:
    Text message_;
    uint32_t fill_;
    uint32_t border_;
    uint32_t colour_;
};

}  // namespace orvane::ui
