#pragma once
// Everything the application keeps for the whole process. The application owns one and passes it
// by reference; tests make their own.
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include "base/Result.h"
#include "base/Text.h"
#include "profile/LanguageChoice.h"
#include "profile/LanguageTable.h"
#include "profile/MacroLibrary.h"
#include "profile/Profile.h"
#include "profile/ProfileLimits.h"
#include "profile/Settings.h"
#include "profile/SettingsRepair.h"

namespace orvane {

// The folder that holds config.ini itself (see AppPaths.h for how it is chosen).
struct ConfigFolder {
    std::filesystem::path path;
};

struct AppData {
    // An application folder laid out as in the build tree: its files are in config/.
    explicit AppData(const std::filesystem::path& applicationFolder = {})
        : configDir(applicationFolder / "config") {}
    explicit AppData(ConfigFolder folder) : configDir(std::move(folder.path)) {}

    // A file of the config folder, e.g. Config("config.ini").
    [[nodiscard]] std::filesystem::path Config(std::string_view name) const { return configDir / name; }

    [[nodiscard]] Profile& Current() { return profiles[size_t(CurrentIndex())]; }
    [[nodiscard]] const Profile& Current() const { return profiles[size_t(CurrentIndex())]; }
    [[nodiscard]] int CurrentIndex() const {
        return currentProfile >= 0 && currentProfile < kProfileCount ? currentProfile : 0;
    }

    // Resets profile i (0-4) with this table's names and this SensorId.
    void ResetProfileToDefaults(int i);

    std::array<Text, 4> batteryTexts{u"25%", u"50%", u"75%", u"100%"};
    MacroLibrary library;
    FontChoice font;
    Settings settings;
    std::array<Profile, kProfileCount> profiles;
    LanguageTable language;
    LanguageSources languageSources;
    LanguageChoice languageChoice;  // the language loading chose, and whether the user chose it
    std::filesystem::path configDir;
    uint16_t SensorId = 0;
    int32_t currentProfile = 0;  // mirror of the CurrentProfile setting, kept within 0-4

    // Files of the config folder that exist but could not be read or were malformed: each is set
    // aside (NAME.bak, ...) before anything replaces it, and is not replaced while that fails.
    std::set<std::filesystem::path> unreadFiles;
    // What loading found wrong with a file of the folder, for the user to be told: why it could
    // not be used and, once it has been set aside, the copy that keeps it.
    struct FileTrouble {
        Error error;
        bool damaged = false;  // its bytes were read but are not a valid file (else: unreadable)
        std::filesystem::path keptAs;
    };
    std::map<std::filesystem::path, FileTrouble> fileTroubles;
    // Values of the loaded profiles that the mouse would not take, each set back to its default
    // in memory (the file keeps them until the profile is next saved), for the user to be told.
    std::vector<ProfileRepair> profileRepairs;
    // Entries of config.ini that could not be used as stored, each corrected in memory (the file
    // keeps them until the settings are next saved), for the user to be told.
    std::vector<SettingRepair> settingsRepairs;
    // A session that must not change any file (inspection only): loading repairs nothing on disk
    // and every save through Storage fails.
    bool readOnly = false;
};

}  // namespace orvane
