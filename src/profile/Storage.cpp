#include "profile/Storage.h"

#include "profile/AppData.h"
#include "profile/AtomicFile.h"
#include "profile/MacroLibraryFile.h"
#include "profile/NameRules.h"
#include "profile/ProfileFile.h"
#include "profile/SettingsFile.h"

namespace orvane {
namespace {

// Keeps a copy of a file about to be replaced; true when it is safe to replace it.
bool BackedUpOrAbsent(const std::filesystem::path& path) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec)) return !ec;
    return KeepBackupCopy(path).ok();
}

// Settings whose values are later used as indices or paths must be confined before use.
Status CheckUsable(const Settings& s) {
    if (!s.IndicesAreValid()) return makeError(0, "profile indices out of range");
    for (int slot = 0; slot < 5; ++slot) {
        if (s.GetSlotPath(slot).empty()) return makeError(0, "profile slot path missing");
    }
    return {};
}

}  // namespace

void ReadProfileFile(AppData& app, int i, const std::filesystem::path& path) {
    if (i < 0 || i >= kProfileCount) return;
    Profile& profile = app.profiles[size_t(i)];
    auto read = ReadProfileFileInto(path, profile);
    if (read) {
        profile = std::move(read.value());
        return;
    }
    app.ResetProfileToDefaults(i);
    const std::filesystem::path slot = app.settings.GetSlotPath(i);
    if (BackedUpOrAbsent(slot)) (void)WriteProfileFile(profile, slot);
}

void LoadSettingsAndProfiles(AppData& app) {
    const std::filesystem::path path = app.Config("config.ini");
    auto read = ReadSettingsFile(path, app.settings);
    Status usable = read ? CheckUsable(*read) : Status(read.error());
    if (read && usable) {
        app.settings = std::move(read.value());
    } else {
        const bool safe = BackedUpOrAbsent(path);
        app.settings.ResetToDefaults(app.configDir);
        if (safe) (void)WriteSettings(app);
    }
    app.currentProfile = app.settings.GetCurrentProfile();
    // Profiles reset below need the stored sensor's DPI steps, not those of an unknown sensor.
    app.SensorId = app.settings.GetSensor();
    // A bad settings file no longer costs the profiles: each is read from its slot and only a
    // missing or malformed one is reset.
    for (int i = 0; i < kProfileCount; ++i) ReadProfileFile(app, i, app.settings.GetSlotPath(i));

    const uint16_t storedSensor = uint16_t(~app.settings.GetPreST());
    if (storedSensor != app.SensorId) (void)ApplySensorChange(app, app.SensorId);
}

Status WriteSettings(const AppData& app) {
    return WriteFileAtomically(app.Config("config.ini"), FormatSettingsFile(app.settings));
}

Status SaveCurrentProfileIndex(AppData& app) {
    app.settings.SetCurrentProfile(app.currentProfile);
    return WriteSettings(app);
}

Status SaveAllProfiles(const AppData& app) {
    Status first;
    for (int i = 0; i < kProfileCount; ++i) {
        Status s = WriteProfileFile(app.profiles[size_t(i)], app.settings.GetSlotPath(i));
        if (!s && first) first = s;
    }
    return first;
}

Status ApplySensorChange(AppData& app, uint16_t sensorId) {
    app.SensorId = sensorId;
    app.settings.SetSensor(sensorId);
    app.settings.SetPreST(uint16_t(~sensorId));
    Status settings = SaveCurrentProfileIndex(app);
    for (Profile& p : app.profiles) ApplySensorDefaults(p, sensorId);
    Status profiles = SaveAllProfiles(app);
    return settings ? profiles : settings;
}

Status ResetCurrentProfileKeepingName(AppData& app) {
    const int i = app.CurrentIndex();
    Text name = app.profiles[size_t(i)].GetProfileName();
    app.ResetProfileToDefaults(i);
    app.profiles[size_t(i)].SetProfileName(std::move(name));
    return WriteProfileFile(app.profiles[size_t(i)], app.settings.GetSlotPath(i));
}

Status ImportProfile(AppData& app, int i, const std::filesystem::path& path) {
    if (i < 0 || i >= kProfileCount) return makeError(EINVAL, "import into profile " + std::to_string(i));
    auto read = ReadProfileFileInto(path, app.profiles[size_t(i)]);
    if (!read) return read.error();
    if (const NameCheck name = CheckProfileName(read->GetProfileName()); !name) {
        return makeError(0, path.string() + ": " + name.Describe("profile name"));
    }
    app.profiles[size_t(i)] = std::move(read.value());
    Status settings = SaveCurrentProfileIndex(app);
    Status profiles = SaveAllProfiles(app);
    return settings ? profiles : settings;
}

Status LoadLibraryFile(AppData& app) {
    const std::filesystem::path path = app.Config("MacroLibraryFile.mlf");
    Status read = ReadLibraryFile(app.library, path);
    if (read) return read;
    app.library.ClearLibrary();
    if (!BackedUpOrAbsent(path)) return read;
    (void)WriteLibraryFile(app.library, path);
    return read;
}

}  // namespace orvane
