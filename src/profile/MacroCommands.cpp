#include "profile/MacroCommands.h"

#include <algorithm>

namespace orvane {

uint32_t CountMacroCommands(const MacroKey& key) {
    const uint32_t n = key.UsableActionCount();
    return uint32_t(std::count_if(key.Actions.begin(), key.Actions.begin() + n,
                                  [](uint32_t a) { return !IsDelayCode(uint8_t(a)); }));
}

void RecountCommands(MacroKey& key) {
    key.CommandActionNum = uint8_t(std::min(CountMacroCommands(key), 255u));
}

std::string MacroLimitProblem(const MacroKey& key) {
    if (key.ActionCount > MacroKey::kSlotCount)
        return std::to_string(key.ActionCount) + " actions; a macro holds at most " +
               std::to_string(MacroKey::kSlotCount);
    const uint32_t commands = CountMacroCommands(key);
    if (commands > kMaxMacroCommands)
        return std::to_string(commands) + " commands; the mouse takes at most " +
               std::to_string(kMaxMacroCommands);
    return {};
}

}  // namespace orvane
