#pragma once
// "set ...": one setting of the current profile, parsed and checked before any device is
// touched, then applied to the profile the way the window's handler would.
#include <functional>
#include <string>
#include <vector>

#include "base/Result.h"
#include "device/DeviceLink.h"
#include "profile/AppData.h"

namespace orvane::cli {

struct SettingChange {
    std::string description;               // "polling 1000 Hz"
    std::vector<SyncGroup> groups;         // what the change marks dirty
    std::function<void(AppData&)> apply;   // writes the current profile
};

// Fails with a usage message (exit status 2). The DPI tables of the stored sensor check DPI
// values; the left-click rule is checked against the current profile.
Result<SettingChange> parseSettingChange(const std::vector<std::string>& words, const AppData& app,
                                         const DpiTables& tables);

// The rates `set polling` takes, in Hz.
std::vector<std::string> pollingRateWords();

// The active level after switching level k on or off, as the DPI section counts it.
int dpiLevelAfterToggle(int currentLevel, uint8_t maskBefore, int k, bool nowOn);

}  // namespace orvane::cli
