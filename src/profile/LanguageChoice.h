#pragma once
// Which language the interface speaks: the one the user chose (the selector file
// config/LanSetting.ini), else the one the system locale asks for. The choice is made once, at
// start-up; choosing another writes the selector, which the next start reads.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/Result.h"
#include "base/Text.h"
#include "profile/Languages.h"

namespace orvane {

struct AppData;

inline constexpr const char* kLanguageSelectorFile = "LanSetting.ini";

// Reads one environment variable; none when unset. Passed in so the choice can be tested
// without the machine's own locale.
using EnvironmentLookup = std::function<std::optional<std::string>(const char*)>;
// The process's own environment.
EnvironmentLookup ProcessEnvironment();

// The shipped language of the locale variables: the first non-empty of LC_ALL, LC_MESSAGES and
// LANG, without its ".codeset" and "@modifier". "C", "POSIX", nothing set, or a language we do not
// ship give English. "pt_BR" picks a row made for pt_BR before one made for pt.
const ShippedLanguage& LocaleLanguage(const EnvironmentLookup& getenv);

// Where the interface texts come from besides the config folder. Both are empty unless the
// program sets them, so tests see neither the installed files nor the machine's locale.
struct LanguageSources {
    std::filesystem::path shippedFolder;  // the shipped config/ with every language's file
    EnvironmentLookup getenv;             // the locale variables
};

struct LanguageChoice {
    Text code;              // the selector's code, or the locale's language's code
    std::string_view file;  // in config/
    bool fromSelector = false;
};

// A selector with a code is the user's word and is followed as it stands (any code the table does
// not know selects Lan.txt); no selector, or one without a code, follows the locale.
LanguageChoice ChooseLanguage(std::optional<std::string_view> selectorBytes, const EnvironmentLookup& getenv);
// The same from the selector file of `configFolder`.
LanguageChoice ReadLanguageChoice(const std::filesystem::path& configFolder, const EnvironmentLookup& getenv);

// Writes the selector for `code` (replacing the file whole), in the form ParseLanguageSelector reads.
Status WriteLanguageSelector(const std::filesystem::path& configFolder, std::u16string_view code);
// Removes the selector, so the next start follows the locale. No selector is no failure.
Status RemoveLanguageSelector(const std::filesystem::path& configFolder);

}  // namespace orvane
