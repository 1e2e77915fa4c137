#include "profile/LanguageFile.h"

#include <cerrno>

#include "profile/AppData.h"
#include "profile/AtomicFile.h"
#include "profile/ButtonNames.h"
#include "profile/LanguageChoice.h"
#include "profile/Languages.h"
#include "profile/TextFile.h"
#include "profile/TextNumbers.h"

namespace orvane {

Text ParseLanguageSelector(std::optional<std::string_view> bytes) {
    if (!bytes) return {};
    LineReader lines(*bytes);
    auto first = lines.Next();
    if (!first) return {};
    if (*first != u"[ChangeLanguage]") return *first;
    auto second = lines.Next();
    if (!second) return {};
    const size_t eq = second->find(u'=');
    if (eq != Text::npos && eq >= 1 && eq + 1 < second->size()) return second->substr(eq + 1);
    // "Language=" names no language: the locale decides, as without a selector.
    if (eq != Text::npos && eq >= 1 && eq + 1 == second->size()) return {};
    return *second;
}

std::string_view LanguageFileName(std::u16string_view code) {
    const ShippedLanguage* language = FindShippedLanguage(code);
    return (language ? *language : FallbackLanguage()).file;
}

LanguageParse ParseLanguageFile(std::string_view bytes, LanguageTable& table) {
    LanguageParse result;
    LineReader lines(bytes);
    auto header = lines.Next();
    if (!header || *header != u"[Setting]") {
        result.status = makeError(0, "line 1: not the language header");
        return result;
    }
    while (auto line = lines.Next()) {
        const size_t eq = line->find(u'=');
        if (eq == Text::npos || eq == 0 || eq + 1 == line->size()) {
            result.status =
                makeError(0, "line " + std::to_string(lines.LineNumber()) + ": not an index=text entry");
            return result;
        }
        const int32_t index = ParseDecimal(std::u16string_view(*line).substr(0, eq));
        if (!LanguageTable::IsValidIndex(index)) continue;
        table.SetText(index, line->substr(eq + 1));
        ++result.entriesStored;
    }
    return result;
}

LanguageParse ReadLanguageFile(const std::filesystem::path& path, LanguageTable& table) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return {bytes.error(), 0};
    LanguageParse parsed = ParseLanguageFile(*bytes, table);
    if (!parsed.status) parsed.status = makeError(0, path.string() + ": " + parsed.status.error().context);
    return parsed;
}

// The language's own name ("English", "中文"), which picks the face.
constexpr int kTextLanguageName = 0;

FontChoice ChooseFont(const LanguageTable& table, double displayScale) {
    const Text& name = table.LanguageText(kTextLanguageName);
    // The CJK faces' cell is their em: the skin's boxes hold 12 pixels of them per scale step.
    if (name == u"中文") return {u"宋体", int32_t(displayScale * 12), 134};
    // Japanese gets a Japanese face: a Chinese one (or the Latin face's CJK fallback) would draw
    // the characters both languages share in their Chinese forms.
    if (name == u"日本語") return {u"MS UI Gothic", int32_t(displayScale * 12), 128};
    return {u"Tahoma", int32_t(displayScale * 16), 1};
}

namespace {

// Language files are few and small; a folder full of look-alikes is not read to the end.
constexpr int kMaxOtherLanguageFiles = 16;

bool IsLanguageFileName(const std::string& name) {
    auto lower = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        return s;
    };
    const std::string n = lower(name);
    return n.size() >= 7 && n.rfind("lan", 0) == 0 && n.compare(n.size() - 4, 4, ".txt") == 0;
}

}  // namespace

void CollectOtherWordings(const std::filesystem::path& folder, const std::filesystem::path& loaded,
                          LanguageTable& table) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    int read = 0;
    for (; !ec && it != std::filesystem::directory_iterator() && read < kMaxOtherLanguageFiles; it.increment(ec)) {
        const std::filesystem::path& path = it->path();
        if (!IsLanguageFileName(path.filename().string()) || path.filename() == loaded.filename()) continue;
        LanguageTable other;
        ++read;
        // A file that breaks off still names the entries before the break.
        (void)ReadLanguageFile(path, other);
        for (int index : StoredNameEntries())
            if (other.LanguageText(index) != table.LanguageText(index))
                table.AddOtherWording(index, other.LanguageText(index));
    }
}

std::vector<std::filesystem::path> LanguageFolders(const AppData& app) {
    std::vector<std::filesystem::path> folders{app.configDir};
    const std::filesystem::path& shipped = app.languageSources.shippedFolder;
    std::error_code ec;
    if (!shipped.empty() && !std::filesystem::equivalent(shipped, app.configDir, ec)) folders.push_back(shipped);
    return folders;
}

Status LoadLanguage(AppData& app, double displayScale) {
    const LanguageChoice choice = ReadLanguageChoice(app.configDir, app.languageSources.getenv);
    app.languageChoice = choice;
    const std::vector<std::filesystem::path> folders = LanguageFolders(app);
    // The shipped file first, then the user's own copy over it: the user's wording of an entry
    // wins, and an entry a newer version added still has its text when the copy predates it.
    Status status = makeError(ENOENT, (folders.front() / choice.file).string() + ": no such language file");
    bool found = false, complete = true;
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        const std::filesystem::path file = *folder / choice.file;
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) continue;
        found = true;
        if (LanguageParse parsed = ReadLanguageFile(file, app.language); !parsed.status) {
            complete = false;
            status = parsed.status;
        }
    }
    for (const std::filesystem::path& folder : folders) CollectOtherWordings(folder, folder / choice.file, app.language);
    if (!found || !complete) return status;
    app.font = ChooseFont(app.language, displayScale);
    return {};
}

}  // namespace orvane
