#include "profile/SettingsFile.h"

#include "profile/AtomicFile.h"
#include "profile/NameRules.h"
#include "profile/TextFile.h"

namespace orvane {

std::string FormatSettingsFile(const Settings& settings) {
    TextFileWriter w;
    w.Line(u"[Setting]");
    for (int n = 0; n < kSettingCount; ++n) {
        Text& t = w.Current();
        t += settings.GetEntry(n, 0);
        t += u'=';
        t += settings.GetEntry(n, 1);
        w.EndLine();
    }
    for (const auto& [key, value] : settings.Extras()) {
        Text& t = w.Current();
        t += key;
        t += u'=';
        t += value;
        w.EndLine();
    }
    return w.Bytes();
}

Status CheckSettingsFit(const Settings& settings) {
    for (int n = 0; n < kSettingCount; ++n) {
        const Text& key = settings.GetEntry(n, 0);
        const std::string what = "setting " + std::to_string(n + 1) + " (" + toUtf8(key) + ")";
        NameCheck check = CheckFileText(key, false);
        if (check && key.find(u'=') != Text::npos) return makeError(0, "the key of " + what + " holds \"=\"");
        if (check) check = CheckFileText(settings.GetEntry(n, 1), false);
        if (!check) return makeError(0, check.Describe(what) + ": config.ini could not be read back");
    }
    for (const auto& [key, value] : settings.Extras()) {
        const std::string what = "setting " + toUtf8(key);
        NameCheck check = CheckFileText(key, false);
        if (check && key.find(u'=') != Text::npos) return makeError(0, "the key of " + what + " holds \"=\"");
        if (check) check = CheckFileText(value, false);
        if (!check) return makeError(0, check.Describe(what) + ": config.ini could not be read back");
    }
    return {};
}

Result<Settings> ParseSettingsFile(std::string_view bytes, const Settings& base) {
    Settings s = base;
    // The 17 entries the file does not reach keep base's texts; the ones after them are the file's.
    s.ClearExtras();
    LineReader lines(bytes);
    auto header = lines.Next();
    if (!header || *header != u"[Setting]") return makeError(0, "line 1: not the settings header");
    int n = 0;
    while (auto line = lines.Next()) {
        // The line's number is spelt out only for an error, not for every line read.
        auto where = [&lines] { return "line " + std::to_string(lines.LineNumber()) + ": "; };
        if (n >= kSettingCount + kMaxExtraSettings) {
            return makeError(
                0, where() + "more than " + std::to_string(kSettingCount + kMaxExtraSettings) + " entries");
        }
        const size_t eq = line->find(u'=');
        if (eq == Text::npos || eq == 0 || eq + 1 == line->size()) {
            return makeError(0, where() + "not a key=value entry");
        }
        if (n < kSettingCount) {
            s.SetKey(n, line->substr(0, eq));
            s.SetValue(n, line->substr(eq + 1));
        } else {
            s.AddExtra(line->substr(0, eq), line->substr(eq + 1));
        }
        ++n;
    }
    return s;
}

Status WriteSettingsFile(const Settings& settings, const std::filesystem::path& path) {
    if (Status s = CheckSettingsFit(settings); !s) return makeError(0, path.string() + ": " + s.error().context);
    return WriteFileAtomically(path, FormatSettingsFile(settings));
}

Result<Settings> ReadSettingsFile(const std::filesystem::path& path, const Settings& base) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return bytes.error();
    auto parsed = ParseSettingsFile(*bytes, base);
    if (!parsed) return makeError(0, path.string() + ": " + parsed.error().context);
    return parsed;
}

}  // namespace orvane
