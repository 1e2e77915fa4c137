#pragma once
// A check box or a toggle: a strip of three looks or the pictures normal, over and checked. The
// checked look shows while it is checked or pressed; a click toggles it before the owner hears.
#include "ui/CButtonBase.h"

namespace orvane::ui {

class CCheckButton : public CButtonBase {
public:
    CCheckButton(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, bool visible = true, bool active = true,
                 bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;

    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    // Shown instead of the caption while the checked look is drawn; empty keeps the caption.
    void SetCheckedText(Text text) { checkedText_ = std::move(text); }
    // The look drawn now: 2 when checked or pressed, else the pointer state.
    int Frame() const { return (checked_ || state_ == kPressed) ? 2 : state_; }

protected:
    void OnClick() override { checked_ = !checked_; }
    void DescribeInto(AccessibleNode& n) const override;

private:
    bool checked_ = false;
    Text checkedText_;
    uint32_t colours_[3] = {kTextNormal, kTextOver, kTextChecked};
};

}  // namespace orvane::ui
