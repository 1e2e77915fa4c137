#include "cli/ButtonFunction.h"

#include <cstdlib>

#include "device/ButtonEncoder.h"
#include "device/KeyTables.h"
#include "device/MacroUploader.h"
#include "profile/ButtonFunctions.h"
#include "profile/ProfileLimits.h"

namespace orvane::cli {

namespace {

Error usage(const std::string& what) { return makeError(0, what); }

bool parseByte(const std::string& s, int& out) {
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end != '\0' || v < 0 || v > 255) return false;
    out = int(v);
    return true;
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

}  // namespace

Result<KeyCombination> parseKeyCombination(const std::string& text) {
    KeyCombination k;
    std::string rest = text;
    for (;;) {
        const size_t plus = rest.find('+');
        // A lone "+" at the end is not a separator ("Ctrl+=" has none; "Ctrl++" is not a key name).
        if (plus == std::string::npos || plus + 1 == rest.size()) break;
        const std::string mod = lower(rest.substr(0, plus));
        if (mod == "ctrl") k.modifiers |= keyvalue::kModCtrl;
        else if (mod == "shift") k.modifiers |= keyvalue::kModShift;
        else if (mod == "alt") k.modifiers |= keyvalue::kModAlt;
        else if (mod == "win") k.modifiers |= keyvalue::kModWin;
        else return usage("unknown modifier \"" + rest.substr(0, plus) + "\" in " + text);
        rest = rest.substr(plus + 1);
    }
    const int code = keyCodeByName(fromUtf8(rest));
    if (code < 0) return usage("unknown key name \"" + rest + "\" in " + text);
    k.virtualKey = uint8_t(code);
    return k;
}

Result<ButtonFunction> parseButtonFunction(const std::vector<std::string>& words, const LanguageTable& language,
                                           const MacroLibrary& library) {
    if (words.empty()) return usage("set button N needs a function");
    const std::string what = lower(words[0]);
    const size_t extra = words.size() - 1;
    ButtonFunction f;
    for (const FixedFunction& fixed : FixedFunctions()) {
        if (!fixed.word || what != fixed.word) continue;
        if (extra) return usage(what + " takes no further words");
        f.name = language.LanguageText(fixed.entry);
        f.value = fixed.value;
        return f;
    }
    if (what == "fire") {
        if (extra == 0) {
            f.name = language.LanguageText(kFixedFireEntry);
            f.value = *FixedFunctionValue(kFixedFireEntry);
            return f;
        }
        int a = 0, b = 0;
        if (extra != 2 || !parseByte(words[1], a) || !parseByte(words[2], b))
            return usage("fire takes two numbers 0-255: fire A B");
        if (a < limits::kMinFireFirstValue)
            return usage("the first fire value must be at least " + std::to_string(limits::kMinFireFirstValue));
        f.name = language.LanguageText(kFireDialogEntry);
        f.value = {keyvalue::kFire, uint8_t(a), uint8_t(b)};
        return f;
    }
    if (what == "key") {
        if (extra != 1) return usage("key takes one combination, such as key \"Ctrl+C\"");
        auto combo = parseKeyCombination(words[1]);
        if (!combo) return combo.error();
        if (isModifierKey(combo->virtualKey)) return usage("a modifier key alone cannot be the key of a shortcut");
        auto shortcut = encodeShortcut(combo->modifiers, combo->virtualKey);
        if (!shortcut)
            return usage(toUtf8(keyName(combo->virtualKey)) +
                         " cannot be the key of a shortcut: the mouse has no keyboard key for it");
        f.name = shortcut->name;
        f.value = shortcut->value;
        return f;
    }
    if (what == "macro") {
        if (extra != 1) return usage("macro takes the name of a macro");
        const Text name = fromUtf8(words[1]);
        const MacroSet* set = library.FindSet(0);
        for (uint32_t j = 0; set && j < set->KeyCount(); ++j) {
            const MacroKey* key = set->FindKey(j);
            if (key->GetName() != name) continue;
            f.name = language.LanguageText(kMacroPrefixEntry) + name;
            f.value = {keyvalue::kMacro, 0, uint8_t(j)};
            f.macro = key;
            return f;
        }
        return usage("no macro named \"" + words[1] + "\" in the first macro set of the library");
    }
    return usage("unknown button function \"" + words[0] + "\"");
}

std::vector<std::string> buttonFunctionWords() {
    std::vector<std::string> words;
    for (const FixedFunction& f : FixedFunctions())
        if (f.word) words.emplace_back(f.word);
    for (const char* more : {"fire", "key", "macro"}) words.emplace_back(more);
    return words;
}

}  // namespace orvane::cli
