#include "ui/CDPIValueShowControl.h"
#include "ui/Messages.h"

#include <algorithm>

namespace orvane::ui {

CDPIValueShowControl::CDPIValueShowControl(CDlgBase* owner, uint32_t id, const Rect& rect, int32_t stepCount,
                                           Text text, bool visible, bool active, bool disabled)
    : CControlBase(owner, id, rect, std::move(text), visible, active, disabled, true), stepCount_(stepCount) {}

void CDPIValueShowControl::LoadImages(const Text& background, const Text& fill) {
    background_ = LoadImage(background);
    fill_ = LoadImage(fill);
}

void CDPIValueShowControl::SetImages(const Image& background, const Image& fill) {
    background_ = background;
    fill_ = fill;
}

void CDPIValueShowControl::ReleaseImages() {
    background_ = {};
    fill_ = {};
}

bool CDPIValueShowControl::Activate() {
    if (disabled_) return false;
    Notify(kCodePressed);
    Notify(kCodeClicked);
    return true;
}

void CDPIValueShowControl::DescribeInto(AccessibleNode& n) const {
    n.role = AccessibleRole::PushButton;
    n.defaultAction = platform::AccessibleAction::Press;
    n.state |= platform::kAccessibleHasPopup;
}

int32_t CDPIValueShowControl::FillTop() const {
    if (stepCount_ <= 0) return rect_.bottom;
    // A value the owner set beyond the steps fills the gauge rather than overflowing it.
    const int64_t steps = std::clamp<int64_t>(int64_t{value_} + 1, 0, stepCount_);
    const int32_t h = int32_t(int64_t{rect_.height()} * steps / stepCount_);
    int32_t top = rect_.bottom - h;
    if (Scale() > 1.0f && h % 2 != 0) top -= 1;
    return top;
}

void CDPIValueShowControl::Draw(Painter& p, const Rect&) {
    const int32_t w = Scaled(fill_.width());
    if (!background_.isNull())
        p.drawImage(background_, Rect::fromSize(rect_.left, rect_.top, w, Scaled(fill_.height())),
                    platform::Interpolation::Smooth);
    if (fill_.isNull() || stepCount_ <= 0) return;
    const int32_t top = FillTop();
    const int32_t shown = rect_.bottom - top;
    const int32_t m = std::clamp(fill_.height() - int32_t(float(shown) / Scale()), 0, fill_.height());
    if (m >= fill_.height()) return;
    p.drawImage(fill_, Rect::fromSize(rect_.left, top, w, Scaled(fill_.height() - m)),
                Rect{0, m, fill_.width(), fill_.height()}, platform::Interpolation::Smooth);
}

bool CDPIValueShowControl::OnMouseMove(uint32_t, Point pt) { return !disabled_ && pointer_.move(rect_, pt); }

bool CDPIValueShowControl::OnLButtonDown(uint32_t, Point pt) {
    if (disabled_ || !rect_.contains(pt)) return false;
    pointer_.press();
    Notify(kCodePressed);
    return true;
}

bool CDPIValueShowControl::OnLButtonUp(uint32_t, Point pt) {
    if (disabled_) return false;
    const bool changed = pointer_.release(rect_, pt);
    if (rect_.contains(pt)) Notify(kCodeClicked);
    return changed;
}

}  // namespace orvane::ui
