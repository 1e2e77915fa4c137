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

void ParseAllActions(std::u16string_view hex, MacroKey& key) {
    for (uint32_t j = 0; j < MacroKey::kSlotCount; ++j) {
        const size_t at = size_t(j) * 8;
        key.Actions[j] = HexField(hex, at, 2) | HexField(hex, at + 2, 2) << 8 | HexField(hex, at + 4, 2) << 16 |
                         HexField(hex, at + 6, 2) << 24;
    }
}

}  // namespace orvane
