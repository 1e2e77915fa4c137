// orvanectl profile programs: the programs whose focused window makes a profile current.
#include "cli/Commands.h"
#include "cli/CommandTable.h"
#include "cli/JsonWriter.h"
#include "cli/TerminalText.h"
#include "profile/ProfilePrograms.h"
#include "profile/Storage.h"

namespace orvane::cli {

Outcome profileProgramsCommand(CommandContext& ctx) {
    const auto& w = ctx.words();
    const std::string usage = "profile programs takes N (1-5) and list, add PROGRAM or remove PROGRAM";
    if (w.size() < 2 || w.size() > 4 || profileNumber(w[1]) < 0) return Failure{kExitUsage, usage};
    const int index = profileNumber(w[1]);
    const std::string action = w.size() > 2 ? w[2] : "list";
    const bool changes = action == "add" || action == "remove";
    if (!(action == "list" && w.size() <= 3) && !(changes && w.size() == 4)) return Failure{kExitUsage, usage};
    const Text program = changes ? fromUtf8(w[3]) : Text();
    // A name the profile file could not keep is a wrong argument, whatever the files hold.
    if (action == "add")
        if (const NameCheck name = CheckProgramName(program); !name)
            return Failure{kExitUsage, terminalText(name.Describe("program name"))};
    if (auto f = ctx.loadFiles()) return f;
    // Listing the defaults that replaced an unreadable file would pass them off as its programs.
    if (!changes)
        if (auto f = ctx.requireReadable(ctx.app().settings.GetSlotPath(index))) return f;
    Profile& profile = ctx.app().profiles[size_t(index)];

    if (!changes) {
        const std::vector<Text> programs = ProfilePrograms(profile);
        if (ctx.json()) {
            JsonWriter json;
            json.beginObject();
            json.field("profile", index + 1);
            json.key("programs").beginArray();
            for (const Text& p : programs) json.value(p);
            json.endArray();
            json.endObject();
            ctx.print(json.str());
        } else {
            std::string text;
            for (const Text& p : programs) text += terminalText(toUtf8(p)) + "\n";
            ctx.print(text);
        }
        return std::nullopt;
    }

    const ProgramListChange change =
        action == "add" ? AddProfileProgram(profile, program) : RemoveProfileProgram(profile, program);
    if (!change.ok())
        return Failure{kExitFailure, "profile " + w[1] + ": " + terminalText(change.Describe(program)) + "; nothing changed"};
    const std::string quoted = "\"" + w[3] + "\"";
    ctx.beginReport("profile programs",
                    action == "add" ? quoted + " added to profile " + w[1] : quoted + " removed from profile " + w[1]);
    ctx.report().setProfile(index);
    // Only the profile's file: nothing here goes to the mouse.
    (void)ctx.host().writeProfile(index);
    return ctx.conclude();
}

}  // namespace orvane::cli
