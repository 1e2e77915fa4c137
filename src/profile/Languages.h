#pragma once
// The languages Orvane ships: the selector code that picks each, the file in config/ that holds
// its texts, the name it gives itself (entry 0) and the system locales it serves. Everything that
// lists the shipped languages (the selector, the seeding of a new folder, the chooser, the tests)
// reads this table.
#include <optional>
#include <span>
#include <string_view>

namespace orvane {

struct ShippedLanguage {
    std::u16string_view code;       // the selector's code, "EN"
    std::string_view file;          // in config/, "Lan_EN.txt"
    std::u16string_view ownName;    // its entry 0, "English"
    std::string_view localeLanguage;  // the language part of a POSIX locale it serves, "en"
};

// English first; Chinese is the file every code the table does not know selects.
std::span<const ShippedLanguage> ShippedLanguages();
// The row of a selector code (exact, case-sensitive); none for a code the table does not know.
const ShippedLanguage* FindShippedLanguage(std::u16string_view code);
// The row whose file is config/Lan.txt: what an unknown code or no code selects.
const ShippedLanguage& FallbackLanguage();

}  // namespace orvane
