// "orvanectl follow-programs [on|off]" and "orvanectl dpi-indicator [on|off]": the two switches of
// the tray menu, kept in config.ini. A running window looks at config.ini once a second and takes
// in what another program saved there, so a change holds there within a second; a window started
// later reads it at its start.
#include "cli/Commands.h"
#include "cli/CommandTable.h"
#include "cli/JsonWriter.h"
#include "profile/Settings.h"

namespace orvane::cli {

namespace {

struct ToggleDef {
    const char* command;
    std::u16string_view key;
    const char* what;  // "switching profiles with the program in use"
    bool (*enabled)(const Settings&);
    bool (*set)(Settings&, bool);
};

constexpr const char* kTakesEffect = "a running orvane takes it within a second, one started later at its start";

Outcome toggle(CommandContext& ctx, const ToggleDef& def) {
    const auto& w = ctx.words();
    const std::string command = def.command;
    if (w.size() > 1 || (w.size() == 1 && w[0] != "on" && w[0] != "off"))
        return Failure{kExitUsage, command + " takes on or off (nothing: show the setting)"};
    if (auto f = ctx.loadFiles()) return f;
    const std::filesystem::path file = ctx.app().Config("config.ini");
    const std::string key = toUtf8(Text(def.key));

    if (w.empty()) {
        // The default that replaced an unreadable file is not what the user chose.
        if (auto f = ctx.requireReadable(file)) return f;
        const bool on = def.enabled(ctx.app().settings);
        if (ctx.json()) {
            JsonWriter json;
            json.beginObject();
            json.field("option", command);
            json.field("enabled", on);
            json.field("key", key);
            json.field("file", file.string());
            json.endObject();
            ctx.print(json.str());
        } else {
            ctx.print(command + ": " + (on ? "on" : "off") + "\n");
        }
        return std::nullopt;
    }

    const bool on = w[0] == "on";
    if (!def.set(ctx.app().settings, on))
        return Failure{kExitFailure, file.string() + " already holds " + std::to_string(kMaxExtraSettings) +
                                         " entries after its first " + std::to_string(kSettingCount) +
                                         ": no room for " + key + "; nothing changed"};
    ctx.beginReport(command, def.what + std::string(on ? " turned on" : " turned off"));
    ctx.report().setEnabled(on);
    ctx.report().setNote(kTakesEffect);
    // Only config.ini: nothing here goes to the mouse.
    (void)ctx.host().writeSettings();
    return ctx.conclude();
}

}  // namespace

Outcome followProgramsCommand(CommandContext& ctx) {
    static const ToggleDef def{"follow-programs", extra_setting::kFollowPrograms,
                               "switching profiles with the program in use", FollowProgramsEnabled,
                               SetFollowProgramsEnabled};
    return toggle(ctx, def);
}

Outcome dpiIndicatorCommand(CommandContext& ctx) {
    static const ToggleDef def{"dpi-indicator", extra_setting::kDpiIndicator, "the on-screen DPI indicator",
                               DpiIndicatorEnabled, SetDpiIndicatorEnabled};
    return toggle(ctx, def);
}

}  // namespace orvane::cli
