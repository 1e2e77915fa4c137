// orvanectl's commands about the system rather than the mouse: the udev rule and the shell
// completion.
#include <algorithm>
#include <ostream>
#include <set>

#include "cli/Commands.h"
#include "cli/Completion.h"
#include "cli/JsonWriter.h"
#include "cli/UdevInstall.h"
#include "device/AccessAdvice.h"
#include "device/DpiTables.h"
#include "profile/MacroLibraryFile.h"
#include "profile/SettingsFile.h"

namespace orvane::cli {

Outcome udevRuleCommand(CommandContext& ctx) {
    const auto installed = InstalledUdevRule(UdevRuleFolders());
    if (ctx.words().empty()) {
        if (ctx.json()) {
            JsonWriter json;
            json.beginObject();
            json.field("rule", std::string(UdevRuleText()));
            json.field("file", std::string(kUdevRulesFolder) + "/" + kUdevRuleName);
            json.key("installed");
            if (installed)
                json.value(installed->string());
            else
                json.null();
            json.endObject();
            ctx.print(json.str());
        } else {
            // The rule itself, so that it can be piped where it belongs.
            ctx.print(UdevRuleText());
        }
        return std::nullopt;
    }
    if (ctx.words().size() != 1 || ctx.words()[0] != "--install")
        return Failure{kExitUsage, "udev-rule takes only --install"};
    auto done = InstallUdevRule(kUdevRulesFolder);
    if (!done) {
        std::string why = done.error().message();
        if (done.error().isPermission())
            why += " (run it as root: sudo " + OrvanectlCommand() + " udev-rule --install)";
        return Failure{kExitFailure, "cannot install the udev rule: " + why};
    }
    if (ctx.json()) {
        JsonWriter json;
        json.beginObject();
        json.field("installed", done->file.string());
        json.field("reloaded", done->reloaded);
        json.field("triggered", done->triggered);
        json.endObject();
        ctx.print(json.str());
    } else {
        ctx.print("udev rule written to " + done->file.string() + "\n");
        if (done->triggered) ctx.print("udev applied it: the mouse can be used without root now\n");
    }
    if (!done->problem.empty()) return Failure{kExitFailure, done->problem};
    return std::nullopt;
}

// "completion bash|zsh|fish" prints a script; "completion macros [SET]", "completion sets" and
// "completion dpi" give the scripts the library's names and set numbers and the DPI values of
// the sensor last seen, one a line. Those run at a key press: they read one file only, without
// taking the folder's lock (writes replace a file whole) and without creating or seeding the
// folder.
Outcome completionCommand(CommandContext& ctx) {
    const auto& w = ctx.words();
    const std::string what = w.empty() ? "" : w[0];
    // Lines, or with --json the same as a list.
    auto printLines = [&ctx](const std::string& key, const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& l : lines) text += l + "\n";
        if (!ctx.json()) return ctx.print(text);
        JsonWriter json;
        json.beginObject();
        if (key == "script") {
            json.field(key, text);
        } else {
            json.key(key).beginArray();
            for (const std::string& l : lines) json.value(l);
            json.endArray();
        }
        json.endObject();
        ctx.print(json.str());
    };
    if (w.size() == 1) {
        if (std::string script = completionScript(what); !script.empty()) {
            script.pop_back();
            printLines("script", {script});
            return std::nullopt;
        }
    }
    if ((what != "macros" || w.size() > 2) && ((what != "sets" && what != "dpi") || w.size() != 1))
        return Failure{kExitUsage, "completion takes bash, zsh or fish, macros [SET], sets or dpi"};
    auto folders = ctx.resolveFolders();
    if (!folders) return Failure{kExitFailure, "cannot " + folders.error().message()};
    std::vector<std::string> found;
    if (what == "dpi") {
        // No settings yet, or a sensor never seen: no table, and nothing to offer.
        const auto settings = ReadSettingsFile(folders->config / "config.ini", Settings{});
        DpiTables tables;
        if (settings) tables.rebuild(settings->GetSensor());
        for (int i = 0; i < tables.stepCount(); ++i) found.push_back(std::to_string(tables.dpiValue(i)));
        printLines("dpi", found);
        return std::nullopt;
    }
    std::filesystem::path file = folders->config / "MacroLibraryFile.mlf";
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) file = folders->shipped / "config" / "MacroLibraryFile.mlf";
    MacroLibrary library;
    if (Status read = ReadLibraryFile(library, file); !read)
        return Failure{kExitFailure, fileProblem(file.string(), read.error())};
    if (what == "sets") {
        for (uint32_t s = 1; s <= library.SetCount(); ++s) found.push_back(std::to_string(s));
        printLines("sets", found);
        return std::nullopt;
    }
    uint32_t first = 0, last = library.SetCount();
    if (w.size() == 2) {
        const std::string& n = w[1];
        if (n.empty() || n.size() > 6 || n.find_first_not_of("0123456789") != std::string::npos ||
            std::stoul(n) == 0)
            return Failure{kExitUsage, "macro sets are numbered from 1"};
        first = uint32_t(std::stoul(n)) - 1;
        last = std::min(last, first + 1);
    }
    std::set<std::string> seen;
    for (uint32_t s = first; s < last; ++s) {
        const MacroSet& set = *library.FindSet(s);
        for (uint32_t k = 0; k < set.KeyCount(); ++k) {
            const std::string name = toUtf8(set.FindKey(k)->GetName());
            // One name a line: a name that could not be one word of a line is left out.
            if (name.empty() || name.find('\n') != std::string::npos || !seen.insert(name).second) continue;
            found.push_back(name);
        }
    }
    printLines("macros", found);
    return std::nullopt;
}

}  // namespace orvane::cli
