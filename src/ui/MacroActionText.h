#pragma once
// How the action list shows one four-byte macro action: an icon and a line of text.
#include <array>
#include <cstdint>
#include <functional>

#include "base/Text.h"

namespace orvane::ui {

// Display name of a virtual-key code (the key name table).
using KeyNameLookup = std::function<Text(uint8_t code)>;

struct MacroActionRow {
    enum class Icon { Delay, Press, Release };
    Icon icon = Icon::Delay;
    Text text;
};

// bytes[0] is the code: below 8 a delay whose 24-bit length is bytes 1 (high) to 3 (low), shown
// as the wait the mouse plays (at most its limit);
// otherwise a key or mouse action, released when bit 7 of bytes[1] is set. The movement and
// wheel codes 0xE5 to 0xE7 carry a signed amount in bytes[3].
MacroActionRow describeMacroAction(const std::array<uint8_t, 4>& bytes, const KeyNameLookup& keyName);

}  // namespace orvane::ui
