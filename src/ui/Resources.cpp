#include "ui/Resources.h"

#include <filesystem>
#include <string>

namespace orvane::ui {

platform::Image LoadResourceImage(platform::ImageCache& images, int resourceId, float scale) {
    const std::string base = "skins/res/" + std::to_string(resourceId);
    if (scale > 1.0f)
        if (platform::Image sharp = images.loadOptional(base + "@2x.png")) return sharp;
    return images.load(base + ".png");
}

std::string ResourceImagePath(const platform::ImageCache& images, int resourceId, float scale) {
    const std::string base = "skins/res/" + std::to_string(resourceId);
    std::error_code ec;
    if (scale > 1.0f && std::filesystem::is_regular_file(images.resolve(base + "@2x.png"), ec)) return base + "@2x.png";
    return base + ".png";
}

}  // namespace orvane::ui
