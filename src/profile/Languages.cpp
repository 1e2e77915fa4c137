#include "profile/Languages.h"

#include <array>

namespace orvane {

namespace {
// Add a language here and as data/config/lan_<code in lower case>.txt; the build names the file.
constexpr std::array kLanguages{
    ShippedLanguage{u"EN", "Lan_EN.txt", u"English", "en"},
    ShippedLanguage{u"ZH", "Lan.txt", u"中文", "zh"},
    ShippedLanguage{u"DE", "Lan_DE.txt", u"Deutsch", "de"},
    ShippedLanguage{u"FR", "Lan_FR.txt", u"Français", "fr"},
    ShippedLanguage{u"ES", "Lan_ES.txt", u"Español", "es"},
    ShippedLanguage{u"PT_BR", "Lan_PT_BR.txt", u"Português (Brasil)", "pt"},
    ShippedLanguage{u"RU", "Lan_RU.txt", u"Русский", "ru"},
    ShippedLanguage{u"JA", "Lan_JA.txt", u"日本語", "ja"},
};
constexpr size_t kFallback = 1;
}  // namespace

std::span<const ShippedLanguage> ShippedLanguages() { return kLanguages; }

const ShippedLanguage* FindShippedLanguage(std::u16string_view code) {
    for (const ShippedLanguage& l : kLanguages)
        if (l.code == code) return &l;
    return nullptr;
}

const ShippedLanguage& FallbackLanguage() { return kLanguages[kFallback]; }

}  // namespace orvane
