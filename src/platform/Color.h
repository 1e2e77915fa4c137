#pragma once
// Colours arrive as 0x00BBGGRR values (red in the low byte); this is the one place that
// turns them into channels, so 0xDEA035 is a blue and 0x00FFFF a yellow everywhere.
#include <cstdint>

namespace orvane::platform {

struct Color {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 255;

    static constexpr Color fromBgr(uint32_t bgr) {
        return {static_cast<uint8_t>(bgr & 0xFF), static_cast<uint8_t>((bgr >> 8) & 0xFF),
                static_cast<uint8_t>((bgr >> 16) & 0xFF), 255};
    }
    constexpr uint32_t toBgr() const { return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16); }
    // 0xAARRGGBB, the layout of Image pixels.
    constexpr uint32_t toArgb() const { return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
    static constexpr Color fromArgb(uint32_t argb) {
        return {static_cast<uint8_t>((argb >> 16) & 0xFF), static_cast<uint8_t>((argb >> 8) & 0xFF),
                static_cast<uint8_t>(argb & 0xFF), static_cast<uint8_t>(argb >> 24)};
    }
    friend bool operator==(const Color&, const Color&) = default;
};

// Shorthand for the literal colours of the skin: bgr(0xDEA035).
constexpr Color bgr(uint32_t value) { return Color::fromBgr(value); }

}  // namespace orvane::platform
