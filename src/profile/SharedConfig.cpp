#include "profile/SharedConfig.h"

#include <sys/stat.h>

#include "profile/ConfigMerge.h"
#include "profile/MacroLibraryFile.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileLimits.h"
#include "profile/SettingsFile.h"

namespace orvane {

namespace fs = std::filesystem;

bool SharedConfig::Merged::Any() const {
    bool any = settings || library || sensor;
    for (bool p : profiles) any = any || p;
    return any;
}

SharedConfig::Stamp SharedConfig::StampOf(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    // A save replaces the file by a rename, so even a change within the clock's resolution
    // shows as a new inode.
    return Stamp{true, uint64_t(st.st_dev), uint64_t(st.st_ino), uint64_t(st.st_size),
                 int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

bool SharedConfig::Changed(const fs::path& path) const {
    auto it = stamps_.find(path);
    return it == stamps_.end() || !(it->second == StampOf(path));
}

void SharedConfig::Adopt(const AppData& app) {
    stamps_.clear();
    WroteSettings(app);
    for (int i = 0; i < kProfileCount; ++i) WroteProfile(app, i);
    WroteLibrary(app);
}

bool SharedConfig::ChangedOnDisk(const AppData& app) const {
    if (Changed(SettingsPath(app)) || Changed(LibraryPath(app))) return true;
    for (int i = 0; i < kProfileCount; ++i)
        if (Changed(app.settings.GetSlotPath(i))) return true;
    return false;
}

SharedConfig::Merged SharedConfig::MergeFromDisk(AppData& app) {
    Merged m;
    // Ours as it would be saved: the window keeps the current profile apart from the table.
    Settings ours = app.settings;
    ours.SetCurrentProfile(app.currentProfile);
    if (Changed(SettingsPath(app))) {
        auto theirs = ReadSettingsFile(SettingsPath(app), baseSettings_);
        if (theirs && theirs->IndicesAreValid()) {
            Settings merged = MergeSettings(baseSettings_, ours, *theirs);
            m.settings = merged != ours;
            m.sensor = merged.GetSensor() != ours.GetSensor();
            baseSettings_ = *theirs;
            ours = std::move(merged);
        } else if (StampOf(SettingsPath(app)).exists) {
            app.unreadFiles.insert(SettingsPath(app));
        }
        stamps_[SettingsPath(app)] = StampOf(SettingsPath(app));
    }
    app.settings = ours;
    app.currentProfile = app.settings.GetCurrentProfile();
    if (m.sensor) app.SensorId = app.settings.GetSensor();

    for (int i = 0; i < kProfileCount; ++i) {
        const fs::path path = app.settings.GetSlotPath(i);
        if (!Changed(path)) continue;
        Profile& profile = app.profiles[size_t(i)];
        auto theirs = ReadProfileFileInto(path, baseProfiles_[size_t(i)]);
        if (theirs) {
            Profile merged = MergeProfile(baseProfiles_[size_t(i)], profile, *theirs);
            // A file edited behind our back is held to what the mouse takes, as at start-up.
            for (ProfileProblem& problem : RepairProfile(merged, i, app.language, app.SensorId))
                app.profileRepairs.push_back(ProfileRepair{i, std::move(problem)});
            m.profiles[size_t(i)] = merged != profile;
            baseProfiles_[size_t(i)] = std::move(theirs.value());
            profile = std::move(merged);
        } else if (StampOf(path).exists) {
            app.unreadFiles.insert(path);
        }
        stamps_[path] = StampOf(path);
    }

    if (Changed(LibraryPath(app))) {
        MacroLibrary theirs;
        if (ReadLibraryFile(theirs, LibraryPath(app))) {
            MacroLibrary merged = MergeLibrary(baseLibrary_, app.library, theirs);
            m.library = !(merged == app.library);
            baseLibrary_ = std::move(theirs);
            app.library = std::move(merged);
        } else if (StampOf(LibraryPath(app)).exists) {
            app.unreadFiles.insert(LibraryPath(app));
        }
        stamps_[LibraryPath(app)] = StampOf(LibraryPath(app));
    }
    return m;
}

void SharedConfig::WroteSettings(const AppData& app) {
    baseSettings_ = app.settings;
    baseSettings_.SetCurrentProfile(app.currentProfile);
    stamps_[SettingsPath(app)] = StampOf(SettingsPath(app));
}

void SharedConfig::WroteProfile(const AppData& app, int index) {
    if (index < 0 || index >= kProfileCount) return;
    baseProfiles_[size_t(index)] = app.profiles[size_t(index)];
    const fs::path path = app.settings.GetSlotPath(index);
    stamps_[path] = StampOf(path);
}

void SharedConfig::WroteLibrary(const AppData& app) {
    baseLibrary_ = app.library;
    stamps_[LibraryPath(app)] = StampOf(LibraryPath(app));
}

}  // namespace orvane
