#include "platform/ImageOps.h"

#include <algorithm>

namespace orvane::platform {

Image composeOver(const Image& img, Color background) {
    if (img.isNull()) return {};
    std::vector<uint32_t> out(size_t(img.width()) * size_t(img.height()));
    const uint32_t* in = img.bits();
    for (size_t i = 0; i < out.size(); ++i) {
        const uint32_t p = in[i];
        const uint32_t a = p >> 24;
        const uint32_t inv = 255 - a;
        // Pixels are premultiplied, so the colour part is already scaled by alpha.
        const uint32_t r = ((p >> 16) & 0xFF) + background.r * inv / 255;
        const uint32_t g = ((p >> 8) & 0xFF) + background.g * inv / 255;
        const uint32_t b = (p & 0xFF) + background.b * inv / 255;
        out[i] = 0xFF000000u | (std::min(r, 255u) << 16) | (std::min(g, 255u) << 8) | std::min(b, 255u);
    }
    return Image(img.width(), img.height(), std::move(out));
}

Color averageColor(const Image& img) {
    if (img.isNull()) return {};
    uint64_t r = 0, g = 0, b = 0;
    const size_t n = size_t(img.width()) * size_t(img.height());
    const uint32_t* px = img.bits();
    for (size_t i = 0; i < n; ++i) {
        r += (px[i] >> 16) & 0xFF;
        g += (px[i] >> 8) & 0xFF;
        b += px[i] & 0xFF;
    }
    return Color{uint8_t(r / n), uint8_t(g / n), uint8_t(b / n), 255};
}

Image stretchNearest(const Image& img, const Rect& src, Size canvasSize, const Rect& dst) {
    if (canvasSize.width <= 0 || canvasSize.height <= 0) return {};
    std::vector<uint32_t> out(size_t(canvasSize.width) * size_t(canvasSize.height), 0xFF000000u);
    const Rect s = src.intersected(img.rect());
    const Rect d = dst.intersected(Rect{0, 0, canvasSize.width, canvasSize.height});
    if (!img.isNull() && !s.isEmpty() && !dst.isEmpty() && !d.isEmpty()) {
        for (int32_t y = d.top; y < d.bottom; ++y) {
            const int32_t sy = s.top + int32_t(int64_t(y - dst.top) * s.height() / dst.height());
            for (int32_t x = d.left; x < d.right; ++x) {
                const int32_t sx = s.left + int32_t(int64_t(x - dst.left) * s.width() / dst.width());
                out[size_t(y) * size_t(canvasSize.width) + size_t(x)] = img.pixel(sx, sy);
            }
        }
    }
    return Image(canvasSize.width, canvasSize.height, std::move(out));
}

}  // namespace orvane::platform
