#include <sys/stat.h>

#include <fstream>

#include "SessionFixture.h"
#include "cli/ButtonFunction.h"
#include "cli/SettingChange.h"
#include "profile/NameRules.h"
#include "profile/ProfileFile.h"

namespace orvane::cli {
namespace {

// Bytes 8 to 32 of a one-byte-payload frame.
const std::string kTail = " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";

TEST_F(SessionTest, SetPollingSendsOneFrameToEachDevice) {
    // The first run meets a mouse these settings never configured and writes everything.
    ASSERT_EQ(run({"set", "polling", "500"}), kExitOk) << err.str();
    EXPECT_GT(sets().size(), 20u);
    ASSERT_EQ(run({"set", "polling", "1000"}), kExitOk) << err.str();
    const auto s = sets();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].substr(0, 26), "wired 0C 01 20 00 01 00 00");
    EXPECT_EQ(s[1].substr(0, 26), "wired 0C 01 21 00 02 00 00");  // the known mouse's macro counter
    EXPECT_EQ(s[2], "wired 0C 01 07 00 03 01 01 01" + kTail);
    EXPECT_EQ(s[3], "receiver 0C 00 07 00 03 01 01 01" + kTail);
    // The change was saved: the next run sends nothing for the same value.
    ASSERT_EQ(run({"set", "polling", "1000"}), kExitOk);
    for (const auto& f : sets()) EXPECT_EQ(f.find(" 07 00 "), std::string::npos) << f;
}

TEST_F(SessionTest, ApplyWritesTheWholeProfileOnce) {
    ASSERT_EQ(run({"apply"}, "receiver-only"), kExitOk) << err.str();
    std::vector<std::string> commands;
    for (const auto& f : sets()) commands.push_back(f.substr(15, 2));
    EXPECT_EQ(commands, (std::vector<std::string>{"20", "04", "04", "04", "04", "04", "04", "05", "06", "07", "09",
                                                  "0A", "08", "0B"}));
}

TEST_F(SessionTest, LeftClickRuleRefusesAndChangesNothing) {
    EXPECT_EQ(run({"set", "button", "1", "key", "Ctrl+C"}), kExitUsage);
    EXPECT_NE(err.str().find("left click"), std::string::npos);
    EXPECT_TRUE(sets().empty());
    ASSERT_EQ(run({"set", "button", "2", "left"}), kExitOk) << err.str();
    ASSERT_EQ(run({"set", "button", "1", "key", "Ctrl+C"}), kExitOk) << err.str();
    const auto s = sets();
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.back().substr(0, 41), "receiver 0C 00 04 00 " + s.back().substr(21, 2) + " 01 04 00 70 01 06");
}

TEST_F(SessionTest, KeysTheMouseCannotSendAreRefused) {
    for (const char* key : {"F13", "Ctrl+F24", "L Key", "Ctrl+LBUTTON", "Mouse Wheel", "Ctrl", "Shift+Alt"}) {
        EXPECT_EQ(run({"set", "button", "3", "key", key}), kExitUsage) << key;
        EXPECT_NE(err.str().find("cannot be the key of a shortcut"), std::string::npos) << key << ": " << err.str();
        EXPECT_TRUE(sets().empty()) << key;
    }
    ASSERT_EQ(run({"set", "button", "3", "key", "Ctrl+F12"}), kExitOk) << err.str();
    const auto s = sets();
    EXPECT_TRUE(std::any_of(s.begin(), s.end(), [](const std::string& f) { return f.find(" 02 70 01 45") != std::string::npos; }));
}

TEST_F(SessionTest, ImportRefusesABadFileAndChangesNothing) {
    ASSERT_EQ(run({"profile", "export", "2", (dir / "two.psf").string()}), kExitOk) << err.str();
    std::ofstream(dir / "bad.psf") << "not a profile";
    const auto before = fs::last_write_time(dir / "config" / "default1.psf");
    EXPECT_EQ(run({"profile", "import", "1", (dir / "bad.psf").string()}), kExitFailure);
    EXPECT_EQ(err.str().find('\n'), err.str().size() - 1);  // one line
    EXPECT_EQ(fs::last_write_time(dir / "config" / "default1.psf"), before);
    EXPECT_EQ(run({"profile", "import", "1", (dir / "two.psf").string()}), kExitOk) << err.str();
    // A FIFO fails at once; a profile whose name breaks the name rules is refused.
    ASSERT_EQ(::mkfifo((dir / "fifo.psf").c_str(), 0644), 0);
    EXPECT_EQ(run({"profile", "import", "1", (dir / "fifo.psf").string()}), kExitFailure);
    auto two = ReadProfileFileInto(dir / "two.psf", Profile{});
    ASSERT_TRUE(two.ok());
    two->SetProfileName(Text(kProfileNameMaxLength + 1, u'n'));
    ASSERT_TRUE(WriteProfileFile(*two, dir / "long.psf").ok());
    EXPECT_EQ(run({"profile", "import", "1", (dir / "long.psf").string()}), kExitFailure);
    EXPECT_NE(err.str().find("profile name is longer than 64"), std::string::npos) << err.str();
    EXPECT_EQ(run({"dump", "profile", (dir / "missing.psf").string()}), kExitFailure);
    EXPECT_EQ(run({"--json", "dump", "profile", (dir / "two.psf").string()}), kExitOk);
    EXPECT_NE(out.str().find("\"PowerDownTime\": \"3\""), std::string::npos);
}

TEST_F(SessionTest, UsageErrors) {
    EXPECT_EQ(run({"frobnicate"}), kExitUsage);
    EXPECT_EQ(run({"set", "polling", "333"}), kExitUsage);
    EXPECT_EQ(run({"set", "dpi", "2", "1234"}), kExitUsage);
    EXPECT_NE(err.str().find("nearest"), std::string::npos);
    EXPECT_EQ(run({"set", "debounce", "3"}), kExitUsage);
    EXPECT_EQ(run({"reset"}), kExitUsage);
    EXPECT_EQ(run({"apply", "--profile", "7"}), kExitUsage);
    EXPECT_FALSE(parseCliArgs({"--bogus"}).ok());
}

TEST_F(SessionTest, NoDeviceAndAsleepAreDeviceErrors) {
    EXPECT_EQ(run({"set", "sleep", "5"}, "receiver-only,asleep"), kExitFailure);
    EXPECT_NE(err.str().find("asleep"), std::string::npos);
}

TEST_F(SessionTest, AChangeSavedWithoutTheMouseGoesOutAtTheNextConnection) {
    ASSERT_EQ(run({"set", "polling", "500"}), kExitOk) << err.str();  // the mouse is now known
    prepare = [](sim::SimTransport& t) {
        t.unplug(hid::DeviceRole::Wired);
        t.unplug(hid::DeviceRole::Receiver);
    };
    ASSERT_EQ(run({"set", "sleep", "5"}), kExitFailure);
    EXPECT_NE(out.str().find("not sent: sleep 5: no mouse found"), std::string::npos) << out.str();
    prepare = {};
    // Another change, with the mouse back: the saved sleep time goes with it, and the rest of the
    // profile too, as the failed run said.
    ASSERT_EQ(run({"set", "polling", "1000"}), kExitOk) << err.str();
    std::vector<std::string> commands;
    for (const auto& f : sets()) commands.push_back(f.substr(f.find(" 0C ") + 7, 2));
    EXPECT_NE(std::find(commands.begin(), commands.end(), "0B"), commands.end()) << out.str();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "04"), commands.end()) << out.str();
    EXPECT_NE(out.str().find("sleep time"), std::string::npos) << out.str();
}

TEST_F(SessionTest, StatusReportsTheMouse) {
    ASSERT_EQ(run({"--json", "status"}, "battery=57,charging,sensor=0x3335,mac=0x123456"), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\"battery\": 57"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"charging\": true"), std::string::npos);
    EXPECT_NE(out.str().find("\"sensor\": \"0x3335\""), std::string::npos);
    EXPECT_NE(out.str().find("\"macId\": \"0x123456\""), std::string::npos);
    // The status read is all that went out.
    EXPECT_EQ(sets().size(), 2u);  // status, DataChange
}

TEST_F(SessionTest, ResetGoesToTheWiredMouse) {
    ASSERT_EQ(run({"set", "debounce", "4"}), kExitOk);
    ASSERT_EQ(run({"reset", "--yes"}), kExitOk) << err.str();
    bool sawReset = false;
    for (const auto& f : sets()) sawReset = sawReset || f.rfind("wired 0C 01 0F 00", 0) == 0;
    EXPECT_TRUE(sawReset);
    ASSERT_EQ(run({"--json", "profile", "show"}), kExitOk);
    EXPECT_NE(out.str().find("\"KeyDebounce\": \"12\""), std::string::npos);
}

TEST_F(SessionTest, DevicesListsInterfacesAndExplainsPermissions) {
    ASSERT_EQ(run({"--json", "devices"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\"role\": \"feature\""), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"featureReportLength\": 33"), std::string::npos);
    prepare = [](sim::SimTransport& t) { t.injectFault(hid::DeviceRole::Wired, sim::Fault::OpenFeatureFails, sim::kFaultAlways); };
    EXPECT_EQ(run({"devices"}), kExitFailure);
    EXPECT_NE(err.str().find("udev rule"), std::string::npos) << err.str();
    EXPECT_EQ(run({"set", "polling", "500"}, "wired-only"), kExitFailure);
    EXPECT_NE(err.str().find("udev rule"), std::string::npos) << err.str();
}

TEST(SettingChangeTest, DpiLevelFollowsToggles) {
    // Levels 0-3 on, level 2 active: switching level 1 off moves the active level down.
    EXPECT_EQ(dpiLevelAfterToggle(2, 0x0F, 1, false), 1);
    EXPECT_EQ(dpiLevelAfterToggle(0, 0x0F, 0, false), 0);
    EXPECT_EQ(dpiLevelAfterToggle(1, 0x0D, 1, true), 2);
    EXPECT_EQ(dpiLevelAfterToggle(1, 0x0F, 3, false), 1);
}

TEST(ButtonFunctionTest, KeyCombinations) {
    auto k = parseKeyCombination("Ctrl+Shift+Page Down");
    ASSERT_TRUE(k.ok());
    EXPECT_EQ(k->modifiers, 3);
    EXPECT_EQ(k->virtualKey, 0x22);
    EXPECT_FALSE(parseKeyCombination("Hyper+A").ok());
    k = parseKeyCombination("Ctrl+=");
    ASSERT_TRUE(k.ok());
    EXPECT_EQ(k->virtualKey, 0xBB);
}

// The mouse has four DPI levels; the file's other four are never sent, so they are not shown.
TEST_F(SessionTest, ProfileShowListsTheFourLevelsTheMouseHas) {
    ASSERT_EQ(run({"profile", "show", "1"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("dpi level 4"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("dpi level 5"), std::string::npos) << out.str();
    ASSERT_EQ(run({"--json", "profile", "show", "1"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\"level\": 4"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("\"level\": 5"), std::string::npos) << out.str();
}

// Scripts put the options where they like: after the command as before it.
TEST(CliArgsTest, OptionsGoAnywhereAndTheCommandKeepsItsOwn) {
    auto a = parseCliArgs({"status", "--json", "--app-dir", "/d", "--simulate=asleep"});
    ASSERT_TRUE(a.ok());
    EXPECT_EQ(a->command, "status");
    EXPECT_TRUE(a->json);
    EXPECT_EQ(a->appDir, "/d");
    EXPECT_EQ(a->simulate, "asleep");
    EXPECT_TRUE(a->words.empty());
    a = parseCliArgs({"set", "--help"});
    ASSERT_TRUE(a.ok());
    EXPECT_TRUE(a->help);
    // The command's own options stay its words; after "--" nothing is an option.
    a = parseCliArgs({"apply", "--profile", "2", "--json"});
    ASSERT_TRUE(a.ok());
    EXPECT_EQ(a->words, (std::vector<std::string>{"--profile", "2"}));
    EXPECT_TRUE(a->json);
    a = parseCliArgs({"macro", "import", "--", "--json"});
    ASSERT_TRUE(a.ok());
    EXPECT_FALSE(a->json);
    EXPECT_EQ(a->words, (std::vector<std::string>{"import", "--json"}));
    EXPECT_FALSE(parseCliArgs({"--frobnicate", "status"}).ok());
    EXPECT_FALSE(parseCliArgs({"status", "--app-dir"}).ok());
}

TEST_F(SessionTest, ProfileShowTakesJsonAfterItsWords) {
    ASSERT_EQ(run({"profile", "show", "--json"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\"profile\": 1"), std::string::npos) << out.str();
    ASSERT_EQ(run({"profile", "show", "2", "--json"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\"profile\": 2"), std::string::npos) << out.str();
}

// A damaged library is replaced by an empty one as the folder is read: the user is told, on
// standard error whatever --json does, and only by the run that replaced it.
TEST_F(SessionTest, ADamagedLibraryIsToldOnceOnStandardError) {
    ASSERT_EQ(run({"profile", "show"}), kExitOk) << err.str();
    const fs::path library = dir / "config" / "MacroLibraryFile.mlf";
    std::ofstream(library, std::ios::binary) << "not a library";
    ASSERT_EQ(run({"--json", "profile", "show"}), kExitOk) << err.str();
    EXPECT_NE(err.str().find("orvanectl: warning: " + library.string()), std::string::npos) << err.str();
    EXPECT_EQ(out.str().find("warning"), std::string::npos) << out.str();
    ASSERT_EQ(run({"profile", "show"}), kExitOk) << err.str();
    EXPECT_EQ(err.str().find("MacroLibraryFile.mlf"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace orvane::cli
