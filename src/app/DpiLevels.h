#pragma once
// The DPI section's arithmetic: the active level is counted among the enabled levels, so
// switching a level on or off below it must move the count to keep the same level active.
#include <cstdint>
#include <optional>

namespace orvane {

// Bit number of the (b + 1)-th set bit of mask, counted from bit 0; 0 for b above 3 or when
// the mask has fewer set bits.
int dpiLevelPosition(int b, uint32_t mask);

// The new active-level count after the check of level k was toggled. maskBefore is the enable
// mask before the click, nowOn the check's new state. None when the click must be refused: it
// tried to switch off the only enabled level.
std::optional<int> dpiLevelAfterToggle(int b, uint32_t maskBefore, int k, bool nowOn);

}  // namespace orvane
