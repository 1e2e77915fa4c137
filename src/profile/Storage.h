#pragma once
// Loading and saving the application's files as a whole: settings, the five profiles and the
// main macro library. Every save of these files goes through here, so that
//  - a file that exists but could not be read (or was malformed) is set aside as NAME.bak, or
//    NAME.bak.1 and so on, before anything replaces it, and is not replaced while that fails;
//  - a file its owner made read-only is never replaced;
//  - profiles are written only to slot paths inside the config folder.
#include <bitset>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/Result.h"
#include "profile/Profile.h"

namespace orvane {

struct AppData;
class MacroLibrary;

using ProfileSet = std::bitset<kProfileCount>;

// Start-up read of profile i: fills it from `path` (repairing, and recording in
// app.profileRepairs, values the mouse would not take) and returns true, or (file missing or
// malformed) resets profile i, writes it to its slot path (a write that fails is added to
// `unsaved`) and returns false. Afterwards the profile is always complete. For import use
// ImportProfile, which never resets anything.
bool ReadProfileFile(AppData& app, int i, const std::filesystem::path& path, std::vector<Error>& unsaved);

// The start-up sequence: removes what killed saves left behind, reads and repairs the settings,
// reads the five profiles, then reconciles their DPI defaults with the stored sensor. A missing or
// malformed config.ini returns the settings to their defaults but resets only the profiles whose
// own files are missing or malformed; the sensor those kept profiles were made for is then
// unknown until the mouse reports one (see RecordSensorChange). Returns the writes this sequence
// could not make (the files on disk then differ from what is used), for the caller to tell once.
std::vector<Error> LoadSettingsAndProfiles(AppData& app);

Status WriteSettings(AppData& app);
// Writes the current profile index into the table and the table to config.ini.
Status SaveCurrentProfileIndex(AppData& app);
// Writes profile i to its slot path.
Status SaveProfile(AppData& app, int i);
// Writes each profile to its slot path; tries all five and reports the first failure.
Status SaveAllProfiles(AppData& app);

// The mouse reported sensorId. Records it in the settings and the DPI tables' SensorId and returns
// the profiles it changed (in memory only). When the settings knew the profiles' sensor, every
// profile gets the new sensor's DPI defaults. When they did not (the settings had been reset),
// the mouse's sensor is adopted: a profile keeps its DPI settings, except that step indices that
// are still the old sensor's defaults become the new sensor's defaults.
ProfileSet RecordSensorChange(AppData& app, uint16_t sensorId);
// RecordSensorChange, then the settings and the changed profiles are saved.
Status ApplySensorChange(AppData& app, uint16_t sensorId);
// Factory reset of the current profile: defaults except its name, then its slot file.
Status ResetCurrentProfileKeepingName(AppData& app);

// Import into profile i: the file is read into a separate record first, so a bad file (or one
// whose profile name breaks the name rules, or with a value the mouse would not take) changes
// nothing and reports why, naming the field; a good one replaces
// profile i and all profiles and settings are saved.
Status ImportProfile(AppData& app, int i, const std::filesystem::path& path);
// The reading half of an import: the profile the file holds (over `base`, as the reader fills a
// record), or why it cannot be taken. Nothing is changed or written.
Result<Profile> ReadImportedProfile(const std::filesystem::path& path, const Profile& base);

// The main window's library: read config/MacroLibraryFile.mlf into app.library (which should be
// empty); a missing or bad file is set aside and replaced by an empty library. Fails when the file
// could not be read; when the empty library could not be written either, the failure says both.
Status LoadLibraryFile(AppData& app);
// Writes `library` to config/MacroLibraryFile.mlf with the same protection as the other files.
Status SaveLibraryFile(AppData& app, const MacroLibrary& library);

}  // namespace orvane
