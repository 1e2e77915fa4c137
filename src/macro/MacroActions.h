#pragma once
// The four-byte macro actions as the editor builds and reads them. Byte 0 is the code: below 8
// a delay whose 24-bit length in ms is bytes 1 (high) to 3 (low); 0xE0-0xE7 our mouse codes;
// anything else a virtual-key code, with byte 1 0x00 for a press and 0x80 for a release.
#include <array>
#include <cstdint>

#include "profile/MacroCommands.h"

namespace orvane::macro {

inline constexpr uint8_t kDelayCode = 3;
inline constexpr uint8_t kLeftButton = 0xE0;  // + 0, 1, 2: left, right, middle
inline constexpr uint8_t kPressed = 0x00;
inline constexpr uint8_t kReleased = 0x80;
// The longest delay the editor may store.
inline constexpr uint32_t kMaxDelayMs = 15300000;
// The longest delay a recording stores between two keys.
inline constexpr uint32_t kMaxRecordedDelayMs = 4095;

using ActionBytes = std::array<uint8_t, 4>;

// The value MacroKey stores: byte 0 in the least significant position.
constexpr uint32_t actionValue(const ActionBytes& b) {
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}
constexpr ActionBytes delayAction(uint32_t ms) {
    return {kDelayCode, uint8_t(ms >> 16), uint8_t(ms >> 8), uint8_t(ms)};
}
constexpr ActionBytes keyAction(uint8_t code, bool release) { return {code, release ? kReleased : kPressed, 0, 0}; }

constexpr bool isDelay(const ActionBytes& b) { return IsDelayCode(b[0]); }
constexpr bool isMouseAction(const ActionBytes& b) { return b[0] >= 0xE0 && b[0] <= 0xE7; }
constexpr uint32_t delayOf(const ActionBytes& b) { return uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3]; }

}  // namespace orvane::macro
