#include "ui/StateImages.h"

#include <algorithm>

namespace orvane::ui {

using platform::Rect;

void StateImages::release() {
    strip_ = {};
    separate_.clear();
}

bool StateImages::empty() const {
    return strip_.isNull() && std::none_of(separate_.begin(), separate_.end(), [](const auto& i) { return !i.isNull(); });
}

Rect StateImages::stripFrame(int frame) const {
    const int32_t w = frameCount_ > 0 ? strip_.width() / frameCount_ : 0;
    return {frame * w, 0, (frame + 1) * w, strip_.height()};
}

void StateImages::draw(platform::Painter& p, const Rect& dst, int frame) const {
    if (frame < 0) frame = 0;
    if (!strip_.isNull()) {
        if (frame >= frameCount_) return;
        const Rect src = stripFrame(frame);
        if (!src.isEmpty()) p.drawImage(strip_, dst, src, platform::Interpolation::Smooth);
        return;
    }
    if (separate_.empty()) return;
    const auto& img = separate_[std::min<size_t>(size_t(frame), separate_.size() - 1)];
    if (!img.isNull()) p.drawImage(img, dst, platform::Interpolation::Smooth);
}

}  // namespace orvane::ui
