#include "ui/Resources.h"

#include <string>

namespace orvane::ui {

platform::Image LoadResourceImage(platform::ImageCache& images, int resourceId) {
    const std::string base = "skins/res/" + std::to_string(resourceId);
    platform::Image img = images.load(base + ".png");
    return img ? img : images.load(base + ".bmp");
}

}  // namespace orvane::ui
