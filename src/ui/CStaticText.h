#pragma once
// A line of text in one colour with the owner's alignment, vertically centred and cut with an
// ellipsis at a word when it does not fit. It never reacts to the pointer.
#include "ui/CControlBase.h"

namespace orvane::ui {

class CStaticText : public CControlBase {
public:
    // The label starts empty whatever text is given; owners set it with SetLabel.
    CStaticText(CDlgBase* owner, uint32_t id, const Rect& rect, uint32_t textColour, TextFormat format,
                Text text = {}, bool visible = true, bool active = true);

    void Draw(Painter& p, const Rect& clip) override;

    // Takes effect at the next paint of the control.
    void SetLabel(const Text& label) { label_ = label; }
    const Text& Label() const { return label_; }
    void SetTextColour(uint32_t colour) { colour_ = colour; }
    uint32_t TextColour() const { return colour_; }

protected:
    // A label named by what it shows; an empty one is not there for a reader.
    void DescribeInto(AccessibleNode& n) const override;

private:
    Text label_;
    TextFormat format_;
    uint32_t colour_;
};

}  // namespace orvane::ui
