#include "profile/ButtonNames.h"

#include <algorithm>
#include <array>
#include <vector>

#include "profile/ButtonFunctions.h"

namespace orvane {

namespace {

constexpr uint8_t kFireType = 0x30;
constexpr uint8_t kShortcutType = 0x70;
constexpr uint8_t kMacroType = 0x90;
// The fire key dialog's entry names its function less a trailing "+"; any interval and count
// are the same function.

Text withoutTrailingPlus(Text text) {
    if (!text.empty() && text.back() == u'+') text.pop_back();
    return text;
}

// The name `entry` gives a function in `language` (the fire dialog's without its "+").
Text wording(int entry, const Text& text) { return entry == kFireDialogEntry ? withoutTrailingPlus(text) : text; }

// True when some language file words `entry` as `stored` (the fire dialog's also with its "+").
bool isWordingOf(const Text& stored, int entry, const LanguageTable& language) {
    auto matches = [&](const Text& text) {
        return !text.empty() && (stored == text || stored == wording(entry, text));
    };
    if (matches(language.LanguageText(entry))) return true;
    return std::ranges::any_of(language.OtherWordings(entry), matches);
}

Text shownMacroName(const Text& stored, const LanguageTable& language) {
    const Text& prefix = language.LanguageText(kMacroPrefixEntry);
    if (prefix.empty()) return stored;
    std::vector<Text> prefixes{prefix};
    for (const Text& other : language.OtherWordings(kMacroPrefixEntry)) prefixes.push_back(other);
    // "Macro: " before "Macro:", so the macro's own name never loses a character.
    std::ranges::sort(prefixes, [](const Text& a, const Text& b) { return a.size() > b.size(); });
    for (const Text& p : prefixes)
        if (!p.empty() && stored.starts_with(p)) return prefix + stored.substr(p.size());
    return stored;
}

}  // namespace

std::span<const int> StoredNameEntries() {
    static const std::vector<int> entries = [] {
        std::vector<int> all;
        for (const FixedFunction& f : FixedFunctions()) all.push_back(f.entry);
        all.push_back(kFireDialogEntry);
        all.push_back(kMacroPrefixEntry);
        return all;
    }();
    return entries;
}

Text ShownButtonName(const KeyAssignment& key, const LanguageTable& language) {
    const Text& stored = key.KeyName;
    if (key.KeyValue[0] == kMacroType) return shownMacroName(stored, language);
    std::vector<int> candidates;
    for (const FixedFunction& f : FixedFunctions())
        if (f.value == key.KeyValue) candidates.push_back(f.entry);
    if (key.KeyValue[0] == kFireType) candidates.push_back(kFireDialogEntry);
    for (int entry : candidates)
        if (isWordingOf(stored, entry, language)) return wording(entry, language.LanguageText(entry));
    // A typed shortcut can have the bytes of an office or window key and keeps its own name; so
    // does a name that could be either of two functions (the triple click or a fire key).
    if (candidates.size() == 1 && key.KeyValue[0] != kShortcutType) {
        Text shown = wording(candidates.front(), language.LanguageText(candidates.front()));
        if (!shown.empty()) return shown;
    }
    return stored;
}

}  // namespace orvane
