// What the start-up read of the config folder tells the user, and what it keeps quiet about.
#include <gtest/gtest.h>

#include "RecordingFileCalls.h"
#include "TestFiles.h"
#include "profile/AppData.h"
#include "profile/ConfigFolderLoad.h"
#include "profile/SettingsFile.h"
#include "profile/Storage.h"

namespace orvane {
namespace {

using testing::Utf16File;

class ConfigFolderLoad : public testing::TempAppDir {
protected:
    void SetUp() override {
        TempAppDir::SetUp();
        Put(Config("Lan_EN.txt"), Utf16File({"[Setting]", "0=English", "85=First"}));
    }
    static bool Says(const std::vector<std::string>& lines, const std::string& what) {
        for (const std::string& line : lines)
            if (line.find(what) != std::string::npos) return true;
        return false;
    }
    static std::string Joined(const std::vector<std::string>& lines) {
        std::string all;
        for (const std::string& line : lines) all += line + "\n";
        return all;
    }
};

TEST_F(ConfigFolderLoad, AFreshFolderAndASecondStartAreNoNews) {
    AppData first(dir_);
    EXPECT_EQ(LoadConfigFolder(first, 1.0), std::vector<std::string>{});  // no library yet: an empty one
    EXPECT_EQ(first.profiles[0].GetProfileName(), u"First");
    AppData second(dir_);
    EXPECT_EQ(LoadConfigFolder(second, 1.0), std::vector<std::string>{});
}

TEST_F(ConfigFolderLoad, UnusableFilesAreToldOneLineEach) {
    Put(Config("Lan_EN.txt"), Utf16File({"[Setting]", "0=English", "not a line"}));
    Put(Config("MacroLibraryFile.mlf"), "not a library");
    AppData app(dir_);
    const auto said = LoadConfigFolder(app, 1.0);
    ASSERT_EQ(said.size(), 2u) << Joined(said);
    EXPECT_NE(said[0].find(Config("Lan_EN.txt").string()), std::string::npos) << said[0];
    EXPECT_NE(said[1].find(Config("MacroLibraryFile.mlf").string()), std::string::npos) << said[1];
    EXPECT_NE(said[1].find("starts empty"), std::string::npos) << said[1];
    // Told once: the library was replaced, so the next start has nothing to say about it.
    AppData again(dir_);
    EXPECT_FALSE(Says(LoadConfigFolder(again, 1.0), "MacroLibraryFile.mlf"));
}

TEST_F(ConfigFolderLoad, FilesThatCouldNotBeWrittenAreTold) {
    AppData seeded(dir_);
    ASSERT_TRUE(LoadConfigFolder(seeded, 1.0).empty());
    const std::string bad = testing::Utf16Raw(u"[Setting]\r\n");
    Put(Config("default2.psf"), bad);
    Put(Config("MacroLibraryFile.mlf"), bad);
    testing::RecordingFileCalls sys;
    sys.failWhen = [](const testing::FileCall& c) {
        return c.op == "rename" && c.to.find(".bak") != std::string::npos;
    };
    AppData app(dir_);
    const auto said = LoadConfigFolder(app, 1.0);
    ASSERT_EQ(said.size(), 2u) << Joined(said);
    // The library: why it is empty, and that the old file is still there.
    EXPECT_NE(said[0].find("MacroLibraryFile.mlf"), std::string::npos) << said[0];
    EXPECT_NE(said[0].find("the empty library was not written in its place"), std::string::npos) << said[0];
    // The profile reset to its defaults that could not replace its file.
    EXPECT_NE(said[1].find("default2.psf"), std::string::npos) << said[1];
    EXPECT_NE(said[1].find("no copy of it could be kept"), std::string::npos) << said[1];
    EXPECT_EQ(Get(Config("default2.psf")), bad);
}

TEST_F(ConfigFolderLoad, SettingsCorrectedBeforeUseAreToldEntryByEntry) {
    AppData seeded(dir_);
    ASSERT_TRUE(LoadConfigFolder(seeded, 1.0).empty());
    Settings edited = seeded.settings;
    edited.SetValue(SettingKey::NeedPassword, u"2");
    edited.SetProfileShowCount(9);
    edited.SetValue(SettingKey::ProfileSlot2URL, u"/elsewhere/mine.psf");
    Put(Config("config.ini"), FormatSettingsFile(edited));

    AppData app(dir_);
    const auto said = LoadConfigFolder(app, 1.0);
    const std::string stored = Config("config.ini").string() + " as stored: ";
    ASSERT_EQ(said.size(), 3u) << Joined(said);
    // A start mode that is neither "with the session" nor "by the user" becomes its default.
    EXPECT_EQ(said[0], stored + "NeedPassword=2: set to 1");
    EXPECT_EQ(said[1], stored + "ProfileShowCount=9: set to 5");
    EXPECT_EQ(said[2], stored + "ProfileSlot2URL=/elsewhere/mine.psf: set to " + Config("default2.psf").string());
    EXPECT_TRUE(app.settings.GetNeedPassword());
    EXPECT_EQ(app.settings.GetProfileShowCount(), 5);
    // The corrected values are what the next save writes; after it there is nothing to tell.
    ASSERT_TRUE(WriteSettings(app).ok());
    AppData again(dir_);
    EXPECT_EQ(LoadConfigFolder(again, 1.0), std::vector<std::string>{});
}

TEST_F(ConfigFolderLoad, AReadOnlySessionIsSilentAboutTheWritesItLeavesOut) {
    Put(Config("default1.psf"), "not a profile");
    AppData app(dir_);
    app.readOnly = true;
    EXPECT_EQ(LoadConfigFolder(app, 1.0), std::vector<std::string>{});
    EXPECT_FALSE(Exists(Config("config.ini")));
}

}  // namespace
}  // namespace orvane
