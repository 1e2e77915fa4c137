#pragma once
// Where the application's files live. Two kinds of folder are told apart:
//  - the configuration folder: settings, profiles, macro library and language files, written by
//    the programs (config.ini sits directly in it);
//  - the shipped folder: what the build or the package installs read-only (skins/, resources/
//    and the default files in config/ that a new configuration folder is seeded from).
// In the build tree (or an unpacked portable copy) both are the executable's folder; an
// installed program reads P/share/orvane and keeps each user's files in $XDG_CONFIG_HOME/orvane.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Result.h"

namespace orvane {

enum class FolderChoice {
    AppDirOption,       // --app-dir DIR: DIR/config
    AppDirEnvironment,  // ORVANE_APP_DIR=DIR: DIR/config
    Portable,           // the executable's folder holds a writable config/
    PerUser,            // $XDG_CONFIG_HOME/orvane (default ~/.config/orvane)
};

struct AppFolders {
    std::filesystem::path config;   // the configuration folder in use
    std::filesystem::path shipped;  // holds skins/, resources/ and the default config/
    FolderChoice choice = FolderChoice::PerUser;
    bool simulation = false;  // config is the simulation/ folder of the real one
};

// What a run asked for on its command line.
struct FolderRequest {
    std::optional<std::filesystem::path> appDir;  // --app-dir
    bool simulate = false;
};

// The parts of the process's surroundings the choice depends on, so it can be tested.
struct FolderEnvironment {
    std::function<std::optional<std::string>(const char*)> getenv;
    std::filesystem::path executableFolder;
    std::filesystem::path installedDataFolder;  // the prefix's share/orvane, fixed at build time
    std::function<bool(const std::filesystem::path&)> writableFolder;

    static FolderEnvironment Current();
};

// The names of the shipped default files a new configuration folder receives. The language files
// are not among them: they are read from the shipped folder, under any copy the user keeps in the
// configuration folder (LoadLanguage), so a newer version's texts reach every user. Nor is the
// language selector: without one the interface follows the locale.
inline constexpr const char* kSeededFiles[] = {"MacroLibraryFile.mlf"};

// Chooses the folders; creates nothing. Fails only when no home folder can be found.
Result<AppFolders> ResolveFolders(const FolderRequest& request, const FolderEnvironment& env);
Result<AppFolders> ResolveFolders(const FolderRequest& request);

// Creates the configuration folder when needed and copies into it each shipped default file it
// lacks (never over an existing file). config.ini and the profiles are made by the first load.
Status PrepareConfigFolder(const AppFolders& folders);

// One line for --help and status: the folder and why it was chosen.
std::string DescribeConfigFolder(const AppFolders& folders);
// Only the why, e.g. "from --app-dir".
std::string ConfigFolderReason(const AppFolders& folders);

// $XDG_CONFIG_HOME, else ~/.config; none without a home folder.
std::optional<std::filesystem::path> UserConfigHome(const FolderEnvironment& env);

// The folder holding the shipped skins/, resources/ and default config/ of this program.
std::filesystem::path ShippedFolder();

// Where a shipped file is looked for, in order: the user's own folder first (DIR of --app-dir
// or ORVANE_APP_DIR, else the per-user folder), then the shipped folder. A skin folder that
// holds only some pictures thus changes those and keeps the rest, and --app-dir pointing at an
// empty folder still draws the installed skin. The language files follow the same rule
// (LanguageFolders); the default macro library is copied into the configuration folder when it
// lacks one (PrepareConfigFolder).
std::vector<std::filesystem::path> PictureFolders(const FolderEnvironment& env, const FolderRequest& request = {});
// The same folders as the picture cache takes them: names, "./" for the current folder.
std::vector<std::string> PictureFolderNames(const FolderEnvironment& env, const FolderRequest& request = {});

std::filesystem::path ExecutableFolder();

// Where decoded pictures are kept between starts (a cache, see PictureStore): for the per-user
// folder $XDG_CACHE_HOME/orvane/pictures (default ~/.cache/orvane/pictures), else a cache/
// folder beside the configuration folder (DIR/cache/pictures for --app-dir DIR, the executable's
// folder's cache/pictures for a portable copy). None without a home folder.
std::optional<std::filesystem::path> PictureStoreFolder(const AppFolders& folders, const FolderEnvironment& env);

}  // namespace orvane
