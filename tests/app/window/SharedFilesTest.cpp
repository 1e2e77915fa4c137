// One writer at a time: the window and orvanectl (or any other program) change the same files,
// and neither loses the other's change.
#include <sstream>

#include "MainWindowFixture.h"
#include "app/DpiIndicator.h"
#include "base/VirtualEventLoop.h"
#include "cli/Session.h"
#include "profile/ConfigLock.h"
#include "profile/ProfileFile.h"
#include "ui/CSliderControl.h"

namespace orvane::test {
namespace {

using namespace mainwnd;

class SharedFiles : public MainWindowTest {
protected:
    // Start-up's pass and save are over.
    void StartQuiet() {
        Start();
        Advance(SaveScheduler::kDelayMs + 500);
    }
    // orvanectl as a separate program would run it: its own virtual mouse, its own loop.
    int Orvanectl(std::vector<std::string> words) {
        words.insert(words.begin(), {"--app-dir", dir_.string(), "--simulate"});
        auto args = cli::parseCliArgs(words);
        EXPECT_TRUE(args.ok());
        VirtualEventLoop loop;
        cli::Platform platform{loop,
                               [&loop](const std::function<bool()>& done, int timeoutMs) {
                                   for (int t = 0; t < timeoutMs && !done(); ++t) loop.advanceMs(1);
                                   return done();
                               },
                               [&loop]() -> Result<std::unique_ptr<hid::Transport>> {
                                   return std::unique_ptr<hid::Transport>(
                                       std::make_unique<sim::SimTransport>(sim::SimOptions{}, &loop));
                               }};
        std::ostringstream out, err;
        cli::Session session(std::move(args.value()), std::move(platform), out, err);
        const int status = session.run();
        EXPECT_EQ(status, 0) << err.str();
        return status;
    }
    Profile OnDisk(int index) {
        auto read =
            ReadProfileFileInto(dir_ / "config" / ("default" + std::to_string(index) + ".psf"), Profile{});
        EXPECT_TRUE(read.ok());
        return read.ok() ? read.value() : Profile{};
    }
};

TEST_F(SharedFiles, AChangeInTheWindowAndOneFromOrvanectlAtTheSameTimeBothReachTheFiles) {
    StartQuiet();
    const Profile before = OnDisk(0);
    ClickPollingStep(2);  // the window's change, not saved for ten seconds
    Advance(DeviceLink::kSyncDelayMs + 200);
    ASSERT_EQ(current().PollingRateName, u"1000HZ");

    ASSERT_EQ(Orvanectl({"set", "dpi", "1", "step:20"}), 0);
    const Profile fromCli = OnDisk(0);
    ASSERT_NE(fromCli.XYSetting[0], before.XYSetting[0]);
    EXPECT_NE(fromCli.PollingRateName, u"1000HZ");  // it could not see the unsaved change

    // The window notices within a second, shows the change, and keeps its own.
    Advance(ConfigSync::kCheckMs + 100);
    EXPECT_EQ(current().XYSetting[0], fromCli.XYSetting[0]);
    EXPECT_EQ(current().PollingRateName, u"1000HZ");

    Advance(SaveScheduler::kDelayMs + 500);
    const Profile after = OnDisk(0);
    EXPECT_EQ(after.XYSetting[0], fromCli.XYSetting[0]);
    EXPECT_EQ(after.PollingRateName, u"1000HZ");
}

TEST_F(SharedFiles, TheWindowsSaveWaitsForAWriterAndDoesNotBlock) {
    StartQuiet();
    ClickPollingStep(2);
    {
        // A command in progress holds the folder while the window's save comes due.
        auto busy = ConfigLock::Acquire(dir_ / "config", 0);
        ASSERT_TRUE(busy.ok());
        Advance(SaveScheduler::kDelayMs + 500);
        EXPECT_NE(OnDisk(0).PollingRateName, u"1000HZ");
        EXPECT_TRUE(dlg().Files().WritesKept());
    }
    Advance(ConfigSync::kRetryMs + 50);
    EXPECT_EQ(OnDisk(0).PollingRateName, u"1000HZ");
    EXPECT_FALSE(dlg().Files().WritesKept());
}

TEST_F(SharedFiles, AProfileAnotherProgramWroteIsReloadedNotOverwritten) {
    StartQuiet();
    Profile edited = OnDisk(1);
    edited.SetProfileName(u"Edited elsewhere");
    ASSERT_TRUE(WriteProfileFile(edited, dir_ / "config" / "default1.psf").ok());
    Advance(ConfigSync::kCheckMs + 100);
    EXPECT_EQ(app_->profiles[1].GetProfileName(), u"Edited elsewhere");
    // A later save of everything keeps it.
    ClickPollingStep(2);
    Advance(SaveScheduler::kDelayMs + 500);
    EXPECT_EQ(OnDisk(1).GetProfileName(), u"Edited elsewhere");
    EXPECT_EQ(OnDisk(0).PollingRateName, u"1000HZ");
}

TEST_F(SharedFiles, AtTheEndAKeptSaveWaitsForTheFolder) {
    StartQuiet();
    ClickPollingStep(2);
    auto busy = ConfigLock::Acquire(dir_ / "config", 0);
    ASSERT_TRUE(busy.ok());
    Advance(SaveScheduler::kDelayMs + 500);
    ASSERT_TRUE(dlg().Files().WritesKept());
    std::thread release([lock = std::move(busy.value())]() mutable {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ConfigLock gone = std::move(lock);
    });
    dlg().Shutdown();
    release.join();
    EXPECT_EQ(OnDisk(0).PollingRateName, u"1000HZ");
}

// The tray's two switches set from orvanectl: the running window follows within a second, its
// tray items with it, and its own later saves keep the choice.
TEST_F(SharedFiles, TheTraysSwitchesSetByOrvanectlHoldInTheRunningWindowWithinASecond) {
    StartQuiet();
    ASSERT_TRUE(tray_->followProgramsChecked_);
    ASSERT_TRUE(dlg().Following().Follower().Enabled());
    // The indicator is up when the switch goes off: it goes with it.
    ASSERT_TRUE(sim_->userSelectDpiLevel(0).ok());
    Advance(DpiIndicator::kShowMs + 100);
    ASSERT_TRUE(sim_->userSelectDpiLevel(1).ok());
    Settle();
    ASSERT_TRUE(dlg().Indicator().Shown());

    ASSERT_EQ(Orvanectl({"follow-programs", "off"}), 0);
    ASSERT_EQ(Orvanectl({"dpi-indicator", "off"}), 0);
    Advance(ConfigSync::kCheckMs + 100);
    ASSERT_LT(ConfigSync::kCheckMs + 100, DpiIndicator::kShowMs);
    EXPECT_FALSE(dlg().Indicator().Shown());
    EXPECT_FALSE(tray_->followProgramsChecked_);
    EXPECT_FALSE(tray_->dpiIndicatorChecked_);
    EXPECT_FALSE(dlg().Following().Follower().Enabled());
    ASSERT_TRUE(sim_->userSelectDpiLevel(2).ok());
    Settle();
    EXPECT_FALSE(dlg().Indicator().Shown()) << "shown while turned off";

    ASSERT_EQ(Orvanectl({"follow-programs", "on"}), 0);
    Advance(ConfigSync::kCheckMs + 100);
    EXPECT_TRUE(tray_->followProgramsChecked_);
    EXPECT_TRUE(dlg().Following().Follower().Enabled());
    ClickPollingStep(2);
    Advance(SaveScheduler::kDelayMs + 500);
    const std::string config = fileAscii("config.ini");
    EXPECT_NE(config.find("FollowPrograms=1"), std::string::npos) << config;
    EXPECT_NE(config.find("ShowDPIChanges=0"), std::string::npos) << config;
}

}  // namespace
}  // namespace orvane::test
