#include <gtest/gtest.h>

#include <fcntl.h>

#include "RecordingFileCalls.h"
#include "TestFiles.h"
#include "profile/AppData.h"
#include "profile/MacroLibraryFile.h"
#include "profile/ProfileFile.h"
#include "profile/SettingsFile.h"
#include "profile/Storage.h"

namespace orvane {
namespace {

using testing::Utf16File;

class Storage : public testing::TempAppDir {
protected:
    AppData Started() {
        AppData app(dir_);
        app.language.SetText(85, u"First");
        app.language.SetText(88, u"Fourth");
        LoadSettingsAndProfiles(app);
        return app;
    }

    std::vector<std::string> DefaultSettingsLines() const {
        std::vector<std::string> lines = {"[Setting]",        "NeedPassword=1",    "Sensor=0x3370",
                                          "PreST=0xCC8F",     "Mac_ID=0xFFFFFFFF", "DataChange=0x1234",
                                          "CurrentProfile=2", "ProfileShowCount=3"};
        for (int i = 0; i < 5; ++i)
            lines.push_back("ProfileShowList" + std::to_string(i) + "=" + std::to_string(i));
        for (int i = 0; i < 5; ++i) {
            lines.push_back("ProfileSlot" + std::to_string(i) +
                            "URL=" + Config("default" + std::to_string(i) + ".psf").string());
        }
        return lines;
    }
};

TEST_F(Storage, FirstStartCreatesSettingsAndProfiles) {
    AppData app = Started();
    EXPECT_EQ(app.profiles[0].GetProfileName(), u"First");
    EXPECT_EQ(app.profiles[3].GetProfileName(), u"Fourth");
    EXPECT_EQ(app.SensorId, 0x3370);
    EXPECT_EQ(app.profiles[0].XYSetting[3], 63);
    EXPECT_EQ(Get(Config("config.ini")), FormatSettingsFile(app.settings));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Get(Config("default" + std::to_string(i) + ".psf")),
                  FormatProfileFile(app.profiles[size_t(i)]));
    }
    EXPECT_EQ(app.settings.GetSlotPath(4), Config("default4.psf"));
    EXPECT_FALSE(Exists(Config("config.ini.bak")));
}

TEST_F(Storage, StartRemovesWhatAKilledSaveLeft) {
    Put(Config(".config.ini.orvane-k1LLed"), "half a file");
    (void)Started();
    EXPECT_FALSE(Exists(Config(".config.ini.orvane-k1LLed")));
}

TEST_F(Storage, AReadOnlySessionWritesNothing) {
    Put(Config(".config.ini.orvane-k1LLed"), "half a file");
    Put(Config("default1.psf"), "not a profile");
    AppData app(dir_);
    app.readOnly = true;
    LoadSettingsAndProfiles(app);
    EXPECT_FALSE(Exists(Config("config.ini")));
    EXPECT_FALSE(Exists(Config("default0.psf")));
    EXPECT_EQ(Get(Config("default1.psf")), "not a profile");
    EXPECT_FALSE(Exists(Config("default1.psf.bak")));
    EXPECT_TRUE(Exists(Config(".config.ini.orvane-k1LLed")));
    const Status saved = SaveProfile(app, 1);
    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.error().message().find("not saved"), std::string::npos) << saved.error().message();
    EXPECT_FALSE(WriteSettings(app).ok());
    EXPECT_FALSE(Exists(Config("config.ini")));
}

TEST_F(Storage, SecondStartReadsWhatTheFirstWrote) {
    AppData first = Started();
    first.profiles[1].SetProfileName(u"Changed \U0001F600");
    first.currentProfile = 1;
    ASSERT_TRUE(SaveCurrentProfileIndex(first).ok());
    ASSERT_TRUE(SaveAllProfiles(first).ok());
    const std::string settingsBytes = Get(Config("config.ini"));

    AppData second = Started();
    EXPECT_EQ(second.profiles[1].GetProfileName(), u"Changed \U0001F600");
    EXPECT_EQ(second.currentProfile, 1);
    EXPECT_EQ(Get(Config("config.ini")), settingsBytes);
}

TEST_F(Storage, MalformedSettingsKeepTheProfiles) {
    Put(Config("config.ini"), Utf16File(DefaultSettingsLines()));
    AppData first = Started();
    first.profiles[2].SetProfileName(u"Mine");
    ASSERT_TRUE(SaveAllProfiles(first).ok());
    const std::string bad = Utf16File({"[Setting]", "NeedPassword=1", "broken line"});
    Put(Config("config.ini"), bad);

    AppData second = Started();
    EXPECT_EQ(Get(Config("config.ini.bak")), bad);
    EXPECT_EQ(second.settings.GetEntry(6, 1), u"3");
    EXPECT_EQ(second.profiles[2].GetProfileName(), u"Mine");
    EXPECT_EQ(Get(Config("config.ini")), FormatSettingsFile(second.settings));
}

TEST_F(Storage, SettingsWithIndicesOutOfRangeAreRepairedNotReset) {
    for (const char* bad : {"CurrentProfile=5", "CurrentProfile=-1", "ProfileShowCount=6"}) {
        auto lines = DefaultSettingsLines();
        lines[4] = "Mac_ID=0x 123";
        const std::string key = std::string(bad).substr(0, std::string(bad).find('='));
        for (auto& l : lines) {
            if (l.rfind(key + "=", 0) == 0) l = bad;
        }
        Put(Config("config.ini"), Utf16File(lines));
        AppData app = Started();
        EXPECT_GE(app.currentProfile, 0) << bad;
        EXPECT_LE(app.currentProfile, 4) << bad;
        EXPECT_LE(app.settings.GetProfileShowCount(), 5) << bad;
        EXPECT_EQ(app.settings.GetMacId(), 0x123) << bad;
        EXPECT_TRUE(app.settings.IndicesAreValid()) << bad;
        EXPECT_FALSE(Exists(Config("config.ini.bak"))) << bad;
    }
    // A file that stops early is malformed; a file holding only the header gives the defaults.
    Put(Config("config.ini"), Utf16File({"[Setting]", "NeedPassword=0"}));
    EXPECT_EQ(Started().settings.GetEntry(0, 1), u"1");
    EXPECT_TRUE(Exists(Config("config.ini.bak")));
    Put(Config("config.ini"), Utf16File({"[Setting]"}));
    EXPECT_EQ(Started().settings.GetEntry(0, 0), u"NeedPassword");
}

TEST_F(Storage, KeysAreTakenFromTheFile) {
    auto lines = DefaultSettingsLines();
    lines[1] = "Foo=1";
    Put(Config("config.ini"), Utf16File(lines));
    AppData app = Started();
    ASSERT_TRUE(SaveCurrentProfileIndex(app).ok());
    EXPECT_EQ(Get(Config("config.ini")), Utf16File(lines));
}

// Entries after the 17 (settings added later) survive a read and a write, in their order, and a
// file with them is not taken for a broken one.
TEST_F(Storage, LaterEntriesAreKeptByNameAndWrittenBack) {
    auto lines = DefaultSettingsLines();
    lines.push_back("ShowDPIChanges=0");
    lines.push_back("SomethingNewer=x=y");
    Put(Config("config.ini"), Utf16File(lines));
    AppData app = Started();
    EXPECT_FALSE(Exists(Config("config.ini.bak")));
    ASSERT_NE(app.settings.GetExtra(extra_setting::kDpiIndicator), nullptr);
    EXPECT_EQ(*app.settings.GetExtra(extra_setting::kDpiIndicator), u"0");
    EXPECT_EQ(*app.settings.GetExtra(u"SomethingNewer"), u"x=y");
    ASSERT_TRUE(SaveCurrentProfileIndex(app).ok());
    EXPECT_EQ(Get(Config("config.ini")), Utf16File(lines));

    // Changing one rewrites it in place; a new one goes last.
    EXPECT_TRUE(app.settings.SetExtra(u"SomethingNewer", u"z"));
    EXPECT_TRUE(app.settings.SetExtra(u"Third", u"3"));
    ASSERT_TRUE(SaveCurrentProfileIndex(app).ok());
    lines[lines.size() - 1] = "SomethingNewer=z";
    lines.push_back("Third=3");
    EXPECT_EQ(Get(Config("config.ini")), Utf16File(lines));
}

TEST_F(Storage, LaterEntriesAreBoundedAndChecked) {
    auto lines = DefaultSettingsLines();
    for (int i = 0; i <= kMaxExtraSettings; ++i) lines.push_back("K" + std::to_string(i) + "=1");
    EXPECT_FALSE(ParseSettingsFile(Utf16File(lines), Settings{}).ok());
    lines.pop_back();
    auto parsed = ParseSettingsFile(Utf16File(lines), Settings{});
    ASSERT_TRUE(parsed.ok());
    Settings full = parsed.value();
    EXPECT_FALSE(full.SetExtra(u"OneTooMany", u"1"));
    EXPECT_TRUE(full.SetExtra(u"K0", u"2"));  // a change is no addition
    // A value the reader would refuse is never written.
    Settings s = parsed.value();
    ASSERT_TRUE(s.SetExtra(u"K1", u"two\nlines"));
    EXPECT_FALSE(CheckSettingsFit(s).ok());
    // A base's later entries are not the file's: reading never doubles them.
    EXPECT_EQ(ParseSettingsFile(Utf16File(lines), full).value().Extras().size(), size_t(kMaxExtraSettings));
}

TEST_F(Storage, BadProfileIsKeptAndResetAlone) {
    Put(Config("config.ini"), Utf16File(DefaultSettingsLines()));
    AppData first = Started();
    first.profiles[0].SetProfileName(u"Keep me");
    ASSERT_TRUE(SaveAllProfiles(first).ok());
    const std::string crlf = testing::Utf16Raw(u"[Setting]\r\nProfileName=x\r\n");
    Put(Config("default3.psf"), crlf);

    AppData second = Started();
    EXPECT_EQ(second.profiles[0].GetProfileName(), u"Keep me");
    EXPECT_EQ(second.profiles[3].GetProfileName(), u"Fourth");
    EXPECT_EQ(Get(Config("default3.psf.bak")), crlf);
    EXPECT_EQ(Get(Config("default3.psf")), FormatProfileFile(second.profiles[3]));
}

TEST_F(Storage, NothingIsReplacedWhenNoCopyCanBeKept) {
    Put(Config("config.ini"), Utf16File(DefaultSettingsLines()));
    (void)Started();
    const std::string bad = testing::Utf16Raw(u"[Setting]\r\n");
    Put(Config("default2.psf"), bad);
    Put(Config("MacroLibraryFile.mlf"), bad);
    testing::RecordingFileCalls sys;
    sys.failWhen = [](const testing::FileCall& c) {
        return c.op == "rename" && c.to.find(".bak") != std::string::npos;
    };
    AppData app = Started();
    EXPECT_EQ(app.profiles[2].keys[0].KeyValue[0], 0x10);  // reset in memory
    EXPECT_EQ(Get(Config("default2.psf")), bad);
    EXPECT_FALSE(LoadLibraryFile(app).ok());
    EXPECT_EQ(Get(Config("MacroLibraryFile.mlf")), bad);
    // Later saves do not replace it either, and say why.
    const Status save = SaveAllProfiles(app);
    ASSERT_FALSE(save.ok());
    EXPECT_NE(save.error().message().find("no copy of it could be kept"), std::string::npos) << save.error().message();
    EXPECT_EQ(Get(Config("default2.psf")), bad);
}

// A file that could not be read at start is kept by whichever save replaces it first, not only
// by the start-up write.
TEST_F(Storage, ALaterSaveKeepsTheFileThatCouldNotBeRead) {
    Put(Config("config.ini"), Utf16File(DefaultSettingsLines()));
    (void)Started();
    const std::string original = Get(Config("config.ini"));
    AppData app;
    {
        testing::RecordingFileCalls sys;
        sys.failWhen = [](const testing::FileCall& c) {
            const bool settings = c.path.find("config.ini") != std::string::npos;
            return settings && ((c.op == "open" && !(c.flags & O_CREAT)) || c.op == "rename");
        };
        sys.failErrno = EACCES;
        app = Started();
    }
    EXPECT_EQ(Get(Config("config.ini")), original);
    app.currentProfile = 3;
    ASSERT_TRUE(SaveCurrentProfileIndex(app).ok());
    EXPECT_EQ(Get(Config("config.ini.bak")), original);
    EXPECT_EQ(Get(Config("config.ini")), FormatSettingsFile(app.settings));
    // Set aside once is enough: the next save just replaces the file it wrote.
    ASSERT_TRUE(SaveCurrentProfileIndex(app).ok());
    EXPECT_FALSE(Exists(Config("config.ini.bak.1")));
}

TEST_F(Storage, SensorReconciliationAppliesDefaultsAndKeepsTheCurrentProfile) {
    auto lines = DefaultSettingsLines();
    lines[3] = "PreST=0xCCDA";  // complement of 0x3325
    Put(Config("config.ini"), Utf16File(lines));
    AppData app = Started();
    EXPECT_EQ(app.settings.GetEntry(2, 1), u"0xCC8F");
    EXPECT_EQ(app.profiles[4].XYSetting[4], 119);
    EXPECT_EQ(app.settings.GetCurrentProfile(), 2);
    auto saved = ReadSettingsFile(Config("config.ini"), Settings{});
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved->GetEntry(2, 1), u"0xCC8F");
    EXPECT_EQ(saved->GetEntry(5, 1), u"2");
}

TEST_F(Storage, SensorChangeFromTheMouse) {
    AppData app = Started();
    ASSERT_TRUE(ApplySensorChange(app, 0x3327).ok());
    EXPECT_EQ(app.settings.GetEntry(1, 1), u"0x3327");
    EXPECT_EQ(app.settings.GetEntry(2, 1), u"0xCCD8");
    EXPECT_EQ(app.profiles[2].XYSetting[0], 8);
    auto read = ReadProfileFileInto(Config("default2.psf"), Profile{});
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->XYSetting[0], 8);
}

TEST_F(Storage, FailedWriteLeavesThePreviousFileIntact) {
    AppData app = Started();
    const std::string before = Get(Config("default1.psf"));
    app.profiles[1].SetProfileName(u"never written");
    for (const char* step : {"open", "write", "fsync", "rename"}) {
        testing::RecordingFileCalls sys;
        sys.failWhen = [&](const testing::FileCall& c) {
            return c.op == step && c.path.find(".default1.psf.orvane-") != std::string::npos;
        };
        EXPECT_FALSE(SaveAllProfiles(app).ok()) << step;
        EXPECT_EQ(Get(Config("default1.psf")), before) << step;
    }
    std::vector<std::string> leftovers;
    for (const auto& e : std::filesystem::directory_iterator(dir_ / "config")) {
        if (e.path().filename().string()[0] == '.') leftovers.push_back(e.path().string());
    }
    EXPECT_TRUE(leftovers.empty());
}

TEST_F(Storage, ImportReaderNeverTouchesProfiles) {
    AppData app = Started();
    const auto before = app.profiles;
    Put(dir_ / "bad.psf", Utf16File({"[Setting]", "ProfileName=x"}));
    EXPECT_FALSE(ReadProfileFileInto(dir_ / "bad.psf", app.profiles[1]).ok());
    EXPECT_FALSE(ReadProfileFileInto(dir_ / "missing.psf", app.profiles[1]).ok());
    EXPECT_FALSE(ImportProfile(app, 1, dir_ / "bad.psf").ok());
    EXPECT_EQ(app.profiles, before);
    EXPECT_FALSE(Exists(dir_ / "bad.psf.bak"));

    Profile other = app.profiles[0];
    other.SetProfileName(u"Imported");
    ASSERT_TRUE(WriteProfileFile(other, dir_ / "good.psf").ok());
    ASSERT_TRUE(ImportProfile(app, 1, dir_ / "good.psf").ok());
    EXPECT_EQ(app.profiles[1].GetProfileName(), u"Imported");
    EXPECT_EQ(Get(Config("default1.psf")), Get(dir_ / "good.psf"));
}

TEST_F(Storage, FactoryResetKeepsTheName) {
    AppData app = Started();
    app.currentProfile = 2;
    app.profiles[2].SetProfileName(u"Named");
    app.profiles[2].keys[0].KeyValue = {0, 0, 0};
    ASSERT_TRUE(ResetCurrentProfileKeepingName(app).ok());
    EXPECT_EQ(app.profiles[2].GetProfileName(), u"Named");
    EXPECT_EQ(app.profiles[2].keys[0].KeyValue[0], 0x10);
    EXPECT_EQ(Get(Config("default2.psf")), FormatProfileFile(app.profiles[2]));
}

TEST_F(Storage, MainLibraryReaderReplacesABadFileAfterKeepingIt) {
    AppData app(dir_);
    const std::string crlf = testing::Utf16Raw(u"[MacroLibrary]\r\nMacroSetNum=0\r\n");
    Put(Config("MacroLibraryFile.mlf"), crlf);
    EXPECT_FALSE(LoadLibraryFile(app).ok());
    EXPECT_EQ(app.library.SetCount(), 0u);
    EXPECT_EQ(Get(Config("MacroLibraryFile.mlf.bak")), crlf);
    EXPECT_EQ(Get(Config("MacroLibraryFile.mlf")), Utf16File({"[MacroLibrary]", "MacroSetNum=0"}));

    const std::string zeroSets = Utf16File({"[MacroLibrary]", "MacroSetNum=0", "junk"});
    Put(Config("MacroLibraryFile.mlf"), zeroSets);
    EXPECT_TRUE(LoadLibraryFile(app).ok());
    EXPECT_EQ(Get(Config("MacroLibraryFile.mlf")), zeroSets);
}

TEST_F(Storage, MainLibraryReaderTreatsAMacroBeyondTheMouseAsABadFileAndNamesIt) {
    // Hand-edited: 336 key events, which the mouse could only take wrapped round.
    AppData app(dir_);
    std::vector<std::string> big = {"[MacroLibrary]", "MacroSetNum=1", "\tMacroSet0Name=s", "\t\tMacroKeyNum=1",
                                    "\t\tMacroKey0Name=Spam", "\t\t\tMacroKey0LoopType=2",
                                    "\t\t\tMacroKey0LoopNum=1", "\t\t\tMacroActionNum=336",
                                    "\t\t\tMacroCommandActionNum=255", "\t\t\tAllAction="};
    for (int i = 0; i < 336; ++i) big.back() += "41000000";
    Put(Config("MacroLibraryFile.mlf"), Utf16File(big));
    const Status read = LoadLibraryFile(app);
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.error().message().find("macro \"Spam\" of set 1 has 336 commands; the mouse takes at most 168"),
              std::string::npos)
        << read.error().message();
    EXPECT_EQ(app.library.SetCount(), 0u);
    EXPECT_EQ(Get(Config("MacroLibraryFile.mlf.bak")), Utf16File(big));
    EXPECT_EQ(Get(Config("MacroLibraryFile.mlf")), Utf16File({"[MacroLibrary]", "MacroSetNum=0"}));
}

}  // namespace
}  // namespace orvane
