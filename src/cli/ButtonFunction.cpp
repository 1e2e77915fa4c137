#include "cli/ButtonFunction.h"

#include <cstdlib>

#include "device/ButtonEncoder.h"
#include "device/KeyTables.h"
#include "device/MacroUploader.h"
#include "profile/ProfileLimits.h"

namespace orvane::cli {

namespace {

struct Fixed {
    const char* word;
    std::array<uint8_t, 3> value;
    int languageEntry;
};

// The assignment menu and its submenus, with the language entries their items show.
constexpr Fixed kFixed[] = {
    {"left", keyvalue::kLeft, 20},        {"right", keyvalue::kRight, 21},
    {"middle", keyvalue::kMiddle, 22},    {"forward", keyvalue::kForward, 23},
    {"back", keyvalue::kBack, 24},        {"disable", keyvalue::kNone, 34},
    {"dpi-up", keyvalue::kDpiUp, 40},     {"dpi-down", keyvalue::kDpiDown, 41},
    {"dpi-cycle", keyvalue::kDpiCycle, 42},
    {"media-player", {0x80, 0x83, 0x01}, 45}, {"prev", {0x80, 0xB6, 0x00}, 46},
    {"next", {0x80, 0xB5, 0x00}, 47},     {"stop", {0x80, 0xB7, 0x00}, 48},
    {"play-pause", {0x80, 0xCD, 0x00}, 49}, {"mute", {0x80, 0xE2, 0x00}, 50},
    {"volume-up", {0x80, 0xE9, 0x00}, 51}, {"volume-down", {0x80, 0xEA, 0x00}, 52},
    {"email", {0x80, 0x8A, 0x01}, 53},    {"calculator", {0x80, 0x92, 0x01}, 54},
    {"my-computer", {0x80, 0x94, 0x01}, 75}, {"alt-f4", {0x70, 0x04, 0x3D}, 76},
    {"show-desktop", {0x70, 0x08, 0x07}, 77}, {"run", {0x70, 0x08, 0x15}, 78},
    {"minimise", {0x70, 0x08, 0x51}, 79}, {"maximise", {0x70, 0x08, 0x52}, 80},
};
constexpr int kFixedFireEntry = 27;
constexpr int kFireDialogEntry = 26;

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
    for (const Fixed& fixed : kFixed) {
        if (what != fixed.word) continue;
        if (extra) return usage(what + " takes no further words");
        f.name = language.LanguageText(fixed.languageEntry);
        f.value = fixed.value;
        return f;
    }
    if (what == "fire") {
        if (extra == 0) {
            f.name = language.LanguageText(kFixedFireEntry);
            f.value = keyvalue::kFixedFire;
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
    for (const Fixed& f : kFixed) words.emplace_back(f.word);
    for (const char* more : {"fire", "key", "macro"}) words.emplace_back(more);
    return words;
}

}  // namespace orvane::cli
