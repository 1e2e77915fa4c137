// Profiles that follow the focused program, in the whole window: a switch takes the path of a tab
// click, so the mouse holds the profile, the bar shows it and config.ini stores it.
#include "MainWindowFixture.h"
#include "app/ProgramFollowing.h"
#include "autoprofile/ProfileFollower.h"
#include "profile/ButtonNames.h"
#include "profile/ProfilePrograms.h"
#include "ui/CTabControl.h"

namespace orvane::test {
namespace {

using autoprofile::ProfileFollower;
using mainwnd::kFirstCombo;
using mainwnd::kFirstTab;

const platform::ProgramIdentity kShooter{u"/opt/games/shooter", u"shooter", u"Shooter"};
const platform::ProgramIdentity kEditor{u"/usr/bin/gedit", u"gedit", u"Gedit"};

class FollowProgramsTest : public MainWindowTest {
protected:
    // The second profile follows the shooter and differs from the first where the mouse shows it.
    void StartWithAFollowingProfile(const WindowSetup& setup = {}) {
        StartQuiet(setup);
        Profile& second = app_->profiles[1];
        second.keys[2].KeyValue = {0x80, 0xCD, 0x00};
        second.SetPowerDownTime(7);
        ASSERT_TRUE(AddProfileProgram(second, u"SHOOTER").ok());
        ASSERT_NE(app_->profiles[0].keys[2].KeyValue, second.keys[2].KeyValue);
        ASSERT_NE(app_->profiles[0].GetPairInt(ProfilePair::PowerDownTime), 7);
    }
    bool tabSelected(int profile) { return control<ui::CTabControl>(kFirstTab + uint32_t(profile))->Selected(); }
    // The mouse holds what differs between the two profiles as profile p has it.
    void expectMouseHolds(int p) {
        const Profile& profile = app_->profiles[size_t(p)];
        EXPECT_EQ(sim_->memory().buttons[2], profile.keys[2].KeyValue) << "profile " << p + 1;
        EXPECT_EQ(sim_->memory().sleepTime, profile.GetPairInt(ProfilePair::PowerDownTime)) << "profile " << p + 1;
    }
};

TEST_F(FollowProgramsTest, AListedProgramBringsItsProfileAfterTheDwellAndLeavingItBringsTheEarlierOneBack) {
    StartWithAFollowingProfile();
    ASSERT_TRUE(focus_->watching());
    focus_->focus(kShooter);
    clock().advanceMs(ProfileFollower::kDwellMs - 10);
    Settle();
    EXPECT_EQ(app_->currentProfile, 0);
    EXPECT_EQ(allFramesSent(), 0u);

    Advance(10 + DeviceLink::kSyncDelayMs + 1000);
    EXPECT_EQ(app_->currentProfile, 1);
    EXPECT_TRUE(tabSelected(1));
    EXPECT_FALSE(tabSelected(0));
    EXPECT_EQ(control<ui::CControlBase>(kFirstCombo + 2)->GetText(),
              ShownButtonName(app_->profiles[1].keys[2], app_->language));
    expectMouseHolds(1);
    Advance(SaveScheduler::kDelayMs + 500);
    EXPECT_NE(fileAscii("config.ini").find("CurrentProfile=1"), std::string::npos) << fileAscii("config.ini");

    focus_->focus(kEditor);
    Advance(ProfileFollower::kDwellMs + DeviceLink::kSyncDelayMs + 1000);
    EXPECT_EQ(app_->currentProfile, 0);
    EXPECT_TRUE(tabSelected(0));
    expectMouseHolds(0);
}

TEST_F(FollowProgramsTest, ATabClickWinsUntilTheFocusMovesOn) {
    StartWithAFollowingProfile();
    // A click while the dwell runs: the switch it would have made does not come.
    focus_->focus(kShooter);
    clock().advanceMs(ProfileFollower::kDwellMs / 2);
    click(kFirstTab + 2);
    Advance(ProfileFollower::kDwellMs + 1000);
    EXPECT_EQ(app_->currentProfile, 2);
    expectMouseHolds(2);
    focus_->focus(kEditor);
    Advance(ProfileFollower::kDwellMs + 1000);
    EXPECT_EQ(app_->currentProfile, 2);  // no automatic switch had happened
    focus_->focus(kShooter);
    Advance(ProfileFollower::kDwellMs + 1000);
    ASSERT_EQ(app_->currentProfile, 1);
    click(kFirstTab + 2);
    focus_->focus(kShooter);  // reported again: no move
    Advance(ProfileFollower::kDwellMs + 1000);
    EXPECT_EQ(app_->currentProfile, 2);
    expectMouseHolds(2);
    focus_->focus(kEditor);
    Advance(ProfileFollower::kDwellMs + 1000);
    EXPECT_EQ(app_->currentProfile, 2);  // the profile from before the automatic switch
    expectMouseHolds(2);
}

TEST_F(FollowProgramsTest, ADesktopThatCannotTellTheFocusIsNotWatched) {
    WindowSetup setup;
    setup.focusKnown = false;
    StartWithAFollowingProfile(setup);
    EXPECT_FALSE(focus_->watching());
}

// The last save may take a while; no switch may begin while it is written.
TEST_F(FollowProgramsTest, ShutdownStopsListening) {
    StartWithAFollowingProfile();
    ASSERT_TRUE(focus_->watching());
    dlg().Shutdown();
    EXPECT_FALSE(focus_->watching());
}

TEST_F(FollowProgramsTest, TheTrayItemTurnsFollowingOffAndOnAndConfigIniKeepsTheChoice) {
    StartWithAFollowingProfile();
    EXPECT_EQ(tray_->menu_.followPrograms, app_->language.LanguageText(kTextFollowPrograms));
    EXPECT_TRUE(tray_->followProgramsChecked_);

    tray_->fire(platform::TrayEvent::MenuFollowPrograms);
    EXPECT_FALSE(tray_->followProgramsChecked_);
    focus_->focus(kShooter);
    Advance(ProfileFollower::kDwellMs + DeviceLink::kSyncDelayMs + SaveScheduler::kDelayMs + 1000);
    EXPECT_EQ(app_->currentProfile, 0) << "switched while turned off";
    EXPECT_NE(fileAscii("config.ini").find("FollowPrograms=0"), std::string::npos) << fileAscii("config.ini");

    tray_->fire(platform::TrayEvent::MenuFollowPrograms);
    EXPECT_TRUE(tray_->followProgramsChecked_);
    focus_->focus(kEditor);
    Advance(ProfileFollower::kDwellMs + 100);
    focus_->focus(kShooter);
    Advance(ProfileFollower::kDwellMs + DeviceLink::kSyncDelayMs + 1000);
    EXPECT_EQ(app_->currentProfile, 1);
    expectMouseHolds(1);
}

}  // namespace
}  // namespace orvane::test
