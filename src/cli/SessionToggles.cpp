// "orvanectl follow-programs [on|off]" and "orvanectl dpi-indicator [on|off]": the two switches of
// the tray menu, kept in config.ini. A running window looks at config.ini once a second and takes
// in what another program saved there, so a change holds there within a second; a window started
// later reads it at its start.
#include "cli/CommandTable.h"
#include "cli/JsonWriter.h"
#include "cli/Session.h"
#include "profile/Settings.h"

namespace orvane::cli {

struct Session::ToggleDef {
    const char* command;
    std::u16string_view key;
    const char* what;  // "switching profiles with the program in use"
    bool (*enabled)(const Settings&);
    bool (*set)(Settings&, bool);
};

namespace {

constexpr const char* kTakesEffect = "a running orvane takes it within a second, one started later at its start";

}  // namespace

Session::Outcome Session::followPrograms() {
    static const ToggleDef def{"follow-programs", extra_setting::kFollowPrograms,
                               "switching profiles with the program in use", FollowProgramsEnabled,
                               SetFollowProgramsEnabled};
    return toggle(def);
}

Session::Outcome Session::dpiIndicator() {
    static const ToggleDef def{"dpi-indicator", extra_setting::kDpiIndicator, "the on-screen DPI indicator",
                               DpiIndicatorEnabled, SetDpiIndicatorEnabled};
    return toggle(def);
}

Session::Outcome Session::toggle(const ToggleDef& def) {
    const auto& w = args_.words;
    const std::string command = def.command;
    if (w.size() > 1 || (w.size() == 1 && w[0] != "on" && w[0] != "off"))
        return Failure{kExitUsage, command + " takes on or off (nothing: show the setting)"};
    if (auto f = loadFiles()) return f;
    const std::filesystem::path file = app_->Config("config.ini");
    const std::string key = toUtf8(Text(def.key));

    if (w.empty()) {
        // The default that replaced an unreadable file is not what the user chose.
        if (auto f = requireReadable(file)) return f;
        const bool on = def.enabled(app_->settings);
        if (args_.json) {
            JsonWriter json;
            json.beginObject();
            json.field("option", command);
            json.field("enabled", on);
            json.field("key", key);
            json.field("file", file.string());
            json.endObject();
            print(json.str());
        } else {
            print(command + ": " + (on ? "on" : "off") + "\n");
        }
        return std::nullopt;
    }

    const bool on = w[0] == "on";
    if (!def.set(app_->settings, on))
        return Failure{kExitFailure, file.string() + " already holds " + std::to_string(kMaxExtraSettings) +
                                         " entries after its first " + std::to_string(kSettingCount) +
                                         ": no room for " + key + "; nothing changed"};
    report_.emplace(command, def.what + std::string(on ? " turned on" : " turned off"));
    report_->setEnabled(on);
    report_->setNote(kTakesEffect);
    // Only config.ini: nothing here goes to the mouse.
    (void)host_->writeSettings();
    return conclude();
}

}  // namespace orvane::cli
