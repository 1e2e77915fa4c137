#pragma once
// The battery gauge (Id 3406): discharging shows the level as a fill over the empty battery,
// charging animates the fill by Phase under a lightning mark, charged shows the full battery
// with the mark. It never reacts to the pointer.
#include <cstdint>

#include "ui/CControlBase.h"

namespace orvane::ui {

class CBattery : public CControlBase {
public:
    static constexpr uint32_t kId = 3406;
    enum Mode : int32_t { kDischarging = 0, kCharging = 1, kCharged = 2 };

    CBattery(CDlgBase* owner, const Rect& rect, bool visible = true, bool active = true);

    void Draw(Painter& p, const Rect& clip) override;
    void ReleaseImages() override;

protected:
    // A gauge of the level in percent; charging says so in its value.
    void DescribeInto(AccessibleNode& n) const override;

public:

    void LoadFullImage(const Text& path) { full_ = Remember(LoadImage(path)); }
    void LoadEmptyImage(const Text& path) { empty_ = Remember(LoadImage(path)); }
    void LoadChargingImage(const Text& path) { charging_ = Remember(LoadImage(path)); }
    void LoadLightningImage(const Text& path) { lightning_ = Remember(LoadImage(path)); }
    void SetImages(const Image& full, const Image& empty, const Image& charging, const Image& lightning);

    int32_t Mode = kDischarging;
    uint8_t Level = 0;     // percent
    int32_t Phase = 25;    // percent shown while charging: 25, 50, 75, 100
    int32_t RightInset = 7;   // design pixels right of the fill at 100 %
    int32_t FillLength = 50;  // design pixels of the fill at 100 %

    // Columns of the fill picture drawn for a percentage (at least one design pixel of fill).
    int32_t FillSourceWidth(int32_t percent) const;

private:
    Image Remember(Image img);
    void DrawFill(Painter& p, const Image& img, int32_t percent) const;

    Image full_;
    Image empty_;
    Image charging_;
    Image lightning_;
    int32_t imageWidth_ = 0;
    int32_t imageHeight_ = 0;
};

}  // namespace orvane::ui
