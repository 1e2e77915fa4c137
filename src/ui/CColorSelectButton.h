#pragma once
// A colour swatch: fills its colour rectangle (which need not be the control rectangle) with
// its colour and reports clicks like any button.
#include "ui/CButtonBase.h"

namespace orvane::ui {

class CColorSelectButton : public CButtonBase {
public:
    static constexpr uint32_t kDefaultColour = 0x00FF00;

    CColorSelectButton(CDlgBase* owner, uint32_t id, const Rect& rect, const Rect& colourRect, Text text = {},
                       bool visible = true, bool active = true, bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;
    // The colour rectangle keeps its place within the control.
    using CControlBase::SetRect;
    void SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;

    // 0x00BBGGRR.
    void SetColour(uint32_t colour) { colour_ = colour; }
    uint32_t Colour() const { return colour_; }
    const Rect& ColourRect() const { return colourRect_; }

private:
    Rect colourRect_;
    uint32_t colour_ = kDefaultColour;
};

}  // namespace orvane::ui
