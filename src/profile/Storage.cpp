#include "profile/Storage.h"

#include <functional>
#include <vector>

#include "profile/AppData.h"
#include "profile/AtomicFile.h"
#include "profile/MacroLibraryFile.h"
#include "profile/NameRules.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLimits.h"
#include "profile/SettingsFile.h"
#include "profile/SettingsRepair.h"

namespace orvane {
namespace {

bool Exists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

// A file that is there but could not be used must be kept before it is replaced.
void NoteUnread(AppData& app, const std::filesystem::path& path, const Error& why, bool damaged) {
    if (path.empty() || !Exists(path)) return;
    app.unreadFiles.insert(path);
    app.fileTroubles[path] = AppData::FileTrouble{why, damaged, {}};
}

// The file's bytes parsed by `parse`, or why not; `damaged` tells a file that was read but
// refused from one that could not be read at all.
template <typename T, typename Parse>
Result<T> ReadAndParse(const std::filesystem::path& path, Parse parse, bool& damaged) {
    auto bytes = ReadFileBytes(path);
    damaged = bytes.ok();
    if (!bytes) return bytes.error();
    Result<T> parsed = parse(std::string_view(*bytes));
    if (!parsed) return makeError(parsed.error().code, path.string() + ": " + parsed.error().context);
    return parsed;
}

// Every save of the folder's files: sets an unread file aside first and never writes in a
// read-only session.
Status ReplaceFile(AppData& app, const std::filesystem::path& path,
                   const std::function<Status(const std::filesystem::path&)>& write) {
    if (app.readOnly) return makeError(0, path.string() + ": not saved (nothing is written in this session)");
    if (auto unread = app.unreadFiles.find(path); unread != app.unreadFiles.end()) {
        if (Exists(path)) {
            if (IsReadOnlyFile(path)) return makeError(0, path.string() + " is read-only: not replaced");
            auto kept = SetAside(path);
            if (!kept) {
                return makeError(kept.error().code, path.string() + " could not be read and no copy of it could be kept (" +
                                                        kept.error().context + "): not replaced");
            }
            if (auto trouble = app.fileTroubles.find(path); trouble != app.fileTroubles.end())
                trouble->second.keptAs = *kept;
        }
        app.unreadFiles.erase(unread);
    }
    return write(path);
}

// Every entry present: a file that stops early is as broken as one with a bad line.
bool Complete(const Settings& s) {
    for (int n = 0; n < kSettingCount; ++n) {
        if (s.GetEntry(n, 1).empty()) return false;
    }
    return true;
}

bool HoldsDefaultSteps(const Profile& p, uint16_t sensorId) {
    const auto* steps = DefaultDpiSteps(sensorId);
    return steps != nullptr && p.XYSetting == *steps;
}

Status FirstFailure(const Status& a, const Status& b) { return a ? b : a; }

// A save that loading could not make. In a read-only session nothing is written on purpose, so
// there is nothing to tell.
void NoteUnsaved(const AppData& app, const Status& saved, std::vector<Error>& unsaved) {
    if (!saved && !app.readOnly) unsaved.push_back(saved.error());
}

}  // namespace

bool ReadProfileFile(AppData& app, int i, const std::filesystem::path& path, std::vector<Error>& unsaved) {
    if (i < 0 || i >= kProfileCount) return false;
    Profile& profile = app.profiles[size_t(i)];
    bool damaged = false;
    auto read = ReadAndParse<Profile>(
        path, [&](std::string_view bytes) { return ParseProfileFile(bytes, profile); }, damaged);
    if (read) {
        profile = std::move(read.value());
        // A hand-edited file must not hand the mouse values it cannot take, or leave it
        // without a left click; the rest of the file is kept as it is.
        for (ProfileProblem& problem : RepairProfile(profile, i, app.language, app.SensorId))
            app.profileRepairs.push_back(ProfileRepair{i, std::move(problem)});
        return true;
    }
    app.ResetProfileToDefaults(i);
    if (path == app.settings.GetSlotPath(i)) NoteUnread(app, path, read.error(), damaged);
    NoteUnsaved(app, SaveProfile(app, i), unsaved);
    return false;
}

std::vector<Error> LoadSettingsAndProfiles(AppData& app) {
    std::vector<Error> unsaved;
    // How many leftovers went is of no interest; one that stays is tried again next start.
    if (!app.readOnly) (void)RemoveStaleTemporaries(app.configDir);
    const std::filesystem::path path = app.Config("config.ini");
    bool damaged = false;
    auto read = ReadAndParse<Settings>(
        path, [](std::string_view bytes) { return ParseSettingsFile(bytes, Settings{}); }, damaged);
    const bool settingsRead = read && Complete(*read);
    if (settingsRead) {
        app.settings = std::move(read.value());
        // Repaired values are used from here on and reach the file with the next save.
        app.settingsRepairs = RepairSettings(app.settings, app.configDir);
    } else {
        NoteUnread(app, path, read ? makeError(0, "some settings are missing") : read.error(), damaged);
        app.settings.ResetToDefaults(app.configDir);
    }
    app.currentProfile = app.settings.GetCurrentProfile();
    // Profiles reset below need the stored sensor's DPI steps, not those of an unknown sensor.
    app.SensorId = app.settings.GetSensor();
    // A bad settings file no longer costs the profiles: each is read from its slot and only a
    // missing or malformed one is reset.
    bool anyProfileRead = false;
    for (int i = 0; i < kProfileCount; ++i)
        anyProfileRead |= ReadProfileFile(app, i, app.settings.GetSlotPath(i), unsaved);

    if (!settingsRead) {
        // Profiles that survived the settings were made for a sensor nobody recorded; fresh
        // defaults were made for the default one.
        if (anyProfileRead) app.settings.SetPreST(kUnknownSensorPreST);
        NoteUnsaved(app, WriteSettings(app), unsaved);
        return unsaved;
    }
    const uint16_t storedSensor = uint16_t(~app.settings.GetPreST());
    if (SensorOfProfilesKnown(app.settings) && storedSensor != app.SensorId)
        NoteUnsaved(app, ApplySensorChange(app, app.SensorId), unsaved);
    return unsaved;
}

Status WriteSettings(AppData& app) {
    return ReplaceFile(app, app.Config("config.ini"),
                       [&](const std::filesystem::path& p) { return WriteSettingsFile(app.settings, p); });
}

Status SaveCurrentProfileIndex(AppData& app) {
    app.settings.SetCurrentProfile(app.currentProfile);
    return WriteSettings(app);
}

Status SaveProfile(AppData& app, int i) {
    if (i < 0 || i >= kProfileCount) return makeError(EINVAL, "save profile " + std::to_string(i + 1));
    const std::filesystem::path slot = app.settings.GetSlotPath(i);
    if (!IsUsableSlotPath(slot, app.configDir)) {
        return makeError(0, "profile " + std::to_string(i + 1) + ": " + slot.string() +
                                " is not a profile file of " + app.configDir.string() + ": not saved");
    }
    return ReplaceFile(app, slot, [&](const std::filesystem::path& p) {
        return WriteProfileFile(app.profiles[size_t(i)], p);
    });
}

Status SaveAllProfiles(AppData& app) {
    Status first;
    for (int i = 0; i < kProfileCount; ++i) first = FirstFailure(first, SaveProfile(app, i));
    return first;
}

ProfileSet RecordSensorChange(AppData& app, uint16_t sensorId) {
    ProfileSet changed;
    const bool known = SensorOfProfilesKnown(app.settings);
    const auto* newSteps = DefaultDpiSteps(sensorId);
    for (int i = 0; i < kProfileCount; ++i) {
        Profile& p = app.profiles[size_t(i)];
        const Profile before = p;
        if (known) {
            ApplySensorDefaults(p, sensorId);
        } else if (newSteps != nullptr && HoldsDefaultSteps(p, app.SensorId)) {
            p.XYSetting = *newSteps;
        }
        changed[size_t(i)] = !(p == before);
    }
    app.SensorId = sensorId;
    app.settings.SetSensor(sensorId);
    app.settings.SetPreST(uint16_t(~sensorId));
    return changed;
}

Status ApplySensorChange(AppData& app, uint16_t sensorId) {
    const ProfileSet changed = RecordSensorChange(app, sensorId);
    Status result = SaveCurrentProfileIndex(app);
    for (int i = 0; i < kProfileCount; ++i) {
        if (changed[size_t(i)]) result = FirstFailure(result, SaveProfile(app, i));
    }
    return result;
}

Status ResetCurrentProfileKeepingName(AppData& app) {
    const int i = app.CurrentIndex();
    Text name = app.profiles[size_t(i)].GetProfileName();
    app.ResetProfileToDefaults(i);
    app.profiles[size_t(i)].SetProfileName(std::move(name));
    return SaveProfile(app, i);
}

Status ImportProfile(AppData& app, int i, const std::filesystem::path& path) {
    if (i < 0 || i >= kProfileCount) return makeError(EINVAL, "import into profile " + std::to_string(i + 1));
    auto read = ReadImportedProfile(path, app.profiles[size_t(i)]);
    if (!read) return read.error();
    app.profiles[size_t(i)] = std::move(read.value());
    return FirstFailure(SaveCurrentProfileIndex(app), SaveAllProfiles(app));
}

Result<Profile> ReadImportedProfile(const std::filesystem::path& path, const Profile& base) {
    auto read = ReadProfileFileInto(path, base);
    if (!read) return read.error();
    if (const NameCheck name = CheckImportedProfileName(read->GetProfileName()); !name) {
        return makeError(0, path.string() + ": " + name.Describe("profile name"));
    }
    // An import is asked for now, so a value the mouse would not take is refused rather than
    // quietly changed: the user can fix the file or choose another.
    if (const auto problems = FindProfileProblems(*read); !problems.empty())
        return makeError(0, path.string() + ": " + DescribeProblems(problems));
    return read;
}

Status LoadLibraryFile(AppData& app) {
    const std::filesystem::path path = app.Config("MacroLibraryFile.mlf");
    bool damaged = false;
    auto read = ReadAndParse<MacroLibrary>(path, ParseLibraryFile, damaged);
    if (read) {
        app.library = std::move(read.value());
        return {};
    }
    app.library.ClearLibrary();
    NoteUnread(app, path, read.error(), damaged);
    const Status replaced = SaveLibraryFile(app, app.library);
    if (replaced || app.readOnly) return read.error();
    // Both halves matter: why the library is empty, and that the file on disk is still the old one.
    return makeError(0, read.error().message() + "; the empty library was not written in its place: " +
                            replaced.error().message());
}

Status SaveLibraryFile(AppData& app, const MacroLibrary& library) {
    return ReplaceFile(app, app.Config("MacroLibraryFile.mlf"),
                       [&](const std::filesystem::path& p) { return WriteLibraryFile(library, p); });
}

}  // namespace orvane
