#pragma once
// Opens the desktop's own mouse settings. Each desktop ships its own settings program; we look
// for the known ones on PATH, preferring the desktop the session says it runs, and start the
// first one found directly (no shell). With none installed the button does nothing.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Result.h"

namespace orvane {

struct SettingsCommand {
    std::vector<std::string> argv;  // argv[0] is the absolute path found on PATH
};

// pathList is $PATH, desktops is $XDG_CURRENT_DESKTOP (colon-separated, may be empty);
// isExecutable is asked about candidate files (injected for tests).
std::optional<SettingsCommand> findMouseSettingsCommand(const std::string& pathList, const std::string& desktops,
                                                        const std::function<bool(const std::string&)>& isExecutable);

// Starts argv detached from us (its own session, reaped at once), without waiting for it.
Status launchDetached(const std::vector<std::string>& argv);

// Both, from the process environment; false when no settings program exists or it failed to start.
bool openMouseSettings();

}  // namespace orvane
