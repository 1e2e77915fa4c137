#pragma once
// Virtual-key code tables: display names for the shortcut dialog and macro lists, and HID
// keyboard usages for shortcuts and macro events. Codes 0xE0..0xE7 are our own codes for
// mouse actions recorded inside macros.
#include <array>
#include <cstdint>
#include <string_view>

#include "base/Text.h"

namespace orvane {

// "Undefined" for codes without a name.
const Text& keyName(uint8_t code);
// 0 for codes without a usage.
uint8_t keyUsage(uint8_t code);
// The same for every code at once (macro encoding looks up hundreds).
const std::array<uint8_t, 256>& keyUsages();
// Looks a name up in the key name table, case-insensitively ("ctrl" finds 0x11, "f5" 0x74);
// -1 when no code has that name.
int keyCodeByName(std::u16string_view name);

// The modifier keys (Shift, Ctrl, Alt, Win and their left and right forms): ticked as boxes of a
// shortcut, never taken as its key.
bool isModifierKey(uint8_t code);
// Whether a key can be the key of a shortcut: not a modifier, and a keyboard usage the mouse can
// send. F13-F24, the media keys, the mouse buttons and our macro-only codes (L Key ...) fail.
bool canBeShortcutKey(uint8_t code);

// Polling-rate labels by rate code 0..3; "1000Hz" for anything else, as the firmware treats
// unknown codes as 1 ms.
const Text& rateLabel(int rateCode);

}  // namespace orvane
