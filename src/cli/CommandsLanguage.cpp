// "orvanectl language [CODE|system]": the interface language the window starts with. The texts
// are loaded once, at the window's start, so a choice holds from its next start.
#include <ostream>

#include "cli/Commands.h"
#include "cli/CommandTable.h"
#include "cli/JsonWriter.h"
#include "profile/LanguageChoice.h"
#include "profile/Languages.h"

namespace orvane::cli {

namespace {

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

// The language a choice shows: the row of its file (an unknown code shows Lan.txt's language).
const ShippedLanguage& shownLanguage(const LanguageChoice& choice) {
    for (const ShippedLanguage& l : ShippedLanguages())
        if (l.file == choice.file) return l;
    return FallbackLanguage();
}

}  // namespace

Outcome languageCommand(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() > 1) return Failure{kExitUsage, "language takes one code or system"};
    auto folders = ctx.resolveFolders();
    if (!folders) return Failure{kExitFailure, "cannot " + folders.error().message()};
    const std::filesystem::path& config = folders->config;

    if (!w.empty()) {
        const bool system = w[0] == "system";
        const ShippedLanguage* chosen = system ? nullptr : FindShippedLanguage(fromUtf8(upper(w[0])));
        if (!system && !chosen)
            return Failure{kExitUsage, "unknown language " + w[0] + "; the languages are " +
                                           listWords(languageWords())};
        if (Status prepared = PrepareConfigFolder(*folders); !prepared)
            return Failure{kExitFailure, "cannot " + prepared.error().message()};
        const Status written = system ? RemoveLanguageSelector(config) : WriteLanguageSelector(config, chosen->code);
        if (!written) return Failure{kExitFailure, "cannot save the language choice: " + written.error().message()};
    }

    const LanguageChoice choice = ReadLanguageChoice(config, ctx.platform().environment);
    const ShippedLanguage& shown = shownLanguage(choice);
    const std::string selector = (config / kLanguageSelectorFile).string();
    if (ctx.json()) {
        JsonWriter json;
        json.beginObject();
        json.field("code", choice.code);
        json.field("name", Text(shown.ownName));
        json.field("file", std::string(choice.file));
        json.field("source", choice.fromSelector ? "selector" : "locale");
        json.field("selector", selector);
        if (!w.empty()) json.field("takesEffect", "next start");
        json.key("languages").beginArray();
        for (const ShippedLanguage& l : ShippedLanguages()) {
            json.beginObject();
            json.field("code", Text(l.code));
            json.field("name", Text(l.ownName));
            json.endObject();
        }
        json.endArray();
        json.endObject();
        ctx.print(json.str());
        return std::nullopt;
    }
    std::string text = w.empty() ? "language: " : "language set: ";
    text += toUtf8(choice.code) + " (" + toUtf8(Text(shown.ownName)) + "), ";
    text += choice.fromSelector ? "chosen in " + selector : std::string("from the system locale");
    text += "\n";
    if (!w.empty()) text += "orvane uses it from its next start\n";
    text += "languages:\n";
    for (const ShippedLanguage& l : ShippedLanguages())
        text += "  " + toUtf8(Text(l.code)) + "  " + toUtf8(Text(l.ownName)) + "\n";
    text += "  system  follow the system locale\n";
    ctx.print(text);
    return std::nullopt;
}

}  // namespace orvane::cli
