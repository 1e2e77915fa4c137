#pragma once
// The language selector (config/LanSetting.ini) and the language files it selects
// (config/Lan_EN.txt for the code "EN", one file per shipped language, config/Lan.txt otherwise).
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "base/Result.h"
#include "profile/LanguageTable.h"

namespace orvane {

struct AppData;

// The language code of a selector file; no file, no second line or an empty value ("Language=")
// give an empty code.
Text ParseLanguageSelector(std::optional<std::string_view> bytes);
// The file of a shipped language's code (exactly: "EN" is "Lan_EN.txt"); "Lan.txt" for any other.
std::string_view LanguageFileName(std::u16string_view code);

struct LanguageParse {
    Status status;          // failure names the first line that did not match
    int entriesStored = 0;  // lines stored before the end or the failure
};

// Stores each "index=text" line into `table` as it goes; lines with an index outside the table
// are skipped. A malformed line stops reading, keeping what was stored before it.
LanguageParse ParseLanguageFile(std::string_view bytes, LanguageTable& table);

// Reads one language file into `table` without choosing a font (for inspection).
LanguageParse ReadLanguageFile(const std::filesystem::path& path, LanguageTable& table);

// The font every control creates: the Chinese face when entry 0 names Chinese, a Japanese face
// when it names Japanese, else Tahoma.
FontChoice ChooseFont(const LanguageTable& table, double displayScale);

// Records in `table` how every other language file of `folder` (Lan*.txt, not `loaded`) words
// the entries that name stored texts, such as the macro prefix of a macro button's name.
void CollectOtherWordings(const std::filesystem::path& folder, const std::filesystem::path& loaded,
                          LanguageTable& table);

// The folders a language file is looked for in, the user's first: the config folder, then the
// shipped one (when set and not the same folder).
std::vector<std::filesystem::path> LanguageFolders(const AppData& app);

// The chosen language's file (the shipped copy, then the user's own over it), then the font (only
// after every copy found was read completely), and how the other files word the stored texts.
// Writes nothing.
Status LoadLanguage(AppData& app, double displayScale);

}  // namespace orvane
