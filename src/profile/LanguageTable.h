#pragma once
// The interface texts by index, and the font the skinned controls create from.
#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "base/Text.h"

namespace orvane {

// The text a macro button's name starts with, before the macro's name ("Macro: ").
inline constexpr int kMacroPrefixEntry = 190;

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

    // How the other language files beside the loaded one word an entry (only the entries that
    // loading collects), so a text stored while another language was in use is still recognised.
    void AddOtherWording(int index, Text text);
    [[nodiscard]] const std::vector<Text>& OtherWordings(int index) const;

private:
    std::array<Text, kSize> texts_;
    std::map<int, std::vector<Text>> otherWordings_;
};

}  // namespace orvane
