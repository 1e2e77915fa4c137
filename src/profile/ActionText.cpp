#include "profile/ActionText.h"

#include <array>
#include <cstdint>

#include "profile/TextNumbers.h"

namespace orvane {
namespace {

constexpr char16_t kDigits[] = u"0123456789ABCDEF";

// The value of each hex digit below 128, -1 for every other character: one look-up for each
// of the 2688 characters a key holds.
constexpr std::array<int8_t, 128> kHexValues = [] {
    std::array<int8_t, 128> values{};
    values.fill(-1);
    for (int c = 0; c < 10; ++c) values[size_t('0' + c)] = int8_t(c);
    for (int c = 0; c < 6; ++c) {
        values[size_t('A' + c)] = int8_t(10 + c);
        values[size_t('a' + c)] = int8_t(10 + c);
    }
    return values;
}();

int HexDigit(char16_t c) {
    return c < kHexValues.size() ? kHexValues[c] : -1;
}

// A two-character field read the way every hex field is: its leading hex digits.
uint32_t HexByte(const char16_t* p) {
    const int hi = HexDigit(p[0]);
    if (hi < 0) return 0;
    const int lo = HexDigit(p[1]);
    return lo < 0 ? uint32_t(hi) : uint32_t(hi * 16 + lo);
}

void PutHex2(char16_t* d, uint32_t byte) {
    d[0] = kDigits[(byte >> 4) & 0xF];
    d[1] = kDigits[byte & 0xF];
}

}  // namespace

void AppendAllActions(Text& out, const MacroKey& key) {
    // Built aside and appended in one go: growing `out` first would fill it with zeros one
    // character at a time.
    std::array<char16_t, kAllActionLength> text;
    char16_t* d = text.data();
    for (uint32_t v : key.Actions) {
        PutHex2(d, v);
        PutHex2(d + 2, v >> 8);
        PutHex2(d + 4, v >> 16);
        PutHex2(d + 6, v >> 24);
        d += 8;
    }
    out.append(text.data(), text.size());
}

void ParseAllActions(std::u16string_view hex, MacroKey& key) {
    if (hex.size() < kAllActionLength) {
        for (uint32_t j = 0; j < MacroKey::kSlotCount; ++j) {
            const size_t at = size_t(j) * 8;
            key.Actions[j] = HexField(hex, at, 2) | HexField(hex, at + 2, 2) << 8 |
                             HexField(hex, at + 4, 2) << 16 | HexField(hex, at + 6, 2) << 24;
        }
        return;
    }
    const char16_t* p = hex.data();
    for (uint32_t j = 0; j < MacroKey::kSlotCount; ++j, p += 8) {
        key.Actions[j] = HexByte(p) | HexByte(p + 2) << 8 | HexByte(p + 4) << 16 | HexByte(p + 6) << 24;
    }
}

}  // namespace orvane
