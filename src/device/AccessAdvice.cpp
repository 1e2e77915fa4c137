#include "device/AccessAdvice.h"

#include <unistd.h>

#include <cstdlib>

#include "profile/AppPaths.h"

namespace orvane {

namespace fs = std::filesystem;

namespace {
#include "device/UdevRule.inc"  // kRule: data/udev/70-orvane.rules, embedded by the build
}  // namespace

const char* UdevRuleText() {
    return kRule;
}

std::vector<fs::path> UdevRuleFolders() {
    return {kUdevRulesFolder, "/run/udev/rules.d", "/usr/local/lib/udev/rules.d", "/usr/lib/udev/rules.d",
            "/lib/udev/rules.d"};
}

std::optional<fs::path> InstalledUdevRule(const std::vector<fs::path>& folders) {
    for (const fs::path& f : folders) {
        std::error_code ec;
        if (fs::is_regular_file(f / kUdevRuleName, ec)) return f / kUdevRuleName;
    }
    return std::nullopt;
}

std::string OrvanectlCommand() {
    const fs::path beside = ExecutableFolder() / "orvanectl";
    if (const char* path = std::getenv("PATH")) {
        std::string dirs = path;
        size_t start = 0;
        while (start <= dirs.size()) {
            const size_t end = dirs.find(':', start);
            const std::string dir =
                dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
            std::error_code ec;
            if (!dir.empty() && fs::equivalent(fs::path(dir) / "orvanectl", beside, ec)) return "orvanectl";
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    return beside.string();
}

AccessAdvice AdviseOnDeniedAccess(const std::string& path, const std::vector<fs::path>& ruleFolders) {
    AccessAdvice a;
    a.ruleInstalled = InstalledUdevRule(ruleFolders).has_value();
    if (a.ruleInstalled) {
        // The rule is there but the node predates it, or this login is not the one at the seat.
        a.command = "sudo udevadm trigger --subsystem-match=hidraw --action=change";
        a.text = "permission denied on " + path +
                 ": the udev rule is installed but not yet applied to this device; plug the mouse in "
                 "again or run: " +
                 a.command + " (access is given to the user logged in at the seat, not to remote logins)";
    } else {
        a.command = "sudo " + OrvanectlCommand() + " udev-rule --install";
        a.text =
            "permission denied on " + path +
            ": the udev rule that lets you use the mouse without root is not installed; run: " + a.command +
            " (it writes " + std::string(kUdevRulesFolder) + "/" + kUdevRuleName +
            " and reloads udev; `orvanectl udev-rule` shows the rule)";
    }
    return a;
}

}  // namespace orvane
