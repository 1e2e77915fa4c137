#pragma once
// Loading and saving the application's files as a whole: settings, the five profiles and the
// main macro library, with the recovery that keeps a copy of anything it replaces.
#include <cstdint>
#include <filesystem>

#include "base/Result.h"

namespace orvane {

struct AppData;

// Start-up read of profile i: fills it from `path`, or (file missing or malformed) keeps the bad
// file as NAME.bak, resets profile i and writes it to its slot path. Afterwards the profile is
// always complete. For import use ReadProfileFileInto, which never resets anything.
void ReadProfileFile(AppData& app, int i, const std::filesystem::path& path);

// The start-up sequence: settings, the five profiles, then the DPI defaults reconciled with the
// stored sensor. A missing or malformed config.ini (kept as config.ini.bak) returns the settings
// to their defaults but resets only the profiles whose own files are missing or malformed.
void LoadSettingsAndProfiles(AppData& app);

Status WriteSettings(const AppData& app);
// Writes the current profile index into the table and the table to config.ini.
Status SaveCurrentProfileIndex(AppData& app);
// Writes each profile to its slot path; tries all five and reports the first failure.
Status SaveAllProfiles(const AppData& app);
// The mouse reported another sensor: record it, give every profile its DPI defaults, save.
Status ApplySensorChange(AppData& app, uint16_t sensorId);
// Factory reset of the current profile: defaults except its name, then its slot file.
Status ResetCurrentProfileKeepingName(AppData& app);

// Import into profile i: the file is read into a separate record first, so a bad file (or one
// whose profile name breaks the name rules) changes nothing and reports why; a good one replaces profile i and all profiles and settings are saved.
Status ImportProfile(AppData& app, int i, const std::filesystem::path& path);

// The main window's library: read config/MacroLibraryFile.mlf into app.library (which should be
// empty); a missing or bad file is kept as .bak and replaced by an empty library.
Status LoadLibraryFile(AppData& app);

}  // namespace orvane
