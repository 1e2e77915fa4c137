#pragma once
// The DPI value label of one level (Ids 3290 to 3293): lit while its bit is set in the DPI
// level mask, showing the level's DPI value in a colour the owner picks.
#include "ui/CButtonBase.h"

namespace orvane::ui {

class CDPIRadioButton : public CButtonBase {
public:
    CDPIRadioButton(CDlgBase* owner, uint32_t id, const Rect& rect, Text text = {}, bool visible = true,
                    bool active = true, bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;

    // The value in the DPI step table's units of 50.
    void SetValue(int32_t value) { value_ = value; }
    int32_t Value() const { return value_; }
    void SetTextColour(uint32_t colour) { textColour_ = colour; }
    uint32_t TextColour() const { return textColour_; }
    int Frame() const;

protected:
    void OnClick() override;
    // Its value is the level's DPI, as drawn.
    void DescribeInto(AccessibleNode& n) const override;

private:
    int32_t value_ = 0;
    uint32_t textColour_ = kTextNormal;
};

}  // namespace orvane::ui
