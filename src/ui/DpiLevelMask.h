#pragma once
// Which DPI level buttons are lit: bit i lights level button 3290 + i. One per process; the
// DPI section sets it and the level buttons change it when clicked.
#include <cstdint>

namespace orvane::ui {

class DpiLevelMask {
public:
    static constexpr uint32_t kFirstLevelButton = 3290;
    static constexpr uint32_t kLevelButtonCount = 4;

    static uint8_t get();
    static void set(uint8_t mask);
    static bool isLit(uint32_t levelButtonId);
    // Lights levels 0 up to the button's own; Ids outside the level buttons change nothing.
    static void lightUpTo(uint32_t levelButtonId);
};

}  // namespace orvane::ui
