#include "ui/MacroActionText.h"

#include <string>

#include "profile/MacroCommands.h"

namespace orvane::ui {

namespace {

Text withNumber(const char* label, unsigned value) {
    return fromUtf8(std::string(label) + " " + std::to_string(value));
}

}  // namespace

MacroActionRow describeMacroAction(const std::array<uint8_t, 4>& bytes, const KeyNameLookup& keyName) {
    const uint8_t code = bytes[0];
    if (IsDelayCode(code)) {
        const uint32_t stored = (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
        // The mouse waits at most its limit, whatever was typed: the row shows the wait it plays.
        return {MacroActionRow::Icon::Delay, fromUtf8(std::to_string(PlayedDelayMs(stored)) + "ms")};
    }
    MacroActionRow row;
    row.icon = (bytes[1] & 0x80) ? MacroActionRow::Icon::Release : MacroActionRow::Icon::Press;
    const uint8_t amount = bytes[3];
    const bool forward = amount < 0x80;
    const unsigned magnitude = forward ? amount : 256u - amount;
    switch (code) {
    case 0xE5: row.text = withNumber(forward ? "Move Right" : "Move Left", magnitude); break;
    case 0xE6: row.text = withNumber(forward ? "Move Down" : "Move Up", magnitude); break;
    case 0xE7: row.text = withNumber(forward ? "Wheel Down" : "Wheel Up", magnitude); break;
    default: row.text = keyName ? keyName(code) : Text{}; break;
    }
    return row;
}

}  // namespace orvane::ui
