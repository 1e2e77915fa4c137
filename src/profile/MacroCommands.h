#pragma once
// How the mouse reads a macro's actions, in one place for the editor, the list, the library
// reader and the upload: which actions are delays, how many commands (events) the actions make,
// and whether a macro fits in the mouse at all.
#include <cstdint>
#include <string>

#include "profile/MacroKey.h"

namespace orvane {

// Every code below 8 is a delay; the editor and the recorder write 3.
constexpr bool IsDelayCode(uint8_t code) { return code < 8; }

// The longest wait the mouse plays after an event; a longer stored delay still waits this long.
inline constexpr uint32_t kMouseDelayLimitMs = 4095;

// The most commands a macro may hand the mouse.
inline constexpr uint32_t kMaxMacroCommands = 168;

// The 24-bit delay of a delay action (bytes 1 high to 3 low) and what the mouse waits for it.
constexpr uint32_t StoredDelayMs(uint32_t action) {
    return ((action >> 8) & 0xFF) << 16 | ((action >> 16) & 0xFF) << 8 | (action >> 24);
}
constexpr uint32_t PlayedDelayMs(uint32_t storedMs) {
    return storedMs < kMouseDelayLimitMs ? storedMs : kMouseDelayLimitMs;
}

// The commands the mouse runs for these actions: one event per action that is not a delay.
// Delays travel inside the event before them and cost nothing.
uint32_t CountMacroCommands(const MacroKey& key);

// Sets the key's command count from its actions (at most 255, what the byte holds).
void RecountCommands(MacroKey& key);

// Why the macro cannot be put on the mouse, or empty when it fits: more actions than a macro
// holds, or more commands than the mouse takes.
std::string MacroLimitProblem(const MacroKey& key);

}  // namespace orvane
