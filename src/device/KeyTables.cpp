#include "device/KeyTables.h"

#include <string>

#include "profile/ProfileLimits.h"


namespace orvane {

namespace {

struct NamedKey {
    uint8_t code;
    const char* name;
};

constexpr NamedKey kNamedKeys[] = {
    {0x01, "LBUTTON"}, {0x02, "RBUTTON"}, {0x03, "CANCEL"}, {0x04, "MBUTTON"},
    {0x05, "XBUTTON1"}, {0x06, "XBUTTON2"}, {0x08, "Backspace"}, {0x09, "Tab"},
    {0x0C, "Clear"}, {0x0D, "Enter"}, {0x10, "Shift"}, {0x11, "Ctrl"}, {0x12, "Alt"},
    {0x13, "Pause"}, {0x14, "CapsLock"}, {0x15, "Kana"}, {0x17, "junja"}, {0x18, "Final"},
    {0x19, "Hanja"}, {0x1B, "Esc"}, {0x1C, "Convert"}, {0x1D, "Nonconvert"}, {0x1E, "Accept"},
    {0x1F, "ModeChange"}, {0x20, "Space"}, {0x21, "Page Up"}, {0x22, "Page Down"},
    {0x23, "End"}, {0x24, "Home"}, {0x25, "Left Arrow"}, {0x26, "Up Arrow"},
    {0x27, "Right Arrow"}, {0x28, "Down Arrow"}, {0x29, "Select"}, {0x2A, "Print"},
    {0x2B, "Execute"}, {0x2C, "Print Screen"}, {0x2D, "Ins"}, {0x2E, "Del"}, {0x2F, "Help"},
    {0x5B, "Win_L"}, {0x5C, "Win_R"}, {0x5D, "App"}, {0x5F, "Sleep"}, {0x6A, "Multiply"},
    {0x6B, "Add"}, {0x6C, "Separator"}, {0x6D, "Subtract"}, {0x6E, "Decimal"},
    {0x6F, "Divide"}, {0x90, "Num Lock"}, {0x91, "Scroll Lock"}, {0xA0, "Shift_L"},
    {0xA1, "Shift_R"}, {0xA2, "Ctrl_L"}, {0xA3, "Ctrl_R"}, {0xA4, "Alt_L"}, {0xA5, "Alt_R"},
    {0xBA, ";"}, {0xBB, "="}, {0xBC, ","}, {0xBD, "-"}, {0xBE, "."}, {0xBF, "/"}, {0xC0, "~"},
    {0xDB, "["}, {0xDC, "\\"}, {0xDD, "]"}, {0xDE, "'"}, {0xE0, "L Key"}, {0xE1, "R Key"},
    {0xE2, "M Key"}, {0xE3, "K4"}, {0xE4, "K5"}, {0xE5, "Mouse X"}, {0xE6, "Mouse Y"},
    {0xE7, "Mouse Wheel"},
};

constexpr std::pair<uint8_t, uint8_t> kExtraUsages[] = {
    {0x08, 0x2A}, {0x09, 0x2B}, {0x0D, 0x28}, {0x0E, 0x58}, {0x13, 0x48}, {0x14, 0x39},
    {0x1B, 0x29}, {0x20, 0x2C}, {0x21, 0x4B}, {0x22, 0x4E}, {0x23, 0x4D}, {0x24, 0x4A},
    {0x25, 0x50}, {0x26, 0x52}, {0x27, 0x4F}, {0x28, 0x51}, {0x2C, 0x46}, {0x2D, 0x49},
    {0x2E, 0x4C}, {0x3B, 0x29}, {0x5B, 0xE3}, {0x5C, 0xE7}, {0x5D, 0x65}, {0x5F, 0x82},
    {0x6A, 0x55}, {0x6B, 0x57}, {0x6D, 0x56}, {0x6E, 0x63}, {0x6F, 0x54}, {0x90, 0x53},
    {0x91, 0x47}, {0xA0, 0xE1}, {0xA1, 0xE5}, {0xA2, 0xE0}, {0xA3, 0xE4}, {0xA4, 0xE2},
    {0xA5, 0xE6}, {0xBA, 0x33}, {0xBB, 0x2E}, {0xBC, 0x36}, {0xBD, 0x2D}, {0xBE, 0x37},
    {0xBF, 0x38}, {0xC0, 0x35}, {0xDB, 0x2F}, {0xDC, 0x31}, {0xDD, 0x30}, {0xDE, 0x34},
    {0xE0, 0xF0}, {0xE1, 0xF1}, {0xE2, 0xF2}, {0xE3, 0xF3}, {0xE4, 0xF4}, {0xE5, 0xF5},
    {0xE6, 0xF6}, {0xE7, 0xF7}, {0xF0, 0x81}, {0xF1, 0x83}, {0xF2, 0x32}, {0xF3, 0x64},
    {0xF4, 0x85}, {0xF5, 0x87}, {0xF6, 0x88}, {0xF7, 0x89}, {0xF8, 0x8A}, {0xF9, 0x8B},
    {0xFA, 0x90}, {0xFB, 0x91},
};

Text ascii(std::string_view s) { return Text(s.begin(), s.end()); }

std::array<Text, 256> buildNames() {
    std::array<Text, 256> names;
    names.fill(u"Undefined");
    for (const auto& k : kNamedKeys) names[k.code] = ascii(k.name);
    for (int d = 0; d <= 9; ++d) names[0x30 + d] = Text(1, static_cast<char16_t>(u'0' + d));
    for (int l = 0; l < 26; ++l) names[0x41 + l] = Text(1, static_cast<char16_t>(u'A' + l));
    for (int d = 0; d <= 9; ++d) names[0x60 + d] = u"Num" + Text(1, static_cast<char16_t>(u'0' + d));
    for (int f = 1; f <= 24; ++f) names[0x6F + f] = u"F" + ascii(std::to_string(f));
    return names;
}

constexpr std::array<uint8_t, 256> buildUsages() {
    std::array<uint8_t, 256> u{};
    for (int i = 0; i < 26; ++i) u[0x41 + i] = static_cast<uint8_t>(0x04 + i);
    for (int i = 0; i < 9; ++i) u[0x31 + i] = static_cast<uint8_t>(0x1E + i);
    u[0x30] = 0x27;
    for (int i = 0; i < 12; ++i) u[0x70 + i] = static_cast<uint8_t>(0x3A + i);
    for (int i = 0; i < 9; ++i) u[0x61 + i] = static_cast<uint8_t>(0x59 + i);
    u[0x60] = 0x62;
    for (const auto& [code, usage] : kExtraUsages) u[code] = usage;
    return u;
}

const std::array<Text, 256>& names() {
    static const std::array<Text, 256> table = buildNames();
    return table;
}

char16_t fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool sameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

}  // namespace

const Text& keyName(uint8_t code) { return names()[code]; }

uint8_t keyUsage(uint8_t code) { return keyUsages()[code]; }

const std::array<uint8_t, 256>& keyUsages() {
    static constexpr std::array<uint8_t, 256> kUsages = buildUsages();
    return kUsages;
}

int keyCodeByName(std::u16string_view name) {
    for (int code = 0; code < 256; ++code) {
        const Text& n = names()[code];
        if (n != u"Undefined" && sameIgnoringCase(n, name)) return code;
    }
    return -1;
}

bool isModifierKey(uint8_t code) {
    return (code >= 0x10 && code <= 0x12) || code == 0x5B || code == 0x5C || (code >= 0xA0 && code <= 0xA5);
}

bool canBeShortcutKey(uint8_t code) { return !isModifierKey(code) && IsKeyboardKeyUsage(keyUsage(code)); }

const Text& rateLabel(int rateCode) {
    static const Text kLabels[] = {u"125Hz", u"250Hz", u"500Hz", u"1000Hz"};
    return kLabels[(rateCode >= 0 && rateCode <= 3) ? rateCode : 3];
}

}  // namespace orvane
