#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "profile/AppPaths.h"
#include "profile/AtomicFile.h"
#include "profile/TestFiles.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

// A program laid out as the build tree or as an install, in a temporary folder.
class AppPathsTest : public testing::TempAppDir {
protected:
    FolderEnvironment Env(const fs::path& exeFolder) {
        FolderEnvironment env;
        env.getenv = [this](const char* name) -> std::optional<std::string> {
            auto it = vars_.find(name);
            if (it == vars_.end()) return std::nullopt;
            return it->second;
        };
        env.executableFolder = exeFolder;
        env.installedDataFolder = "/usr/share/orvane";
        env.writableFolder = [](const fs::path& p) {
            return fs::is_directory(p) && ::access(p.c_str(), W_OK) == 0;
        };
        return env;
    }
    AppFolders Resolve(const FolderRequest& request, const fs::path& exe) {
        auto f = ResolveFolders(request, Env(exe));
        EXPECT_TRUE(f.ok()) << (f.ok() ? "" : f.error().message());
        return f.ok() ? *f : AppFolders{};
    }
    fs::path MakeFolder(const fs::path& rel) {
        fs::create_directories(dir_ / rel);
        return dir_ / rel;
    }

    std::map<std::string, std::string> vars_{{"HOME", "/home/ada"}};
};

TEST_F(AppPathsTest, TheConfigFolderIsChosenByOptionThenEnvironmentThenPortableThenPerUser) {
    const fs::path build = MakeFolder("build/bin");
    fs::create_directories(build / "config");
    const fs::path installed = MakeFolder("usr/bin");

    AppFolders f = Resolve({}, installed);
    EXPECT_EQ(f.config, fs::path("/home/ada/.config/orvane"));
    EXPECT_EQ(f.choice, FolderChoice::PerUser);

    vars_["XDG_CONFIG_HOME"] = "/cfg";
    EXPECT_EQ(Resolve({}, installed).config, fs::path("/cfg/orvane"));
    vars_["XDG_CONFIG_HOME"] = "relative/cfg";  // not absolute: ignored
    EXPECT_EQ(Resolve({}, installed).config, fs::path("/home/ada/.config/orvane"));

    f = Resolve({}, build);
    EXPECT_EQ(f.config, build / "config");
    EXPECT_EQ(f.choice, FolderChoice::Portable);

    vars_["ORVANE_APP_DIR"] = "/srv/mouse";
    f = Resolve({}, build);
    EXPECT_EQ(f.config, fs::path("/srv/mouse/config"));
    EXPECT_EQ(f.choice, FolderChoice::AppDirEnvironment);

    f = Resolve({fs::path("/opt/mine"), false}, build);
    EXPECT_EQ(f.config, fs::path("/opt/mine/config"));
    EXPECT_EQ(f.choice, FolderChoice::AppDirOption);
}

// Pictures come from the user's folder where it has them and from the shipped skin otherwise, so
// --app-dir naming a folder without skins/ (as an autostart entry written with it does) still
// draws the window.
TEST_F(AppPathsTest, PicturesAreLookedForInTheUsersFolderThenInTheShippedOne) {
    const fs::path build = MakeFolder("build/bin");
    fs::create_directories(build / "config");
    const fs::path installed = MakeFolder("usr/bin");
    const fs::path shipped = "/usr/share/orvane";  // the installed data folder of Env()

    EXPECT_EQ(PictureFolders(Env(installed)), (std::vector<fs::path>{"/home/ada/.config/orvane", shipped}));
    EXPECT_EQ(PictureFolders(Env(build)), (std::vector<fs::path>{build}));  // portable: one folder
    vars_["ORVANE_APP_DIR"] = (dir_ / "mine").string();
    EXPECT_EQ(PictureFolders(Env(build)), (std::vector<fs::path>{dir_ / "mine", build}));
    EXPECT_EQ(PictureFolders(Env(installed)), (std::vector<fs::path>{dir_ / "mine", shipped}));
    vars_["ORVANE_APP_DIR"] = build.string();  // the shipped folder itself: searched once
    EXPECT_EQ(PictureFolders(Env(build)), (std::vector<fs::path>{build}));
    // --app-dir is handed in and wins over the variable, as for the configuration folder; a
    // simulation does not move the pictures.
    const FolderRequest option{dir_ / "option", true};
    EXPECT_EQ(PictureFolders(Env(installed), option), (std::vector<fs::path>{dir_ / "option", shipped}));
    EXPECT_EQ(PictureFolderNames(Env(installed), option),
              (std::vector<std::string>{(dir_ / "option").string(), shipped.string()}));
}

TEST_F(AppPathsTest, AReadOnlyConfigBesideTheProgramIsNotPortable) {
    const fs::path exe = MakeFolder("ro/bin");
    fs::create_directories(exe / "config");
    FolderEnvironment env = Env(exe);
    env.writableFolder = [](const fs::path&) { return false; };
    auto f = ResolveFolders({}, env);
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f->choice, FolderChoice::PerUser);
    // The shipped defaults still come from beside the program.
    EXPECT_EQ(f->shipped, exe);
}

TEST_F(AppPathsTest, SimulationGetsItsOwnFolderUnlessOneIsNamed) {
    const fs::path build = MakeFolder("build/bin");
    fs::create_directories(build / "config");
    const fs::path installed = MakeFolder("usr/bin");

    AppFolders f = Resolve({std::nullopt, true}, installed);
    EXPECT_EQ(f.config, fs::path("/home/ada/.config/orvane/simulation"));
    EXPECT_TRUE(f.simulation);
    f = Resolve({std::nullopt, true}, build);
    EXPECT_EQ(f.config, build / "config" / "simulation");
    EXPECT_NE(DescribeConfigFolder(f).find("--simulate"), std::string::npos);

    f = Resolve({fs::path("/opt/mine"), true}, build);
    EXPECT_EQ(f.config, fs::path("/opt/mine/config"));
    EXPECT_FALSE(f.simulation);
    vars_["ORVANE_APP_DIR"] = "/srv/mouse";
    EXPECT_EQ(Resolve({std::nullopt, true}, installed).config, fs::path("/srv/mouse/config"));
}

// Decoded pictures are a cache: the user's cache folder for the per-user configuration (a
// simulation too: the pictures are the same), else beside the folder the run was given, never in
// the configuration folder itself.
TEST_F(AppPathsTest, DecodedPicturesAreKeptInTheCacheFolderOrBesideTheNamedOne) {
    const fs::path build = MakeFolder("build/bin");
    fs::create_directories(build / "config");
    const fs::path installed = MakeFolder("usr/bin");
    const auto where = [&](const FolderRequest& request, const fs::path& exe) {
        return PictureStoreFolder(Resolve(request, exe), Env(exe));
    };
    EXPECT_EQ(where({}, installed), fs::path("/home/ada/.cache/orvane/pictures"));
    EXPECT_EQ(where({std::nullopt, true}, installed), fs::path("/home/ada/.cache/orvane/pictures"));
    vars_["XDG_CACHE_HOME"] = "relative/cache";  // not absolute: ignored
    EXPECT_EQ(where({}, installed), fs::path("/home/ada/.cache/orvane/pictures"));
    vars_["XDG_CACHE_HOME"] = "/var/cache/ada";
    EXPECT_EQ(where({}, installed), fs::path("/var/cache/ada/orvane/pictures"));
    EXPECT_EQ(where({}, build), build / "cache" / "pictures");
    EXPECT_EQ(where({std::nullopt, true}, build), build / "cache" / "pictures");
    EXPECT_EQ(where({fs::path("/opt/mine"), true}, build), fs::path("/opt/mine/cache/pictures"));
    vars_["ORVANE_APP_DIR"] = "/srv/mouse";
    EXPECT_EQ(where({}, installed), fs::path("/srv/mouse/cache/pictures"));

    vars_.clear();
    AppFolders perUser;
    perUser.config = "/somewhere/orvane";
    EXPECT_EQ(PictureStoreFolder(perUser, Env(installed)), std::nullopt);
}

TEST_F(AppPathsTest, WithoutAnyHomeThereIsNoPerUserFolder) {
    vars_.clear();
    auto f = ResolveFolders({}, Env(MakeFolder("usr/bin")));
    ASSERT_FALSE(f.ok());
    EXPECT_NE(f.error().message().find("HOME"), std::string::npos);
}

TEST_F(AppPathsTest, ShippedFilesAreBesideTheProgramOrInTheRelocatedPrefixOrTheBuiltPrefix) {
    const fs::path build = MakeFolder("build/bin");
    fs::create_directories(build / "skins");
    EXPECT_EQ(Resolve({}, build).shipped, build);

    const fs::path staged = MakeFolder("stage/usr/bin");
    EXPECT_EQ(Resolve({}, staged).shipped, fs::path("/usr/share/orvane"));
    fs::create_directories(dir_ / "stage/usr/share/orvane");
    EXPECT_EQ(Resolve({}, staged).shipped, dir_ / "stage/usr/share/orvane");
}

TEST_F(AppPathsTest, PreparingCreatesAPrivateFolderAndSeedsOnlyMissingFiles) {
    const fs::path shipped = MakeFolder("share/orvane");
    fs::create_directories(shipped / "config");
    Put(shipped / "config" / "Lan_EN.txt", "shipped english");
    Put(shipped / "config" / "LanSetting.ini", "an old package's selector");
    Put(shipped / "config" / "MacroLibraryFile.mlf", "shipped macros");
    Put(shipped / "config" / "config.ini", "never seeded");

    AppFolders f;
    f.shipped = shipped;
    f.config = dir_ / "home/.config/orvane";
    ASSERT_TRUE(PrepareConfigFolder(f).ok());
    struct stat st {};
    ASSERT_EQ(::stat(f.config.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(Get(f.config / "MacroLibraryFile.mlf"), "shipped macros");
    EXPECT_FALSE(Exists(f.config / "config.ini"));
    // Language files are read where they are shipped, and without a selector the locale decides.
    EXPECT_FALSE(Exists(f.config / "Lan_EN.txt"));
    EXPECT_FALSE(Exists(f.config / "LanSetting.ini"));

    // The user's own files are never replaced, and a deleted one comes back.
    Put(f.config / "MacroLibraryFile.mlf", "my macros");
    ASSERT_TRUE(PrepareConfigFolder(f).ok());
    EXPECT_EQ(Get(f.config / "MacroLibraryFile.mlf"), "my macros");
    fs::remove(f.config / "MacroLibraryFile.mlf");
    ASSERT_TRUE(PrepareConfigFolder(f).ok());
    EXPECT_EQ(Get(f.config / "MacroLibraryFile.mlf"), "shipped macros");

    // The build tree's own config/ is the shipped folder itself: nothing to copy.
    f.config = shipped / "config";
    fs::remove(shipped / "config" / "LanSetting.ini");
    ASSERT_TRUE(PrepareConfigFolder(f).ok());
    EXPECT_FALSE(Exists(shipped / "config" / "LanSetting.ini"));
}

TEST_F(AppPathsTest, AFolderThatCannotBeMadeIsReported) {
    Put(dir_ / "file", "x");
    AppFolders f;
    f.shipped = dir_;
    f.config = dir_ / "file" / "orvane";
    Status s = PrepareConfigFolder(f);
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.error().message().find(f.config.parent_path().string()), std::string::npos);
}

}  // namespace
}  // namespace orvane
