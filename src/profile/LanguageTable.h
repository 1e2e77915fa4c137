#pragma once
// The interface texts by index, and the font the skinned controls create from.
#include <array>
#include <cstdint>

#include "base/Text.h"

namespace orvane {

struct FontChoice {
    Text face = u"宋体";
    int32_t height = 12;  // pixels
    uint8_t charset = 134;

    bool operator==(const FontChoice&) const = default;
};

class LanguageTable {
public:
    static constexpr int kSize = 500;

    // An empty text for an index outside the table, so a bad index shows nothing rather than crashing.
    [[nodiscard]] const Text& LanguageText(int index) const;
    // Ignored for an index outside the table.
    void SetText(int index, Text text);
    [[nodiscard]] static bool IsValidIndex(long long index) { return index >= 0 && index < kSize; }

private:
    std::array<Text, kSize> texts_;
};

}  // namespace orvane
