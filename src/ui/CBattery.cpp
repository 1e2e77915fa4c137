#include "ui/CBattery.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace orvane::ui {

CBattery::CBattery(CDlgBase* owner, const Rect& rect, bool visible, bool active)
    : CControlBase(owner, kId, rect, Text{}, visible, active, true, true) {}

Image CBattery::Remember(Image img) {
    if (!img.isNull()) {
        imageWidth_ = img.width();
        imageHeight_ = img.height();
    }
    return img;
}

void CBattery::SetImages(const Image& full, const Image& empty, const Image& charging, const Image& lightning) {
    full_ = Remember(full);
    empty_ = Remember(empty);
    charging_ = Remember(charging);
    lightning_ = Remember(lightning);
}

void CBattery::ReleaseImages() {
    full_ = {};
    empty_ = {};
    charging_ = {};
    lightning_ = {};
}

void CBattery::DescribeInto(AccessibleNode& n) const {
    n.role = AccessibleRole::ProgressBar;
    n.hasRange = true;
    n.minimum = 0;
    n.maximum = 100;
    n.current = Mode == kDischarging ? Level : 100;
    if (n.value.empty()) n.value = fromUtf8(std::to_string(n.current) + " %");
}

int32_t CBattery::FillSourceWidth(int32_t percent) const {
    // The mouse can report more than 100 %; the fill stops at full rather than running past it.
    const uint32_t p = uint32_t(std::clamp(percent, 0, 100));
    const int32_t w = std::max<int32_t>(1, int32_t(p * uint32_t(std::max(FillLength, 0)) / 100u));
    const float s = Scale();
    int32_t edge = int32_t(std::trunc(float(rect_.right) - float(RightInset + FillLength - w) * s));
    if (s > 1.0f && (edge - rect_.left) % 2 != 0) edge -= 1;
    return imageWidth_ - int32_t(std::trunc(float(imageWidth_) - float(edge - rect_.left) / s));
}

void CBattery::DrawFill(Painter& p, const Image& img, int32_t percent) const {
    if (img.isNull()) return;
    const int32_t sw = std::clamp(FillSourceWidth(percent), 0, img.width());
    if (sw <= 0) return;
    p.drawImage(img, Rect::fromSize(rect_.left, rect_.top, Scaled(sw), Scaled(imageHeight_)),
                Rect{0, 0, sw, img.height()}, platform::Interpolation::Smooth);
}

void CBattery::Draw(Painter& p, const Rect&) {
    auto whole = [&](const Image& img) {
        if (!img.isNull()) p.drawImage(img, rect_, platform::Interpolation::Smooth);
    };
    switch (Mode) {
    case kDischarging:
        whole(empty_);
        DrawFill(p, full_, Level);
        break;
    case kCharging:
        DrawFill(p, charging_, Phase);
        whole(lightning_);
        break;
    case kCharged:
        whole(full_);
        whole(lightning_);
        break;
    default: break;
    }
}

}  // namespace orvane::ui
