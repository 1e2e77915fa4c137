#include "profile/ButtonNames.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orvane {

namespace {

constexpr uint8_t kFireType = 0x30;
constexpr uint8_t kShortcutType = 0x70;
constexpr uint8_t kMacroType = 0x90;
// The fire key dialog names its function with this entry less a trailing "+"; any interval and
// count are the same function.
constexpr int kFireDialogEntry = 26;

// The assignment menu and its DPI, multimedia, office and window management submenus.
constexpr FixedFunctionName kFixed[] = {
    {{0x10, 0x01, 0x00}, 20}, {{0x10, 0x02, 0x00}, 21}, {{0x10, 0x04, 0x00}, 22}, {{0x10, 0x10, 0x00}, 23},
    {{0x10, 0x08, 0x00}, 24}, {{0x30, 0x32, 0x03}, 27}, {{0x00, 0x00, 0x00}, 34}, {{0x40, 0x02, 0x00}, 40},
    {{0x40, 0x03, 0x00}, 41}, {{0x40, 0x01, 0x00}, 42}, {{0x80, 0x83, 0x01}, 45}, {{0x80, 0xB6, 0x00}, 46},
    {{0x80, 0xB5, 0x00}, 47}, {{0x80, 0xB7, 0x00}, 48}, {{0x80, 0xCD, 0x00}, 49}, {{0x80, 0xE2, 0x00}, 50},
    {{0x80, 0xE9, 0x00}, 51}, {{0x80, 0xEA, 0x00}, 52}, {{0x80, 0x8A, 0x01}, 53}, {{0x80, 0x92, 0x01}, 54},
    {{0x70, 0x01, 0x06}, 60}, {{0x70, 0x01, 0x19}, 61}, {{0x70, 0x01, 0x1B}, 62}, {{0x70, 0x01, 0x04}, 63},
    {{0x70, 0x01, 0x11}, 64}, {{0x70, 0x01, 0x16}, 65}, {{0x70, 0x01, 0x13}, 66}, {{0x70, 0x08, 0x08}, 67},
    {{0x70, 0x01, 0x1D}, 68}, {{0x80, 0x94, 0x01}, 75}, {{0x70, 0x04, 0x3D}, 76}, {{0x70, 0x08, 0x07}, 77},
    {{0x70, 0x08, 0x15}, 78}, {{0x70, 0x08, 0x51}, 79}, {{0x70, 0x08, 0x52}, 80},
};

constexpr auto kStoredNameEntries = [] {
    std::array<int, std::size(kFixed) + 2> entries{};
    size_t n = 0;
    for (const FixedFunctionName& f : kFixed) entries[n++] = f.entry;
    entries[n++] = kFireDialogEntry;
    entries[n++] = kMacroPrefixEntry;
    return entries;
}();

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

std::span<const FixedFunctionName> FixedFunctionNames() { return kFixed; }

std::span<const int> StoredNameEntries() { return kStoredNameEntries; }

Text ShownButtonName(const KeyAssignment& key, const LanguageTable& language) {
    const Text& stored = key.KeyName;
    if (key.KeyValue[0] == kMacroType) return shownMacroName(stored, language);
    std::vector<int> candidates;
    for (const FixedFunctionName& f : kFixed)
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
