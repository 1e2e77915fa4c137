#pragma once
// `orvanectl udev-rule --install`: puts the rule where udev reads an administrator's rules and
// has udev apply it to the devices already plugged in. Needs root.
#include <filesystem>
#include <string>
#include <vector>

#include "base/Result.h"

namespace orvane::cli {

struct UdevInstallResult {
    std::filesystem::path file;
    bool reloaded = false;   // udevadm control --reload-rules
    bool triggered = false;  // udevadm trigger on hidraw devices
    std::string problem;     // why udev was not told, when it was not
};

// Writes the rule into `folder` (created when missing), then runs udevadm. Fails only when the
// rule could not be written.
Result<UdevInstallResult> InstallUdevRule(const std::filesystem::path& folder);

// Runs a program found on PATH with the arguments, without a shell; its exit status, or -1.
int RunProgram(const std::vector<std::string>& argv);

}  // namespace orvane::cli
