// orvanectl follow-programs and dpi-indicator: the tray's two switches, read and written in
// config.ini as the window keeps them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "SessionFixture.h"
#include "profile/SettingsFile.h"

namespace orvane::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class ToggleCommands : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        ASSERT_EQ(run({"macro", "list"}), kExitOk) << err.str();  // a fresh folder, seeded
    }
    fs::path ConfigIni() const { return dir / "config" / "config.ini"; }
    // config.ini as the window's reader takes it.
    Settings Stored() {
        Settings defaults;
        defaults.ResetToDefaults(dir / "config");
        auto read = ReadSettingsFile(ConfigIni(), defaults);
        EXPECT_TRUE(read.ok()) << (read ? "" : read.error().message());
        return read ? read.value() : defaults;
    }
    void Store(const Settings& s) { ASSERT_TRUE(WriteSettingsFile(s, ConfigIni()).ok()); }
    std::string Bytes() {
        auto bytes = ReadFileBytes(ConfigIni());
        return bytes ? *bytes : std::string("<missing>");
    }
};

TEST_F(ToggleCommands, EachSwitchIsOnUntilTurnedOffAndTheWindowsReaderSeesTheChoice) {
    // A later version's entry, and the settings the window keeps, stay as they are.
    Settings before = Stored();
    before.AddExtra(u"SomeLaterKey", u"7");
    before.SetCurrentProfile(3);
    Store(before);

    ASSERT_EQ(run({"follow-programs"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "follow-programs: on\n");
    ASSERT_EQ(run({"dpi-indicator"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "dpi-indicator: on\n");

    ASSERT_EQ(run({"follow-programs", "off"}), kExitOk) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("switching profiles with the program in use turned off"));
    EXPECT_THAT(out.str(), HasSubstr("saved: config.ini"));
    EXPECT_THAT(out.str(), HasSubstr("a running orvane takes it within a second"));
    Settings after = Stored();
    EXPECT_FALSE(FollowProgramsEnabled(after));
    EXPECT_TRUE(DpiIndicatorEnabled(after));
    ASSERT_NE(after.GetExtra(u"SomeLaterKey"), nullptr);
    EXPECT_EQ(*after.GetExtra(u"SomeLaterKey"), u"7");
    EXPECT_EQ(after.GetCurrentProfile(), 3);
    EXPECT_TRUE(sets().empty()) << "nothing for the mouse";

    ASSERT_EQ(run({"dpi-indicator", "off"}), kExitOk) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("the on-screen DPI indicator turned off"));
    EXPECT_FALSE(DpiIndicatorEnabled(Stored()));
    EXPECT_FALSE(FollowProgramsEnabled(Stored()));
    ASSERT_EQ(run({"follow-programs"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "follow-programs: off\n");

    ASSERT_EQ(run({"follow-programs", "on"}), kExitOk) << err.str();
    EXPECT_TRUE(FollowProgramsEnabled(Stored()));
    EXPECT_FALSE(DpiIndicatorEnabled(Stored()));
    // Twice the same: still done, the file the same.
    const std::string once = Bytes();
    ASSERT_EQ(run({"follow-programs", "on"}), kExitOk) << err.str();
    EXPECT_EQ(Bytes(), once);
}

TEST_F(ToggleCommands, JsonSaysTheStateTheKeyAndWhatWasSaved) {
    ASSERT_EQ(run({"--json", "dpi-indicator"}), kExitOk) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("\"option\": \"dpi-indicator\""));
    EXPECT_THAT(out.str(), HasSubstr("\"enabled\": true"));
    EXPECT_THAT(out.str(), HasSubstr("\"key\": \"ShowDPIChanges\""));
    EXPECT_THAT(out.str(), HasSubstr("\"file\": \"" + ConfigIni().string() + "\""));

    ASSERT_EQ(run({"dpi-indicator", "off", "--json"}), kExitOk) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("\"command\": \"dpi-indicator\""));
    EXPECT_THAT(out.str(), HasSubstr("\"enabled\": false"));
    EXPECT_THAT(out.str(), HasSubstr("\"ok\": true"));
    EXPECT_THAT(out.str(), HasSubstr("\"saved\": [\n    \"" + ConfigIni().string() + "\""));
    EXPECT_THAT(out.str(), HasSubstr("\"note\": \"a running orvane takes it within a second"));

    ASSERT_EQ(run({"--json", "follow-programs"}), kExitOk) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("\"key\": \"FollowPrograms\""));
    EXPECT_THAT(out.str(), HasSubstr("\"enabled\": true"));
}

TEST_F(ToggleCommands, OtherWordsAreUsageErrorsAndChangeNothing) {
    const std::string before = Bytes();
    for (const std::vector<std::string>& line :
         {std::vector<std::string>{"follow-programs", "yes"}, {"follow-programs", "on", "off"},
          {"dpi-indicator", "ON"}, {"dpi-indicator", "0"}}) {
        EXPECT_EQ(run(line), kExitUsage) << line[0] << " " << line[1];
        EXPECT_THAT(err.str(), HasSubstr(line[0] + " takes on or off"));
    }
    EXPECT_EQ(run({"--json", "dpi-indicator", "maybe"}), kExitUsage);
    EXPECT_THAT(out.str(), HasSubstr("\"exitCode\": 2"));
    EXPECT_EQ(Bytes(), before);
}

// config.ini may hold only so many entries after its 17; one more would make a file the reader
// refuses, so the switch is not stored and the command fails.
TEST_F(ToggleCommands, AFileWithNoRoomLeftFailsAndIsLeftAsItWas) {
    Settings full = Stored();
    ASSERT_TRUE(SetFollowProgramsEnabled(full, true));
    while (int(full.Extras().size()) < kMaxExtraSettings)
        full.AddExtra(u"Later" + fromUtf8(std::to_string(full.Extras().size())), u"x");
    Store(full);
    const std::string before = Bytes();
    EXPECT_EQ(run({"dpi-indicator", "off"}), kExitFailure);
    EXPECT_THAT(err.str(), HasSubstr("no room for ShowDPIChanges; nothing changed"));
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(run({"--json", "dpi-indicator", "off"}), kExitFailure);
    EXPECT_THAT(out.str(), HasSubstr("\"exitCode\": 1"));
    EXPECT_EQ(Bytes(), before);
    // The switch that has its entry already is changed in place.
    ASSERT_EQ(run({"follow-programs", "off"}), kExitOk) << err.str();
    EXPECT_FALSE(FollowProgramsEnabled(Stored()));
    EXPECT_EQ(int(Stored().Extras().size()), kMaxExtraSettings);
}

TEST_F(ToggleCommands, AConfigIniThatCouldNotBeReadIsNotShownAsOn) {
    fs::remove(ConfigIni());
    fs::create_symlink("config.ini", ConfigIni());  // a link to itself: the open fails with ELOOP
    EXPECT_EQ(run({"follow-programs"}), kExitFailure);
    EXPECT_THAT(err.str(), HasSubstr(ConfigIni().string() + ": " + std::strerror(ELOOP)));
    EXPECT_THAT(out.str(), Not(HasSubstr("on")));
}

}  // namespace
}  // namespace orvane::cli
