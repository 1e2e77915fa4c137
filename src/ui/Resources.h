#pragma once
// Pictures the application carries (icons, strips, the main background) are kept as files of
// the skin named after their number: skins/res/<number>.png, or .bmp.
#include "platform/ImageCache.h"

namespace orvane::ui {

inline constexpr int kResourceAppIcon = 128;

platform::Image LoadResourceImage(platform::ImageCache& images, int resourceId);

}  // namespace orvane::ui
