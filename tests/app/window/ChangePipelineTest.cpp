// From a user's change to the mouse and to disk, through the whole window.
#include "MainWindowFixture.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticText.h"

namespace orvane::test {
namespace {

using namespace mainwnd;

constexpr uint8_t kPollingCommand = 0x07;

class ChangePipeline : public MainWindowTest {
protected:
    // Setting writes only: status and DataChange reads are left out.
    size_t settingsFrames(hid::DeviceRole device) {
        size_t n = 0;
        for (uint8_t c : sim_->log().commands(device)) n += c != 0x20 && c != 0x21;
        return n;
    }
};

TEST_F(ChangePipeline, PollingSliderReleasedAtItsEndSendsOneFrameThenSavesTenSecondsLater) {
    StartQuiet();
    ASSERT_TRUE(window().isVisible());
    ClickPollingStep(2);
    EXPECT_EQ(current().PollingRateName, u"1000HZ");
    EXPECT_EQ(current().PollingRateValue, (std::array<uint8_t, 3>{3, 0, 0}));

    Advance(DeviceLink::kSyncDelayMs - 1);
    EXPECT_EQ(settingsFrames(hid::DeviceRole::Wired), 0u);
    Advance(1);
    // One frame to each device, the wired mouse first, and nothing else.
    EXPECT_EQ(framesSent(kPollingCommand, hid::DeviceRole::Wired), 1u);
    EXPECT_EQ(framesSent(kPollingCommand, hid::DeviceRole::Receiver), 1u);
    EXPECT_EQ(settingsFrames(hid::DeviceRole::Wired), 1u);
    EXPECT_EQ(settingsFrames(hid::DeviceRole::Receiver), 1u);
    const auto records = sim_->log().records();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().device, hid::DeviceRole::Wired);
    EXPECT_EQ(sim_->memory().pollingInterval, 1);

    Advance(9800);
    EXPECT_EQ(fileAscii("default0.psf").find("1000HZ"), std::string::npos);
    Advance(400);
    EXPECT_NE(fileAscii("default0.psf").find("1000HZ"), std::string::npos);
    EXPECT_FALSE(fileText("config.ini").empty());
}

TEST_F(ChangePipeline, TenQuickChangesGiveOnePass) {
    StartQuiet();
    for (int i = 0; i < 10; ++i) {
        ClickPollingStep(i % 2 == 0 ? 0 : 2);
        Advance(10);
    }
    Advance(DeviceLink::kSyncDelayMs + 200);
    EXPECT_EQ(framesSent(kPollingCommand, hid::DeviceRole::Wired), 1u);
    EXPECT_EQ(current().PollingRateName, u"1000HZ");
}

TEST_F(ChangePipeline, ADragThatEndsOutsideItsSliderStillSynchronises) {
    StartQuiet();
    auto* s = control<ui::CSliderControl>(kPollingSlider);
    const int32_t y = (s->GetRect().top + s->GetRect().bottom) / 2;
    const int32_t thumb = s->Steps()[size_t(s->Position())];
    window().press(thumb, y);
    window().moveTo(s->Steps()[0], y);
    window().release(s->Steps()[0], y + 200);  // released far below: the slider reports no release
    Advance(100);
    EXPECT_EQ(framesSent(kPollingCommand), 0u);
    window().moveTo(10, 10);  // the next plain movement starts the pass
    Advance(100);
    EXPECT_EQ(framesSent(kPollingCommand), 1u);
    EXPECT_EQ(current().PollingRateName, u"125HZ");
}

TEST_F(ChangePipeline, ReleasingTheSleepSliderAtItsStartSendsPowerAndPerformance) {
    StartQuiet();
    click(sectionInfo(Section::Sleep).headerId);
    auto* s = control<ui::CSliderControl>(kSleepSlider);
    ASSERT_TRUE(s->Shown());
    window().click(s->Steps()[0], (s->GetRect().top + s->GetRect().bottom) / 2);
    EXPECT_EQ(current().GetPairInt(ProfilePair::PowerDownTime), 1);
    Advance(200);
    EXPECT_TRUE(link().dirty(SyncGroup::Power) == false);
    EXPECT_GE(settingsFrames(hid::DeviceRole::Wired), 1u);
}

TEST_F(ChangePipeline, NothingIsSentWhileTheLinkIsInactive) {
    StartQuiet(WindowSetup::Sim("receiver-only,asleep"));
    ASSERT_FALSE(link().presence().active());
    ClickPollingStep(0);
    Advance(500);
    EXPECT_EQ(settingsFrames(hid::DeviceRole::Wired), 0u);
    EXPECT_TRUE(link().dirty(SyncGroup::Performance));
}

// Started at login, the window showed itself for the mouse and leaves with it.
TEST_F(ChangePipeline, TheLastDeviceLeavingEndsTheProgramWithThePendingSaveWritten) {
    StartQuiet(WindowSetup::AtLogin(""));
    ClickPollingStep(0);
    Advance(DeviceLink::kSyncDelayMs + 200);
    ASSERT_TRUE(link().saves().pending());
    sim_->unplug(sim::Link::Wired);
    Settle();
    EXPECT_FALSE(dlg().QuitRequested());  // the receiver is still there
    sim_->unplug(sim::Link::Receiver);
    Advance(10);
    EXPECT_TRUE(dlg().QuitRequested());
    EXPECT_TRUE(dlg().GetWindow() == nullptr || !window().isVisible());
    dlg().Shutdown();
    EXPECT_NE(fileAscii("default0.psf").find("125HZ"), std::string::npos);
}

TEST_F(ChangePipeline, ADeviceNotificationRefreshesThePagesAndSendsNothing) {
    StartQuiet();
    ASSERT_TRUE(sim_->userSetPollingInterval(8).ok());
    for (int i = 0; i < 50 && current().PollingRateValue[0] != 0; ++i) Advance(1);
    EXPECT_EQ(current().PollingRateValue[0], 0);
    EXPECT_EQ(control<ui::CSliderControl>(kPollingSlider)->Position(), 0);
    Advance(500);
    EXPECT_EQ(settingsFrames(hid::DeviceRole::Wired), 0u);
}

TEST_F(ChangePipeline, ExitWithinTenSecondsOfAPassStillSaves) {
    StartQuiet();
    ClickPollingStep(0);
    Advance(DeviceLink::kSyncDelayMs + 200);
    click(kExit);
    EXPECT_TRUE(dlg().QuitRequested());
    dlg().Shutdown();
    EXPECT_NE(fileAscii("default0.psf").find("125HZ"), std::string::npos);
    EXPECT_FALSE(tray_->added());
}

// 250 Hz (set by orvanectl or a profile file) has no slider step. The window shows it as it is
// and keeps it, and every value the user did not touch, when another control changes.
class UntouchedValues : public ChangePipeline {
protected:
    void StartWith250Hz() {
        StartQuiet();
        Profile& p = current();
        p.PollingRateValue = {1, 0, 0};
        p.PollingRateName = u"250HZ";
        p.SetKeyDebounce(5);  // odd: possible from a hand-edited profile file
        dlg().refreshPages();
        dlg().SendCurrentProfile();
        Advance(DeviceLink::kSyncDelayMs + 1000);
        ASSERT_EQ(sim_->memory().pollingInterval, 4);
        sim_->log().clear();
    }
};

TEST_F(UntouchedValues, A250HzRateIsShownAsItIs) {
    StartWith250Hz();
    EXPECT_EQ(control<ui::CStaticText>(kPollingValue)->Label(), u"250Hz");
    EXPECT_EQ(control<ui::CStaticText>(kDebounceValue)->Label(), u"5ms");
    // The pass's own refresh does not turn it into a step either.
    Advance(SaveScheduler::kDelayMs + 500);
    EXPECT_EQ(control<ui::CStaticText>(kPollingValue)->Label(), u"250Hz");
    EXPECT_EQ(current().PollingRateValue[0], 1);
}

TEST_F(UntouchedValues, ADpiChangeKeepsThePollingRateAndTheDebounce) {
    StartWith250Hz();
    click(kDpiCheck + 3);
    Advance(DeviceLink::kSyncDelayMs + 1000);
    EXPECT_EQ(current().PollingRateValue, (std::array<uint8_t, 3>{1, 0, 0}));
    EXPECT_EQ(current().PollingRateName, u"250HZ");
    EXPECT_EQ(current().GetPairInt(ProfilePair::KeyDebounce), 5);
    EXPECT_EQ(framesSent(kPollingCommand), 0u);
    EXPECT_EQ(sim_->memory().pollingInterval, 4);
}

TEST_F(UntouchedValues, MovingTheSleepSliderChangesOnlyTheSleepTime) {
    StartWith250Hz();
    click(sectionInfo(Section::Sleep).headerId);
    auto* s = control<ui::CSliderControl>(kSleepSlider);
    ASSERT_TRUE(s->Shown());
    window().click(s->Steps()[3], (s->GetRect().top + s->GetRect().bottom) / 2);
    Advance(DeviceLink::kSyncDelayMs + 1000);
    EXPECT_EQ(current().GetPairInt(ProfilePair::PowerDownTime), 4);
    EXPECT_EQ(current().PollingRateValue[0], 1);
    EXPECT_EQ(current().GetPairInt(ProfilePair::KeyDebounce), 5);
    EXPECT_EQ(sim_->memory().pollingInterval, 4);
    EXPECT_EQ(sim_->memory().sleepTime, 4);
}

TEST_F(UntouchedValues, ThePollingSliderTheUserMovesDoesWriteItsStep) {
    StartWith250Hz();
    ClickPollingStep(1);
    Advance(DeviceLink::kSyncDelayMs + 1000);
    EXPECT_EQ(current().PollingRateName, u"500HZ");
    EXPECT_EQ(control<ui::CStaticText>(kPollingValue)->Label(), u"500Hz");
    EXPECT_EQ(sim_->memory().pollingInterval, 2);
    EXPECT_EQ(current().GetPairInt(ProfilePair::KeyDebounce), 5);
}

}  // namespace
}  // namespace orvane::test
