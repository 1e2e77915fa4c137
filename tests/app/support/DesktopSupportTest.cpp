// Low-battery alerts, the autostart entry and the termination signals.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/Autostart.h"
#include "app/BatteryAlerts.h"
#include "app/TerminationSignals.h"
#include "base/RealEventLoop.h"
#include "profile/AtomicFile.h"
#include "support/TempFolder.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Alert = BatteryAlerts::Alert;

TEST(BatteryAlerts, FallingBatteryWarnsAt15And5OnlyOnceEachAndNeverWhileCharging) {
    BatteryAlerts a;
    EXPECT_EQ(a.onReading(true, 40, 0), std::nullopt);
    EXPECT_EQ(a.onReading(true, 16, 0), std::nullopt);
    EXPECT_EQ(a.onReading(true, 15, 0), Alert::Low);
    EXPECT_EQ(a.onReading(true, 16, 0), std::nullopt);  // a wobbling reading is no new warning
    EXPECT_EQ(a.onReading(true, 14, 0), std::nullopt);
    EXPECT_EQ(a.onReading(false, 0, 0), std::nullopt);  // offline readings say nothing
    EXPECT_EQ(a.onReading(true, 5, 1), std::nullopt);   // charging
    EXPECT_EQ(a.onReading(true, 5, 0), Alert::Critical);
    EXPECT_EQ(a.onReading(true, 3, 0), std::nullopt);
    // Recharged: both warnings are armed again.
    EXPECT_EQ(a.onReading(true, 60, 2), std::nullopt);
    EXPECT_EQ(a.onReading(true, 15, 0), Alert::Low);
}

TEST(BatteryAlerts, StartingAlreadyLowGivesOneWarningForTheWorseLevel) {
    BatteryAlerts a;
    EXPECT_EQ(a.onReading(true, 4, 0), Alert::Critical);
    EXPECT_EQ(a.onReading(true, 4, 0), std::nullopt);
    BatteryAlerts b;
    EXPECT_EQ(b.onReading(true, 21, 0), std::nullopt);
    EXPECT_EQ(b.onReading(true, 10, 0), Alert::Low);
    EXPECT_EQ(b.onReading(true, 11, 0), std::nullopt);
    EXPECT_EQ(b.onReading(true, 21, 0), std::nullopt);  // clearly risen: armed again
    EXPECT_EQ(b.onReading(true, 15, 0), Alert::Low);
}

TEST(Autostart, ExecQuotesWhatTheDesktopWouldSplitOrExpand) {
    EXPECT_EQ(DesktopExec({"/usr/bin/orvane"}), "/usr/bin/orvane");
    EXPECT_EQ(DesktopExec({"/opt/my apps/orvane", "--app-dir", "/home/a/100%"}),
              "\"/opt/my apps/orvane\" --app-dir \"/home/a/100%%\"");
    EXPECT_EQ(DesktopExec({"/x/$HOME\\\"`"}), "\"/x/\\\\$HOME\\\\\\\\\\\\\"\\\\`\"");
}

class AutostartTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = test::MakeTempFolder("orvane-autostart"); }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(AutostartTest, TheEntryIsTheSettingAndTheDesktopsOwnSwitchCounts) {
    Autostart a(dir_ / "config" / "autostart" / "orvane.desktop",
                {"/opt/Orvane Portable/orvane", "--app-dir", "/d"});
    EXPECT_FALSE(a.Enabled());
    ASSERT_TRUE(a.SetEnabled(true).ok());
    EXPECT_TRUE(a.Enabled());
    auto text = ReadFileBytes(a.Entry());
    ASSERT_TRUE(text.ok());
    EXPECT_NE(text->find("\nExec=\"/opt/Orvane Portable/orvane\" --app-dir /d\n"), std::string::npos);
    // An uninstalled program leaves no failing login entry.
    EXPECT_NE(text->find("\nTryExec=/opt/Orvane Portable/orvane\n"), std::string::npos);
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0) {
        EXPECT_EQ(std::system(("desktop-file-validate '" + a.Entry().string() + "'").c_str()), 0);
    }
    // A desktop's autostart settings switch an entry off without removing it.
    std::ofstream(a.Entry(), std::ios::app) << "[Desktop Action x]\nHidden=false\n";
    EXPECT_TRUE(a.Enabled());
    std::ofstream(a.Entry()) << "[Desktop Entry]\nType=Application\nExec=orvane\nHidden = true\n";
    EXPECT_FALSE(a.Enabled());
    std::ofstream(a.Entry()) << "[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n";
    EXPECT_FALSE(a.Enabled());
    ASSERT_TRUE(a.SetEnabled(false).ok());
    EXPECT_FALSE(fs::exists(a.Entry()));
    EXPECT_TRUE(a.SetEnabled(false).ok());  // already off
}

TEST_F(AutostartTest, ForTheUserFollowsXdgConfigHome) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    auto a = Autostart::ForCurrentUser("/usr/bin/orvane", "");
    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->Entry(), dir_ / "autostart" / "orvane.desktop");
    // The login start is told apart from one the user asks for: it waits hidden for the mouse.
    EXPECT_NE(a->EntryText().find("\nExec=/usr/bin/orvane --autostart\n"), std::string::npos);
}

// An entry an earlier version wrote (no --autostart) would show the window at every login.
TEST_F(AutostartTest, AnEnabledEntryForAnotherCommandIsWrittenAgainAndADisabledOneIsLeft) {
    Autostart a(dir_ / "orvane.desktop", {"/usr/bin/orvane", "--autostart"});
    ASSERT_TRUE(a.Refresh().ok());
    EXPECT_FALSE(fs::exists(a.Entry()));  // off stays off
    std::ofstream(a.Entry()) << "[Desktop Entry]\nType=Application\nExec=/usr/bin/orvane\n";
    ASSERT_TRUE(a.Refresh().ok());
    EXPECT_EQ(ReadFileBytes(a.Entry()).value(), a.EntryText());
    const std::string off = "[Desktop Entry]\nType=Application\nExec=/usr/bin/orvane\nHidden=true\n";
    std::ofstream(a.Entry()) << off;
    ASSERT_TRUE(a.Refresh().ok());
    EXPECT_EQ(ReadFileBytes(a.Entry()).value(), off);
}

TEST(TerminationSignals, ASignalBecomesARequestOnTheLoop) {
    TerminationSignals::Block();
    RealEventLoop loop;
    int requests = 0;
    TerminationSignals signals;
    ASSERT_TRUE(signals.Watch(loop, [&requests] { ++requests; }).ok());
    ::kill(::getpid(), SIGTERM);
    EXPECT_TRUE(loop.runUntil([&requests] { return requests == 1; }, 5000));
    ::kill(::getpid(), SIGHUP);
    EXPECT_TRUE(loop.runUntil([&requests] { return requests == 2; }, 5000));
}

}  // namespace
}  // namespace orvane
