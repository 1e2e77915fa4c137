#include "ui/Resources.h"

#include <string>

namespace orvane::ui {

platform::Image LoadResourceImage(platform::ImageCache& images, int resourceId, float scale) {
    const std::string base = "skins/res/" + std::to_string(resourceId);
    if (scale > 1.0f)
        if (platform::Image sharp = images.loadOptional(base + "@2x.png")) return sharp;
    return images.load(base + ".png");
}

}  // namespace orvane::ui
