// The switching rules on virtual time: dwell, the profile brought back, the manual choice and
// the switch itself.
#include <gtest/gtest.h>

#include <array>

#include "autoprofile/ProfileFollower.h"
#include "base/VirtualEventLoop.h"

namespace orvane::autoprofile {
namespace {

using platform::ProgramIdentity;

const ProgramIdentity kEditor{u"/usr/bin/gedit", u"gedit", u"Gedit"};
const ProgramIdentity kShooter{u"/opt/games/shooter", u"shooter", u"Shooter"};
const ProgramIdentity kRacer{u"/opt/games/racer", u"racer", u"racer"};
const ProgramIdentity kBrowser{u"/usr/bin/browser", u"browser", u"Browser"};
const ProgramIdentity kSelf{u"/usr/bin/orvane", u"orvane", u"orvane"};

class ProfileFollowerTest : public ::testing::Test {
protected:
    ProfileFollowerTest() {
        programs_[1] = {u"shooter"};
        programs_[2] = {u"RACER", u"/opt/other/racer"};
        follower_.SetEnabled(true);
    }

    std::vector<FollowedProfile> Shown() {
        std::vector<FollowedProfile> out;
        for (int p : shown_) out.push_back({p, programs_[size_t(p)]});
        return out;
    }
    void Focus(const ProgramIdentity& id, int64_t thenMs = ProfileFollower::kDwellMs) {
        follower_.OnFocus(id);
        loop_.advanceMs(thenMs);
    }
    // A click on a tab: the bar has made the profile current before the follower hears.
    void Click(int profile) {
        current_ = profile;
        follower_.OnManualSwitch();
    }

    VirtualEventLoop loop_;
    std::array<std::vector<Text>, 5> programs_;
    std::vector<int> shown_{0, 1, 2, 3};
    int current_ = 0;
    std::vector<int> switches_;
    ProfileFollower follower_{loop_, {[this] { return Shown(); }, [this] { return current_; },
                                      [this](int p) {
                                          switches_.push_back(p);
                                          current_ = p;
                                      }}};
};

TEST_F(ProfileFollowerTest, AListedProgramSwitchesAfterTheDwellAndAnUnlistedOneBringsTheEarlierProfileBack) {
    current_ = 3;
    follower_.OnFocus(kShooter);
    loop_.advanceMs(ProfileFollower::kDwellMs - 1);
    EXPECT_TRUE(switches_.empty());
    loop_.advanceMs(1);
    EXPECT_EQ(switches_, (std::vector<int>{1}));
    Focus(kRacer);  // one listed program after another: the earlier profile is still the one from before
    Focus(kEditor);
    EXPECT_EQ(switches_, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(follower_.ProfileToRestore(), std::nullopt);
    // Nothing to bring back any more: another unlisted program changes nothing.
    Focus(kBrowser, 5000);
    EXPECT_EQ(switches_, (std::vector<int>{1, 2, 3}));
}

TEST_F(ProfileFollowerTest, AltTabbingThroughWindowsSwitchesOnlyToWhereTheFocusStays) {
    Focus(kShooter, 100);
    Focus(kEditor, 299);
    Focus(kRacer, 150);
    EXPECT_TRUE(switches_.empty());
    loop_.advanceMs(150);
    EXPECT_EQ(switches_, (std::vector<int>{2}));
    // Passing through a listed program on the way back switches nothing either.
    Focus(kShooter, 200);
    Focus(kEditor);
    EXPECT_EQ(switches_, (std::vector<int>{2, 0}));
}

TEST_F(ProfileFollowerTest, NoWindowFocusedCountsAsAProgramNobodyLists) {
    Focus(kShooter);
    Focus(ProgramIdentity{});
    EXPECT_EQ(switches_, (std::vector<int>{1, 0}));
}

TEST_F(ProfileFollowerTest, AManualClickWinsUntilTheFocusMovesToAnotherProgram) {
    Focus(kShooter);
    Click(3);
    // The desktop repeating the same focus is no move.
    Focus(kShooter, 1000);
    EXPECT_EQ(current_, 3);
    Focus(kRacer);
    EXPECT_EQ(current_, 2);
    // The profile from before the first automatic switch still comes back.
    Focus(kEditor);
    EXPECT_EQ(switches_, (std::vector<int>{1, 2, 0}));
}

TEST_F(ProfileFollowerTest, AClickDuringTheDwellCancelsThePendingSwitch) {
    Focus(kShooter, 100);
    Click(2);
    loop_.advanceMs(1000);
    EXPECT_TRUE(switches_.empty());
    EXPECT_EQ(current_, 2);
}

TEST_F(ProfileFollowerTest, AManualChoiceIsWhatTheNextAutomaticSwitchReturnsTo) {
    Click(3);
    Focus(kShooter);
    Focus(kEditor);
    EXPECT_EQ(switches_, (std::vector<int>{1, 3}));
}

TEST_F(ProfileFollowerTest, ItsOwnWindowNeitherSwitchesNorEndsAManualChoice) {
    follower_.SetOwnProgram(kSelf);
    Focus(kShooter);
    Focus(kSelf);  // the user opens the window to look
    EXPECT_EQ(current_, 1);
    Click(3);
    Focus(kShooter);  // and goes back to the same program
    EXPECT_EQ(current_, 3);
    Focus(kEditor);
    EXPECT_EQ(switches_, (std::vector<int>{1, 0}));
}

// Wayland names no executable: our windows are known by their app_id there, and another
// program's window is not ours for sharing a class with us when it names its executable.
TEST_F(ProfileFollowerTest, OnWaylandItsOwnWindowIsKnownByItsAppId) {
    follower_.SetOwnProgram({u"/usr/bin/orvane", {}, u"orvane"});
    const ProgramIdentity ownWindow{{}, u"orvane", u"orvane"};
    const ProgramIdentity shooterWindow{{}, u"shooter", u"Shooter"};
    Focus(shooterWindow);
    Focus(ownWindow);
    EXPECT_EQ(current_, 1);
    Click(3);
    Focus(shooterWindow);
    EXPECT_EQ(current_, 3);
    Focus(ProgramIdentity{u"/opt/other/orvane", u"orvane", u"orvane"});
    EXPECT_EQ(switches_, (std::vector<int>{1, 0}));
}

TEST_F(ProfileFollowerTest, TheFirstShownProfileInBarOrderWinsAndHiddenProfilesAreNotChosen) {
    programs_[3] = {u"Shooter"};
    shown_ = {3, 0, 1, 2};
    Focus(kShooter);
    EXPECT_EQ(current_, 3);
    Focus(kEditor);
    shown_ = {0, 2};  // profiles 1 and 3 removed from the bar
    Focus(kShooter);
    EXPECT_EQ(switches_, (std::vector<int>{3, 0}));
}

TEST_F(ProfileFollowerTest, AProfileRemovedMeanwhileIsNotBroughtBack) {
    current_ = 3;
    Focus(kShooter);
    shown_ = {0, 1, 2};
    Focus(kEditor);
    EXPECT_EQ(switches_, (std::vector<int>{1}));
    EXPECT_EQ(follower_.ProfileToRestore(), std::nullopt);
}

TEST_F(ProfileFollowerTest, AProgramOfTheCurrentProfileSwitchesNothingAndLeavesNothingToBringBack) {
    current_ = 1;
    Focus(kShooter);
    Focus(kEditor);
    EXPECT_TRUE(switches_.empty());
    EXPECT_EQ(current_, 1);
}

TEST_F(ProfileFollowerTest, ListsAreReadWhenTheDwellEnds) {
    follower_.OnFocus(kBrowser);
    programs_[4] = {u"browser"};
    shown_.push_back(4);
    loop_.advanceMs(ProfileFollower::kDwellMs);
    EXPECT_EQ(switches_, (std::vector<int>{4}));
}

TEST_F(ProfileFollowerTest, DisabledItSwitchesNothingAndForgetsWhatToBringBack) {
    Focus(kShooter);
    follower_.OnFocus(kRacer);
    follower_.SetEnabled(false);  // with a switch pending
    loop_.advanceMs(1000);
    Focus(kEditor);
    Focus(kShooter);
    EXPECT_EQ(switches_, (std::vector<int>{1}));
    // Turned on again while the shooter has the focus: it counts once the dwell has passed.
    follower_.SetEnabled(true);
    EXPECT_EQ(follower_.ProfileToRestore(), std::nullopt);
    loop_.advanceMs(ProfileFollower::kDwellMs);
    EXPECT_EQ(switches_, (std::vector<int>{1}));  // already current
    Focus(kEditor);
    EXPECT_EQ(current_, 1);  // turning off ended the automatic switch: nothing to bring back
    Focus(kRacer);
    Focus(kBrowser);
    EXPECT_EQ(switches_, (std::vector<int>{1, 2, 1}));
}

TEST_F(ProfileFollowerTest, ANewFollowerIsOffAndNoTimerOutlivesIt) {
    int calls = 0;
    {
        ProfileFollower f(loop_, {[this] { return Shown(); }, [] { return 0; }, [&calls](int) { ++calls; }});
        f.OnFocus(kShooter);
        loop_.advanceMs(1000);
        EXPECT_EQ(calls, 0);
        f.SetEnabled(true);
        f.OnFocus(kRacer);
    }
    loop_.advanceMs(1000);
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace orvane::autoprofile
