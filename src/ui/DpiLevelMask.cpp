#include "ui/DpiLevelMask.h"

namespace orvane::ui {

namespace {
uint8_t g_mask = 0;

bool isLevelButton(uint32_t id) {
    return id >= DpiLevelMask::kFirstLevelButton &&
           id < DpiLevelMask::kFirstLevelButton + DpiLevelMask::kLevelButtonCount;
}
}  // namespace

uint8_t DpiLevelMask::get() { return g_mask; }

void DpiLevelMask::set(uint8_t mask) { g_mask = mask; }

bool DpiLevelMask::isLit(uint32_t levelButtonId) {
    return isLevelButton(levelButtonId) && (g_mask >> (levelButtonId - kFirstLevelButton)) & 1u;
}

void DpiLevelMask::lightUpTo(uint32_t levelButtonId) {
    if (!isLevelButton(levelButtonId)) return;
    g_mask = static_cast<uint8_t>((1u << (levelButtonId - kFirstLevelButton + 1)) - 1);
}

}  // namespace orvane::ui
