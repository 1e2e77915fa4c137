#pragma once
// Pictures the application carries (icons, strips, the main background) are kept as files of
// the skin named after their number: skins/res/<number>.png, and skins/res/<number>@2x.png where
// the skin has a drawing for display scale 2.
#include <string>

#include "platform/ImageCache.h"

namespace orvane::ui {

inline constexpr int kResourceAppIcon = 128;

// At a display scale above 1 the @2x drawing when there is one, else the picture itself.
platform::Image LoadResourceImage(platform::ImageCache& images, int resourceId, float scale = 1.0f);
// The skin path LoadResourceImage reads a picture from: the @2x drawing when its file is there.
std::string ResourceImagePath(const platform::ImageCache& images, int resourceId, float scale = 1.0f);

}  // namespace orvane::ui
