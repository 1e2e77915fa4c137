#include "macro/MacroText.h"

#include <limits>

#include "profile/NameRules.h"

namespace orvane::macro {

uint32_t leadingNumber(std::u16string_view text) {
    uint64_t v = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        v = v * 10 + uint64_t(c - u'0');
        if (v > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
    }
    return uint32_t(v);
}

bool isNonDigitCharacter(char16_t c) {
    // Control characters (Backspace, Ctrl+V, ...) are editing, not typing.
    if (c < 0x20 || c == 0x7F) return false;
    return c < u'0' || c > u'9';
}

int macroNameProblem(const MacroSet& set, const Text& name, const Text* ownName) {
    switch (CheckMacroName(name).problem) {
        case NameProblem::None: break;
        case NameProblem::Empty: return kTextNameEmpty;
        case NameProblem::TooLong: return kTextNameTooLong;
        // A line break would end the name's line in the library file and spoil the whole file.
        case NameProblem::LineBreak:
        case NameProblem::ControlCharacter:
        case NameProblem::BrokenText: return kTextNameUnusable;
    }
    if (set.ContainsKey(name) && !(ownName && *ownName == name)) return kTextNameTaken;
    return 0;
}

}  // namespace orvane::macro
