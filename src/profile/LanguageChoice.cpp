#include "profile/LanguageChoice.h"

#include <cerrno>
#include <cstdlib>

#include "profile/AtomicFile.h"
#include "profile/LanguageFile.h"
#include "profile/TextFile.h"

namespace orvane {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

// "de_DE.UTF-8@euro" → "de_de": what identifies the language and its region.
std::string localeName(std::string value) {
    value = value.substr(0, value.find_first_of(".@"));
    return lower(value);
}

const ShippedLanguage& english() { return *FindShippedLanguage(u"EN"); }

}  // namespace

EnvironmentLookup ProcessEnvironment() {
    return [](const char* name) -> std::optional<std::string> {
        if (const char* v = std::getenv(name)) return std::string(v);
        return std::nullopt;
    };
}

const ShippedLanguage& LocaleLanguage(const EnvironmentLookup& getenv) {
    std::string value;
    if (getenv)
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
            if (auto v = getenv(name); v && !v->empty()) {
                value = *v;
                break;
            }
    const std::string locale = localeName(value);
    if (locale.empty() || locale == "c" || locale == "posix") return english();
    const std::string language = locale.substr(0, locale.find('_'));
    for (const ShippedLanguage& l : ShippedLanguages())
        if (lower(l.localeLanguage) == locale) return l;
    for (const ShippedLanguage& l : ShippedLanguages()) {
        const std::string served = lower(l.localeLanguage);
        if (served.substr(0, served.find('_')) == language) return l;
    }
    return english();
}

LanguageChoice ChooseLanguage(std::optional<std::string_view> selectorBytes, const EnvironmentLookup& getenv) {
    const Text code = ParseLanguageSelector(selectorBytes);
    if (!code.empty()) return {code, LanguageFileName(code), true};
    const ShippedLanguage& locale = LocaleLanguage(getenv);
    return {Text(locale.code), locale.file, false};
}

LanguageChoice ReadLanguageChoice(const std::filesystem::path& configFolder, const EnvironmentLookup& getenv) {
    auto selector = ReadFileBytes(configFolder / kLanguageSelectorFile);
    return ChooseLanguage(selector ? std::optional<std::string_view>(*selector) : std::nullopt, getenv);
}

Status WriteLanguageSelector(const std::filesystem::path& configFolder, std::u16string_view code) {
    TextFileWriter file;
    file.Line(u"[ChangeLanguage]");
    file.Line(Text(u"Language=") + Text(code));
    return WriteFileAtomically(configFolder / kLanguageSelectorFile, file.Bytes());
}

Status RemoveLanguageSelector(const std::filesystem::path& configFolder) {
    const std::filesystem::path path = configFolder / kLanguageSelectorFile;
    std::error_code ec;
    if (!std::filesystem::remove(path, ec) && ec && ec != std::errc::no_such_file_or_directory)
        return makeError(ec.value(), "remove " + path.string());
    return {};
}

}  // namespace orvane
