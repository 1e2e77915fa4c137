// orvanectl's commands about the system rather than the mouse: the udev rule.
#include <ostream>

#include "cli/JsonWriter.h"
#include "cli/Session.h"
#include "cli/UdevInstall.h"
#include "device/AccessAdvice.h"

namespace orvane::cli {

Session::Outcome Session::udevRule() {
    const auto installed = InstalledUdevRule(UdevRuleFolders());
    if (args_.words.empty()) {
        if (args_.json) {
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
            print(json.str());
        } else {
            // The rule itself, so that it can be piped where it belongs.
            print(UdevRuleText());
        }
        return std::nullopt;
    }
    if (args_.words.size() != 1 || args_.words[0] != "--install")
        return Failure{kExitUsage, "udev-rule takes only --install"};
    auto done = InstallUdevRule(kUdevRulesFolder);
    if (!done) {
        std::string why = done.error().message();
        if (done.error().isPermission())
            why += " (run it as root: sudo " + OrvanectlCommand() + " udev-rule --install)";
        return Failure{kExitFailure, "cannot install the udev rule: " + why};
    }
    if (args_.json) {
        JsonWriter json;
        json.beginObject();
        json.field("installed", done->file.string());
        json.field("reloaded", done->reloaded);
        json.field("triggered", done->triggered);
        json.endObject();
        print(json.str());
    } else {
        print("udev rule written to " + done->file.string() + "\n");
        if (done->triggered) print("udev applied it: the mouse can be used without root now\n");
    }
    if (!done->problem.empty()) return Failure{kExitFailure, done->problem};
    return std::nullopt;
}

}  // namespace orvane::cli
