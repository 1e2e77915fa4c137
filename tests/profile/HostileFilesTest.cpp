// Start-up and saves against files a careful user might find in their config folder: each case
// prepares the folder, starts, saves everything, and checks that nothing was lost or hung.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>

#include "RecordingFileCalls.h"
#include "TestFiles.h"
#include "profile/AppData.h"
#include "profile/LanguageFile.h"
#include "profile/ProfileFile.h"
#include "profile/SettingsFile.h"
#include "profile/SettingsRepair.h"
#include "profile/Storage.h"
#include "profile/TextNumbers.h"

namespace orvane {
namespace {

using testing::Utf16File;

class HostileFiles;

struct HostileCase {
    const char* name;
    std::function<void(HostileFiles&)> arrange;
    std::function<void(HostileFiles&, AppData&)> check;
};

class HostileFiles : public testing::TempAppDir, public ::testing::WithParamInterface<HostileCase> {
public:
    using TempAppDir::Config;
    using TempAppDir::Exists;
    using TempAppDir::Get;
    using TempAppDir::Put;

    void TearDown() override {
        sys.reset();
        if (!cwd.empty()) std::filesystem::current_path(cwd);
        TempAppDir::TearDown();
    }

    AppData Start() {
        AppData app(dir_);
        app.language.SetText(85, u"First");
        app.language.SetText(87, u"Third");
        app.language.SetText(89, u"Fifth");
        LoadSettingsAndProfiles(app);
        return app;
    }

    // A folder in use: settings with a known mouse, five named profiles with the user's own DPI
    // steps for sensor 0x3335.
    void Baseline() {
        std::vector<std::string> lines = {"[Setting]",        "NeedPassword=1",    "Sensor=0x3335",
                                          "PreST=0xCCCA",     "Mac_ID=0x 123",     "DataChange=0x  FE",
                                          "CurrentProfile=2", "ProfileShowCount=3"};
        for (int i = 0; i < 5; ++i) lines.push_back("ProfileShowList" + std::to_string(i) + "=" + std::to_string(i));
        for (int i = 0; i < 5; ++i) lines.push_back("ProfileSlot" + std::to_string(i) + "URL=" + Slot(i).string());
        settingsLines_ = lines;
        Put(Config("config.ini"), Utf16File(lines));
        for (int i = 0; i < 5; ++i) {
            Profile p;
            ResetProfileToDefaults(p, i, LanguageTable{}, 0x3335);
            p.SetProfileName(u"P" + DecimalText(i));
            p.XYSetting[0] = uint16_t(100 + i);
            Put(Slot(i), FormatProfileFile(p));
            saved_[size_t(i)] = Get(Slot(i));
        }
    }
    void SetSetting(const std::string& key, const std::string& value) {
        for (auto& l : settingsLines_) {
            if (l.rfind(key + "=", 0) == 0) l = key + "=" + value;
        }
        Put(Config("config.ini"), Utf16File(settingsLines_));
    }

    [[nodiscard]] std::filesystem::path Slot(int i) const { return Config("default" + std::to_string(i) + ".psf"); }
    [[nodiscard]] const std::string& Saved(int i) const { return saved_[size_t(i)]; }
    [[nodiscard]] std::filesystem::path Dir() const { return dir_; }
    static Text Name(const AppData& app, int i) { return app.profiles[size_t(i)].GetProfileName(); }

    std::unique_ptr<testing::RecordingFileCalls> sys;
    std::filesystem::path cwd;

private:
    std::vector<std::string> settingsLines_;
    std::array<std::string, 5> saved_;
};

TEST_P(HostileFiles, NothingIsLostAndNothingHangs) {
    const HostileCase& c = GetParam();
    Baseline();
    c.arrange(*this);
    AppData app = Start();
    sys.reset();
    c.check(*this, app);
}

const HostileCase kCases[] = {
    {"UnreadableProfile",
     [](HostileFiles& f) {
         f.sys = std::make_unique<testing::RecordingFileCalls>();
         f.sys->failErrno = EACCES;
         const std::string slot = f.Slot(2).string();
         f.sys->failWhen = [slot](const testing::FileCall& c) {
             return c.op == "open" && c.path == slot && !(c.flags & O_CREAT);
         };
     },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(HostileFiles::Name(app, 2), u"Third");
         EXPECT_EQ(f.Get(f.Config("default2.psf.bak")), f.Saved(2));
         EXPECT_EQ(HostileFiles::Name(app, 1), u"P1");
         EXPECT_TRUE(SaveAllProfiles(app).ok());
     }},
    {"FifoAsProfile",
     [](HostileFiles& f) {
         std::filesystem::remove(f.Slot(1));
         ASSERT_EQ(::mkfifo(f.Slot(1).c_str(), 0644), 0);
     },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(HostileFiles::Name(app, 1), u"");  // reset: no language entry for it here
         EXPECT_TRUE(std::filesystem::is_fifo(f.Config("default1.psf.bak")));
         EXPECT_TRUE(std::filesystem::is_regular_file(f.Slot(1)));
         EXPECT_TRUE(SaveAllProfiles(app).ok());
     }},
    {"DeviceFileAsProfile",
     [](HostileFiles& f) {
         std::filesystem::remove(f.Slot(3));
         std::filesystem::create_symlink("/dev/zero", f.Slot(3));
     },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(app.profiles[3].XYSetting[0], 9);  // the defaults of the stored sensor
         EXPECT_TRUE(std::filesystem::is_symlink(f.Config("default3.psf.bak")));
         EXPECT_TRUE(std::filesystem::is_character_file("/dev/zero"));
         EXPECT_TRUE(SaveAllProfiles(app).ok());
         EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(f.Slot(3))));
         // Import from a device fails at once with a reason, and changes nothing.
         const auto before = app.profiles;
         const Status s = ImportProfile(app, 0, "/dev/zero");
         ASSERT_FALSE(s.ok());
         EXPECT_NE(s.error().message().find("not a regular file"), std::string::npos);
         EXPECT_EQ(app.profiles, before);
     }},
    {"HugeProfile",
     [](HostileFiles& f) { std::filesystem::resize_file(f.Slot(4), kMaxReadBytes + 1); },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(HostileFiles::Name(app, 4), u"Fifth");
         EXPECT_EQ(std::filesystem::file_size(f.Config("default4.psf.bak")), kMaxReadBytes + 1);
         EXPECT_EQ(f.Get(f.Slot(4)), FormatProfileFile(app.profiles[4]));
     }},
    {"FifoAsLanguageFile", [](HostileFiles& f) { ASSERT_EQ(::mkfifo(f.Config("Lan_EN.txt").c_str(), 0644), 0); },
     [](HostileFiles&, AppData& app) {
         const Status s = LoadLanguage(app, 1.0);
         ASSERT_FALSE(s.ok());
         EXPECT_NE(s.error().message().find("not a regular file"), std::string::npos);
     }},
    {"RelativeSlotPath",
     [](HostileFiles& f) {
         f.SetSetting("ProfileSlot1URL", "config/default1.psf");
         std::filesystem::create_directories(f.Dir() / "elsewhere" / "config");
         f.cwd = std::filesystem::current_path();
         std::filesystem::current_path(f.Dir() / "elsewhere");
     },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(HostileFiles::Name(app, 1), u"P1");
         EXPECT_EQ(app.settings.GetSlotPath(1), f.Slot(1));
         app.profiles[1].SetProfileName(u"Saved");
         ASSERT_TRUE(SaveAllProfiles(app).ok());
         EXPECT_TRUE(std::filesystem::is_empty(f.Dir() / "elsewhere" / "config"));
         EXPECT_EQ(f.Get(f.Slot(1)), FormatProfileFile(app.profiles[1]));
     }},
    {"ForeignSlotPath",
     [](HostileFiles& f) {
         f.Put(f.Dir() / "foreign.psf", f.Saved(4));
         f.SetSetting("ProfileSlot2URL", (f.Dir() / "foreign.psf").string());
     },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(HostileFiles::Name(app, 2), u"P2");
         ASSERT_TRUE(SaveAllProfiles(app).ok());
         ASSERT_TRUE(SaveCurrentProfileIndex(app).ok());
         EXPECT_EQ(f.Get(f.Dir() / "foreign.psf"), f.Saved(4));
         EXPECT_FALSE(f.Exists(f.Dir() / "foreign.psf.bak"));
         auto saved = ReadSettingsFile(f.Config("config.ini"), Settings{});
         ASSERT_TRUE(saved.ok());
         EXPECT_EQ(saved->GetSlotPath(2), f.Slot(2));
     }},
    {"SlotPathOntoTheSettings",
     [](HostileFiles& f) { f.SetSetting("ProfileSlot0URL", f.Config("config.ini").string()); },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(HostileFiles::Name(app, 0), u"P0");
         ASSERT_TRUE(SaveAllProfiles(app).ok());
         EXPECT_TRUE(ReadSettingsFile(f.Config("config.ini"), Settings{}).ok());
     }},
    {"SlotPathsSharingAFile",
     [](HostileFiles& f) { f.SetSetting("ProfileSlot3URL", f.Slot(0).string()); },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(HostileFiles::Name(app, 0), u"P0");
         EXPECT_EQ(HostileFiles::Name(app, 3), u"P3");
         ASSERT_TRUE(SaveAllProfiles(app).ok());
         EXPECT_EQ(f.Get(f.Slot(0)), f.Saved(0));
     }},
    {"EarlierSlotPathOntoALaterSlotsFile",
     [](HostileFiles& f) { f.SetSetting("ProfileSlot0URL", f.Slot(3).string()); },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(app.settings.GetSlotPath(0), f.Slot(0));
         EXPECT_EQ(HostileFiles::Name(app, 0), u"P0");
         EXPECT_EQ(HostileFiles::Name(app, 3), u"P3");
         ASSERT_TRUE(SaveAllProfiles(app).ok());
         EXPECT_EQ(f.Get(f.Slot(3)), f.Saved(3));
     }},
    {"StaleSlotPathAfterTheFolderMoved",
     [](HostileFiles& f) { f.SetSetting("ProfileSlot4URL", "/nonexistent/old-place/config/default4.psf"); },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(HostileFiles::Name(app, 4), u"P4");
         app.profiles[4].SetProfileName(u"Moved");
         EXPECT_TRUE(SaveAllProfiles(app).ok());
         EXPECT_EQ(f.Get(f.Slot(4)), FormatProfileFile(app.profiles[4]));
     }},
    {"ReadOnlyProfile", [](HostileFiles& f) { ::chmod(f.Slot(1).c_str(), 0444); },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(HostileFiles::Name(app, 1), u"P1");
         for (auto& p : app.profiles) p.SetProfileName(u"changed");
         const Status s = SaveAllProfiles(app);
         ASSERT_FALSE(s.ok());
         EXPECT_NE(s.error().message().find("default1.psf is read-only"), std::string::npos) << s.error().message();
         EXPECT_EQ(f.Get(f.Slot(1)), f.Saved(1));
         EXPECT_EQ(f.Get(f.Slot(2)), FormatProfileFile(app.profiles[2]));  // the others are saved
     }},
    {"ReadOnlyAndMalformedProfile",
     [](HostileFiles& f) {
         f.Put(f.Slot(2), testing::Utf16Raw(u"[Setting]\r\n"));
         ::chmod(f.Slot(2).c_str(), 0400);
     },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(HostileFiles::Name(app, 2), u"Third");
         EXPECT_FALSE(SaveProfile(app, 2).ok());
         EXPECT_EQ(f.Get(f.Slot(2)), testing::Utf16Raw(u"[Setting]\r\n"));
         EXPECT_FALSE(f.Exists(f.Config("default2.psf.bak")));
     }},
    {"DuplicatedShowList", [](HostileFiles& f) { f.SetSetting("ProfileShowList1", "0"); },
     [](HostileFiles& f, AppData& app) {
         const int expected[5] = {0, 2, 3, 4, 1};
         for (int pos = 0; pos < 5; ++pos) EXPECT_EQ(app.settings.GetProfileShowList(pos), expected[pos]);
         EXPECT_EQ(app.settings.GetMacId(), 0x123);
         EXPECT_EQ(app.settings.GetDataChange(), 0xFE);
         EXPECT_EQ(app.currentProfile, 2);
         EXPECT_FALSE(f.Exists(f.Config("config.ini.bak")));
     }},
    // The add button resets the first hidden profile, so the current one must always be shown.
    {"CurrentProfileOutOfRange",
     [](HostileFiles& f) {
         const char* list[5] = {"3", "4", "0", "1", "2"};
         for (int pos = 0; pos < 5; ++pos) f.SetSetting("ProfileShowList" + std::to_string(pos), list[pos]);
         f.SetSetting("CurrentProfile", "7");
     },
     [](HostileFiles&, AppData& app) {
         EXPECT_EQ(app.currentProfile, 3);  // the first shown
         EXPECT_EQ(app.settings.GetProfileShowCount(), 3);
         EXPECT_EQ(app.settings.GetProfileShowList(0), 3);
     }},
    {"CurrentProfileHidden", [](HostileFiles& f) { f.SetSetting("CurrentProfile", "4"); },
     [](HostileFiles&, AppData& app) {
         EXPECT_EQ(app.currentProfile, 4);
         EXPECT_EQ(app.settings.GetProfileShowCount(), 4);
         const int expected[5] = {0, 1, 2, 4, 3};
         for (int pos = 0; pos < 5; ++pos) EXPECT_EQ(app.settings.GetProfileShowList(pos), expected[pos]);
         EXPECT_EQ(HostileFiles::Name(app, 4), u"P4");
     }},
    {"CurrentProfileJustPastTheShownOnes", [](HostileFiles& f) { f.SetSetting("CurrentProfile", "3"); },
     [](HostileFiles&, AppData& app) {
         EXPECT_EQ(app.currentProfile, 3);
         EXPECT_EQ(app.settings.GetProfileShowCount(), 4);
         for (int pos = 0; pos < 5; ++pos) EXPECT_EQ(app.settings.GetProfileShowList(pos), pos);
     }},
    {"NoProfileShown", [](HostileFiles& f) { f.SetSetting("ProfileShowCount", "-1"); },
     [](HostileFiles&, AppData& app) {
         EXPECT_EQ(app.currentProfile, 2);
         EXPECT_EQ(app.settings.GetProfileShowCount(), 1);
         EXPECT_EQ(app.settings.GetProfileShowList(0), 2);
         EXPECT_TRUE(app.settings.IndicesAreValid());
     }},
    // The profiles' sensor is on record: an unknown sensor entry is taken back to it, not to
    // the default one, and the profiles keep their steps.
    {"UnknownSensorWithTheProfilesSensorKnown", [](HostileFiles& f) { f.SetSetting("Sensor", "0x1234"); },
     [](HostileFiles& f, AppData& app) {
         EXPECT_EQ(app.SensorId, 0x3335);
         for (int i = 0; i < 5; ++i) EXPECT_EQ(f.Get(f.Slot(i)), f.Saved(i)) << i;
         EXPECT_EQ(app.profiles[1].XYSetting[0], 101);
     }},
    {"SensorMismatchAfterAReset",
     [](HostileFiles& f) {
         f.Put(f.Config("config.ini"), Utf16File({"[Setting]", "NeedPassword"}));
         std::filesystem::remove(f.Slot(3));
     },
     [](HostileFiles& f, AppData& app) {
         EXPECT_FALSE(SensorOfProfilesKnown(app.settings));
         EXPECT_EQ(app.profiles[3].XYSetting[0], 7);  // reset with the default sensor's steps
         ASSERT_TRUE(ApplySensorChange(app, 0x3335).ok());
         for (int i : {0, 1, 2, 4}) {
             EXPECT_EQ(app.profiles[size_t(i)].XYSetting[0], 100 + i) << i;
             EXPECT_EQ(f.Get(f.Slot(i)), f.Saved(i)) << i;
         }
         EXPECT_EQ(app.profiles[3].XYSetting[0], 9);  // the new sensor's defaults for a fresh profile
         EXPECT_EQ(app.settings.GetValue(SettingKey::Sensor), u"0x3335");
         EXPECT_EQ(app.settings.GetValue(SettingKey::PreST), u"0xCCCA");
         EXPECT_TRUE(f.Exists(f.Config("config.ini.bak")));
         // Known again: the next start reconciles nothing.
         AppData again = f.Start();
         EXPECT_EQ(again.profiles[0].XYSetting[0], 100);
         EXPECT_EQ(again.SensorId, 0x3335);
     }},
};

INSTANTIATE_TEST_SUITE_P(Folder, HostileFiles, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

}  // namespace
}  // namespace orvane
