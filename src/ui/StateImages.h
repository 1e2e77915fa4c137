#pragma once
// The pictures of a button's looks: either one horizontal strip whose frames are the looks side
// by side, or one picture per look. A strip wins when both are given. Every frame is stretched
// to the control rectangle.
#include <cstdint>
#include <vector>

#include "platform/Image.h"
#include "platform/Painter.h"

namespace orvane::ui {

class StateImages {
public:
    // frameCount: how many looks a strip holds.
    explicit StateImages(int frameCount) : frameCount_(frameCount) {}

    void setStrip(platform::Image strip) { strip_ = std::move(strip); }
    // separate[k] is the picture of look k; looks beyond the list use the last one given.
    void setSeparate(std::vector<platform::Image> separate) { separate_ = std::move(separate); }
    void release();

    bool empty() const;
    int frameCount() const { return frameCount_; }
    // Frame k of the strip, or the separate picture of look k; null when neither exists.
    void draw(platform::Painter& p, const platform::Rect& dst, int frame) const;
    // The source area of frame k within the strip.
    platform::Rect stripFrame(int frame) const;

private:
    int frameCount_;
    platform::Image strip_;
    std::vector<platform::Image> separate_;
};

}  // namespace orvane::ui
