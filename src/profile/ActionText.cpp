#include "profile/ActionText.h"

#include "profile/TextNumbers.h"

namespace orvane {

void AppendAllActions(Text& out, const MacroKey& key) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    const size_t start = out.size();
    out.resize(start + kAllActionLength);
    char16_t* d = out.data() + start;
    for (uint32_t v : key.Actions) {
        for (int b = 0; b < 4; ++b) {
            const uint8_t byte = uint8_t(v >> (8 * b));
            *d++ = kDigits[byte >> 4];
            *d++ = kDigits[byte & 0xF];
        }
    }
}

namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// A two-character field read the way every hex field is: its leading hex digits.
uint32_t HexByte(const char16_t* p) {
    const int hi = HexDigit(p[0]);
    if (hi < 0) return 0;
    const int lo = HexDigit(p[1]);
    return lo < 0 ? uint32_t(hi) : uint32_t(hi * 16 + lo);
}

}  // namespace

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
