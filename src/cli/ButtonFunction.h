#pragma once
// "set button N FUNCTION": the function words of the command line turned into what the
// assignment menus and dialogs would store: a display name and a KeyValue, plus the macro.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Result.h"
#include "base/Text.h"
#include "profile/LanguageTable.h"
#include "profile/MacroLibrary.h"

namespace orvane::cli {

struct ButtonFunction {
    Text name;
    std::array<uint8_t, 3> value{};
    const MacroKey* macro = nullptr;  // for "macro NAME": the library's key
};

// Fails with a usage message naming what was not understood.
Result<ButtonFunction> parseButtonFunction(const std::vector<std::string>& words, const LanguageTable& language,
                                           const MacroLibrary& library);

// The first words of every function; "fire" may be followed by two numbers, "key" takes a
// combination and "macro" a name.
std::vector<std::string> buttonFunctionWords();

// "Ctrl+Shift+C" to modifier bits and a virtual-key code.
struct KeyCombination {
    uint8_t modifiers = 0;
    uint8_t virtualKey = 0;
};
Result<KeyCombination> parseKeyCombination(const std::string& text);

}  // namespace orvane::cli
