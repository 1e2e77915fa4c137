#include "platform/Image.h"

namespace orvane::platform {

Image::Image(int32_t width, int32_t height, std::vector<uint32_t> pixels) {
    if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height)) return;
    data_ = std::make_shared<const Data>(Data{width, height, std::move(pixels)});
}

Image Image::filled(int32_t width, int32_t height, Color color) {
    if (width <= 0 || height <= 0) return {};
    const uint32_t a = color.a;
    // Premultiply so a half-transparent fill stores what painters expect.
    const Color pm{uint8_t(color.r * a / 255), uint8_t(color.g * a / 255), uint8_t(color.b * a / 255), color.a};
    return Image(width, height, std::vector<uint32_t>(size_t(width) * size_t(height), pm.toArgb()));
}

}  // namespace orvane::platform
