// orvanectl's profile and file commands: profile show/export/import/select and dump.
#include <ostream>

#include "cli/Commands.h"
#include "cli/CommandTable.h"
#include "cli/Dump.h"
#include "cli/JsonWriter.h"
#include "profile/AtomicFile.h"
#include "profile/LanguageFile.h"
#include "profile/MacroLibraryFile.h"
#include "profile/NameRules.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLimits.h"
#include "profile/SettingsFile.h"
#include "profile/Storage.h"

namespace orvane::cli {

namespace {

Outcome profileShow(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() > 2) return Failure{kExitUsage, "profile show takes at most a profile number 1-5"};
    if (w.size() == 2 && profileNumber(w[1]) < 0) return Failure{kExitUsage, "profile numbers are 1-5"};
    if (auto f = ctx.loadFiles()) return f;
    // Which profile is current comes from the settings.
    if (auto f = ctx.requireReadable(ctx.app().Config("config.ini"))) return f;
    const int index = w.size() == 2 ? profileNumber(w[1]) : ctx.app().CurrentIndex();
    if (auto f = ctx.requireReadable(ctx.app().settings.GetSlotPath(index))) return f;
    DpiTables tables;
    tables.rebuild(ctx.app().SensorId);
    const Profile& p = ctx.app().profiles[size_t(index)];
    const bool current = index == ctx.app().CurrentIndex();
    if (ctx.json()) {
        JsonWriter json;
        json.beginObject();
        json.field("profile", index + 1);
        json.field("current", current);
        json.field("name", p.GetProfileName());
        json.key("settings");
        writeProfile(json, p, &tables, limits::kSentDpiLevels);
        json.endObject();
        ctx.print(json.str());
    } else {
        ctx.print("profile:     " + std::to_string(index + 1) + (current ? " (current)\n" : "\n"));
        ctx.print(profileText(p, tables));
    }
    return std::nullopt;
}

Outcome profileExport(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() != 3 || profileNumber(w[1]) < 0) return Failure{kExitUsage, "profile export takes N (1-5) and FILE"};
    if (auto f = ctx.loadFiles()) return f;
    const int index = profileNumber(w[1]);
    ctx.beginReport("profile export", "profile " + w[1] + " exported to " + w[2]);
    ctx.report().setProfile(index);
    const Status st = ExportProfileFile(ctx.app().profiles[size_t(index)], w[2]);
    ctx.report().addFile(w[2], st.ok(), st.ok() ? std::string() : st.error().message());
    return ctx.conclude();
}

Outcome profileImport(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() != 3 || profileNumber(w[1]) < 0) return Failure{kExitUsage, "profile import takes N (1-5) and FILE"};
    if (auto f = ctx.loadFiles()) return f;
    const int index = profileNumber(w[1]);
    Profile& p = ctx.app().profiles[size_t(index)];
    auto read = ReadProfileFileInto(w[2], p);
    if (!read) {
        const Error& e = read.error();
        if (e.code != 0 && e.code != EFBIG) return Failure{kExitFailure, fileProblem(w[2], e) + "; nothing changed"};
        std::string why = e.context;
        if (why.rfind(w[2] + ": ", 0) == 0) why = why.substr(w[2].size() + 2);
        return Failure{kExitFailure, w[2] + ": not a profile file (" + why + "); nothing changed"};
    }
    if (const NameCheck name = CheckImportedProfileName(read->GetProfileName()); !name)
        return Failure{kExitFailure, w[2] + ": " + name.Describe("profile name") + "; nothing changed"};
    // Held to what `set` allows: selecting it later would send these values as they are.
    if (const auto problems = FindProfileProblems(*read); !problems.empty())
        return Failure{kExitFailure, w[2] + ": " + DescribeProblems(problems) + "; nothing changed"};
    p = std::move(read.value());
    ctx.beginReport("profile import", w[2] + " imported into profile " + w[1]);
    ctx.report().setProfile(index);
    if (index == ctx.app().CurrentIndex())
        ctx.report().setNote("the mouse gets it with 'orvanectl apply'");
    // As the profile bar does: the settings and all five profile files, no synchronisation.
    ctx.host().saveAll();
    return ctx.conclude();
}

Outcome profileSelect(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() != 2 || profileNumber(w[1]) < 0) return Failure{kExitUsage, "profile select takes N (1-5)"};
    if (auto f = ctx.loadFiles()) return f;
    const int index = profileNumber(w[1]);
    ctx.beginReport("profile select", "profile " + w[1] + " selected");
    ctx.report().setProfile(index);
    AppData& app = ctx.app();
    return ctx.changeAndSend(
        [&app, index] {
            app.currentProfile = index;
            app.settings.SetCurrentProfile(index);
        },
        {SyncGroup::Buttons, SyncGroup::Performance, SyncGroup::Power}, false);
}

}  // namespace

Outcome profileCommand(CommandContext& ctx) {
    const auto& w = ctx.words();
    const std::string sub = w.empty() ? "" : w[0];
    if (sub == "show") return profileShow(ctx);
    if (sub == "export") return profileExport(ctx);
    if (sub == "import") return profileImport(ctx);
    if (sub == "select") return profileSelect(ctx);
    if (sub == "programs") return profileProgramsCommand(ctx);
    return Failure{kExitUsage, "profile takes " + listWords(subcommandsOf("profile"))};
}

Outcome dumpCommand(CommandContext& ctx) {
    const auto& w = ctx.words();
    if (w.size() != 2) return Failure{kExitUsage, "dump takes profile|settings|library|language and FILE"};
    const std::string& kind = w[0];
    const std::string& path = w[1];
    JsonWriter json;
    if (kind == "profile") {
        auto read = ReadProfileFileInto(path, Profile{});
        if (!read) return Failure{kExitFailure, fileProblem(path, read.error())};
        writeProfile(json, read.value(), nullptr);
    } else if (kind == "settings") {
        auto read = ReadSettingsFile(path, Settings{});
        if (!read) return Failure{kExitFailure, fileProblem(path, read.error())};
        writeSettings(json, read.value());
    } else if (kind == "library") {
        MacroLibrary library;
        if (auto st = ReadLibraryFile(library, path); !st) return Failure{kExitFailure, fileProblem(path, st.error())};
        writeLibrary(json, library);
    } else if (kind == "language") {
        auto bytes = ReadFileBytes(path);
        if (!bytes) return Failure{kExitFailure, fileProblem(path, bytes.error())};
        LanguageTable table;
        const LanguageParse parsed = ParseLanguageFile(bytes.value(), table);
        if (!parsed.status) return Failure{kExitFailure, fileProblem(path, parsed.status.error())};
        writeLanguage(json, table);
    } else {
        return Failure{kExitUsage, "dump takes profile, settings, library or language"};
    }
    ctx.print(json.str());
    return std::nullopt;
}

}  // namespace orvane::cli
