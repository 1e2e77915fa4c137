// The right column: which sections open together, where headers sit, and the DPI levels.
#include "MainWindowFixture.h"
#include "ui/CCheckButton.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CSliderControl.h"

namespace orvane::test {
namespace {

using namespace mainwnd;

uint32_t header(Section s) { return sectionInfo(s).headerId; }

TEST_F(MainWindowTest, StartsWithDpiAndPollingOpenAndHeadersStacked) {
    Start();
    EXPECT_TRUE(dlg().Open()[size_t(Section::Dpi)]);
    EXPECT_TRUE(dlg().Open()[size_t(Section::Polling)]);
    EXPECT_EQ(dlg().FindControl(header(Section::Polling))->GetRect(), (platform::Rect{846, 263, 1108, 288}));
    EXPECT_TRUE(control<ui::CSliderControl>(kPollingSlider)->Shown());
    EXPECT_FALSE(control<ui::CSliderControl>(kSleepSlider)->Shown());
}

TEST_F(MainWindowTest, OpeningSleepClosesPollingAndMovesTheControls) {
    Start();
    click(header(Section::Sleep));
    EXPECT_TRUE(dlg().Open()[size_t(Section::Dpi)]);
    EXPECT_FALSE(dlg().Open()[size_t(Section::Polling)]);
    EXPECT_TRUE(dlg().Open()[size_t(Section::Sleep)]);
    EXPECT_FALSE(control<ui::CCheckButton>(header(Section::Polling))->Checked());
    EXPECT_FALSE(control<ui::CSliderControl>(kPollingSlider)->Shown());
    auto* sleep = control<ui::CSliderControl>(kSleepSlider);
    ASSERT_TRUE(sleep->Shown());
    // Sleep header at 97 + 30 + 196 with the lift-off header shown; contents 25 lower.
    EXPECT_EQ(dlg().FindControl(header(Section::Sleep))->GetRect().top, 323);
    EXPECT_EQ(sleep->GetRect().top, 323 + 25 + 37);
    // Closing it again changes nothing else.
    click(header(Section::Sleep));
    EXPECT_TRUE(dlg().Open()[size_t(Section::Dpi)]);
    EXPECT_FALSE(dlg().Open()[size_t(Section::Polling)]);
}

TEST_F(MainWindowTest, ASliderMovedWithItsSectionStillHitsItsSteps) {
    Start();
    click(header(Section::Dpi));  // closes DPI: polling moves up 196
    auto* polling = control<ui::CSliderControl>(kPollingSlider);
    ASSERT_TRUE(polling->Shown());
    EXPECT_EQ(polling->GetRect().top, 67 + 25 + 37);
    window().click(polling->GetRect().right - 7, (polling->GetRect().top + polling->GetRect().bottom) / 2);
    EXPECT_EQ(polling->Position(), 2);
    EXPECT_EQ(current().PollingRateName, u"1000HZ");
}

TEST_F(MainWindowTest, WithoutTheLiftOffPageTheSleepHeaderSitsThirtyHigher) {
    Start(WindowSetup::Sim("sensor=0x3327"));
    EXPECT_FALSE(dlg().LiftOffShown());
    EXPECT_FALSE(dlg().FindControl(header(Section::LiftOff))->Active());
    // 97 + 196 (DPI) + 85 (polling), without the 30 of the lift-off header.
    EXPECT_EQ(dlg().FindControl(header(Section::Sleep))->GetRect().top, 378);
}

TEST_F(MainWindowTest, AtScaleTwoEveryRectangleDoubles) {
    WindowSetup setup;
    setup.scale = 2.0f;
    Start(setup);
    EXPECT_EQ(dlg().WindowSize(), (platform::Size{2254, 1480}));
    EXPECT_EQ(dlg().FindControl(header(Section::Polling))->GetRect(), (platform::Rect{1692, 526, 2216, 576}));
    EXPECT_EQ(dlg().FindControl(kExit)->GetRect(), (platform::Rect{2184, 24, 2214, 54}));
}

TEST_F(MainWindowTest, ThePanelTitlesTakeNeitherThePointersLookNorAClick) {
    Start();
    for (uint32_t id : {kButtonsTitle, kBatteryTitle, kProfilesTitle}) {
        auto* title = control<ui::CCheckButton>(id);
        ASSERT_NE(title, nullptr);
        const auto c = centre(id);
        window().moveTo(c.x, c.y);
        window().moveTo(c.x + 1, c.y);
        EXPECT_EQ(title->Frame(), 0) << id;
        window().click(c.x, c.y);
        EXPECT_EQ(title->Frame(), 0) << id;
        EXPECT_FALSE(title->Checked()) << id;
    }
}

class DpiLevelsTest : public MainWindowTest {
protected:
    void SetLevels(uint8_t mask, uint8_t active) {
        current().DPIOffOnFlagValue = mask;
        current().CurrentDPILevelValue = active;
        dlg().refreshPages();
    }
    int RedLabel() {
        int red = -1;
        for (int i = 0; i < 4; ++i)
            if (control<ui::CDPIRadioButton>(kDpiLabel + uint32_t(i))->TextColour() == DpiSection::kActiveColour)
                red = i;
        return red;
    }
};

TEST_F(DpiLevelsTest, SwitchingOffALevelBelowTheActiveOneKeepsItActive) {
    Start();
    SetLevels(0x0F, 2);
    EXPECT_EQ(RedLabel(), 2);
    click(kDpiCheck + 0);
    EXPECT_EQ(current().DPIOffOnFlagValue, 0x0E);
    EXPECT_EQ(current().CurrentDPILevelValue, 1);
    EXPECT_EQ(RedLabel(), 2);
    EXPECT_TRUE(link().dirty(SyncGroup::Performance));
}

TEST_F(DpiLevelsTest, SwitchingOffTheActiveLevelMakesThePreviousOneActive) {
    Start();
    SetLevels(0x0F, 2);
    click(kDpiCheck + 2);
    EXPECT_EQ(current().CurrentDPILevelValue, 1);
    EXPECT_EQ(RedLabel(), 1);
}

TEST_F(DpiLevelsTest, SwitchingOnALevelBelowTheActiveOneKeepsItActive) {
    Start();
    SetLevels(0x0A, 0);  // levels 1 and 3, level 1 active
    click(kDpiCheck + 0);
    EXPECT_EQ(current().CurrentDPILevelValue, 1);
    EXPECT_EQ(RedLabel(), 1);
    click(kDpiCheck + 2);
    EXPECT_EQ(current().CurrentDPILevelValue, 1);
    EXPECT_EQ(RedLabel(), 1);
}

TEST_F(DpiLevelsTest, TheOnlyEnabledLevelStaysOnAndNothingIsSent) {
    Start();
    Advance(SaveScheduler::kDelayMs + 500);
    SetLevels(0x01, 0);
    sim_->log().clear();
    click(kDpiCheck + 0);
    EXPECT_TRUE(control<ui::CCheckButton>(kDpiCheck)->Checked());
    EXPECT_EQ(current().DPIOffOnFlagValue, 0x01);
    EXPECT_FALSE(link().dirty(SyncGroup::Performance));
    Advance(200);
    EXPECT_EQ(framesSent(0x05), 0u);
}

TEST_F(DpiLevelsTest, AnActiveLevelBeyondTheFourthMarksLevelZero) {
    Start();
    SetLevels(0xFF, 5);
    EXPECT_EQ(RedLabel(), 0);
}

}  // namespace
}  // namespace orvane::test
