#pragma once
// What the mouse is believed to hold, per command. The mouse never acknowledges a write, so a
// frame goes out only when the image built from the profile differs from these bytes.
#include <array>
#include <cstdint>

namespace orvane {

using ButtonImage = std::array<uint8_t, 20>;
using DpiImage = std::array<uint8_t, 26>;
using DpiColourImage = std::array<uint8_t, 18>;
using LightingImage = std::array<uint8_t, 25>;
using PowerImage = std::array<uint8_t, 2>;

struct SentImages {
    ButtonImage buttons{};
    DpiImage dpi{};
    DpiColourImage dpiColours{};
    uint8_t polling = 0;
    uint8_t liftOff = 0;
    uint8_t debounce = 0;
    LightingImage lighting{};
    PowerImage power{};

    void clear() { *this = SentImages{}; }
};

}  // namespace orvane
