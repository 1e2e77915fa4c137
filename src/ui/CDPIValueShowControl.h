#pragma once
// The vertical gauge of one DPI level: a background picture and a fill picture drawn from the
// bottom up to (Value + 1) / StepCount of the height. Clicking it reports code 2.
#include "ui/CControlBase.h"
#include "ui/PointerState.h"

namespace orvane::ui {

class CDPIValueShowControl : public CControlBase {
public:
    CDPIValueShowControl(CDlgBase* owner, uint32_t id, const Rect& rect, int32_t stepCount, Text text = {},
                         bool visible = true, bool active = true, bool disabled = false);

    void Draw(Painter& p, const Rect& clip) override;
    bool OnMouseMove(uint32_t flags, Point pt) override;
    bool OnLButtonDown(uint32_t flags, Point pt) override;
    bool OnLButtonUp(uint32_t flags, Point pt) override;
    void ReleaseImages() override;
    // Asks for the level's value dialog, as a click does.
    bool Activate() override;

    void LoadImages(const Text& background, const Text& fill);
    void SetImages(const Image& background, const Image& fill);

    void SetStepCount(int32_t n) { stepCount_ = n; }
    void SetValue(int32_t v) { value_ = v; }
    int32_t Value() const { return value_; }
    int PointerStateValue() const { return pointer_.get(); }

    // Top of the fill in device pixels: at scale above 1 an odd fill height grows by a pixel,
    // so the fill always ends on a whole design pixel.
    int32_t FillTop() const;

protected:
    // A button that opens the value dialog; its value is the owner's DPI text.
    void DescribeInto(AccessibleNode& n) const override;
    bool TakesFocus() const override { return true; }

private:
    Image background_;
    Image fill_;
    PointerState pointer_;
    int32_t value_ = 0;
    int32_t stepCount_;
};

}  // namespace orvane::ui
