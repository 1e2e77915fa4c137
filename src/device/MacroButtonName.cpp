#include "device/MacroButtonName.h"

namespace orvane {

namespace {

int findByName(const MacroSet& set, std::u16string_view name) {
    for (uint32_t j = 0; j < set.KeyCount(); ++j)
        if (set.FindKey(j)->GetName() == name) return int(j);
    return -1;
}

bool endsWith(std::u16string_view text, std::u16string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

int findButtonMacro(const Text& keyName, const MacroSet& set, const LanguageTable& language) {
    const std::u16string_view name(keyName);
    const Text& current = language.LanguageText(kMacroPrefixEntry);
    if (name.starts_with(current)) {
        if (const int j = findByName(set, name.substr(current.size())); j >= 0) return j;
    }
    // A prefix we know decides where the macro's name begins: a name it leaves over that is not
    // in the set means the macro is gone, not that a shorter name ending the same way is meant.
    bool prefixKnown = !current.empty() && name.starts_with(current);
    for (const Text& other : language.OtherWordings(kMacroPrefixEntry)) {
        if (!name.starts_with(other)) continue;
        prefixKnown = true;
        if (const int j = findByName(set, name.substr(other.size())); j >= 0) return j;
    }
    if (prefixKnown) return -1;
    // Written in a language none of our files speaks: the longest macro name that ends it.
    int best = -1;
    for (uint32_t j = 0; j < set.KeyCount(); ++j) {
        const Text& macro = set.FindKey(j)->GetName();
        if (macro.empty() || macro.size() >= name.size() || !endsWith(name, macro)) continue;
        if (best < 0 || macro.size() > set.FindKey(uint32_t(best))->GetName().size()) best = int(j);
    }
    return best;
}

}  // namespace orvane
