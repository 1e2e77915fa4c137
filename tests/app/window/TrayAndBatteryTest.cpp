// Showing and hiding, the tray, the battery panel, notices, reset and the hidden key sequence.
#include "MainWindowFixture.h"
#include "ui/CBattery.h"
#include "ui/CNoticeStrip.h"
#include "ui/CStaticText.h"

namespace orvane::test {
namespace {

using namespace mainwnd;

Text text(const AppData& app, int entry) { return app.language.LanguageText(entry); }

TEST_F(MainWindowTest, StartedAtLoginItStaysHiddenUntilTheMouseIsOnlineOrTheUserAsks) {
    Start(WindowSetup::AtLogin("receiver-only,asleep"));
    Advance(200);
    EXPECT_FALSE(window().isVisible());
    // The tray shows it with the mouse still asleep, asks the mouse, and it stays.
    sim_->log().clear();
    tray_->fire(platform::TrayEvent::LeftClick);
    Settle();
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(framesSent(0x20, hid::DeviceRole::Receiver), 1u);
    Advance(500);  // timer 40 no longer hides it
    EXPECT_TRUE(window().isVisible());
}

TEST_F(MainWindowTest, StartedAtLoginItShowsItselfAtTheNextPollWhenTheMouseWakes) {
    Start(WindowSetup::AtLogin("receiver-only,asleep"));
    Advance(3000);
    ASSERT_FALSE(window().isVisible());
    sim_->setOnline(true);  // nobody clicks anything
    Advance(21 * 1000);
    EXPECT_TRUE(window().isVisible());
}

// Started from the menu (the start-minimised setting is on in these tests: it is the login's).
TEST_F(MainWindowTest, AStartTheUserAskedForShowsTheWindowAndSaysWhereTheMouseIs) {
    Start(WindowSetup::Sim("receiver-only,asleep"));
    Advance(3000);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().isMinimized());
    auto* strip = control<ui::CNoticeStrip>(kUndeliveredNotice);
    EXPECT_EQ(strip->Message().substr(0, 20), text(*app_, ConnectionNotices::kMouseAsleep).substr(0, 20));
    sim_->setOnline(true);
    Advance(Watchdog::kTickMs * 22);
    EXPECT_EQ(strip->Message().find(text(*app_, ConnectionNotices::kMouseAsleep)), Text::npos);
    // Every device gone: the window the user opened stays and says so.
    sim_->unplug(sim::Link::Receiver);
    Advance(10);
    EXPECT_FALSE(dlg().QuitRequested());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(strip->Message().substr(0, 20), text(*app_, ConnectionNotices::kNoDevice).substr(0, 20));
    EXPECT_FALSE(control<ui::CStaticText>(kBatteryText)->Visible());
}

TEST_F(MainWindowTest, WithoutATrayTheWindowMinimisesInsteadOfHidingAndSaysWhyOnce) {
    WindowSetup setup;
    setup.tray = false;
    Start(setup);
    click(kMinimise);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().isMinimized());
    ASSERT_EQ(dlg().Notices().size(), 1u);
    EXPECT_EQ(dlg().Notices()[0]->Message(), text(*app_, presence::kTextNoTray));
    EXPECT_NE(text(*app_, presence::kTextNoTray).find(u"AppIndicator"), Text::npos);
    dlg().SendMessage(kMsgActivate);
    click(kMinimise);
    EXPECT_EQ(dlg().Notices().size(), 1u);
}

// Started at login without a tray and without the mouse: in the task bar, never out of reach.
TEST_F(MainWindowTest, StartedAtLoginWithoutATrayTheWindowWaitsMinimised) {
    Start(WindowSetup::AtLogin("receiver-only,asleep", false));
    Advance(3000);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().isMinimized());
}

TEST_F(MainWindowTest, WithNeedPasswordZeroTheWindowStaysShown) {
    WindowSetup setup = WindowSetup::Sim("receiver-only,asleep");
    setup.needPassword = 0;
    Start(setup);
    Advance(500);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(MainWindowTest, MinimiseHidesAndTheTrayBringsItBack) {
    Start();
    ASSERT_TRUE(window().isVisible());
    EXPECT_EQ(tray_->tip_, kTrayTip);
    click(kMinimise);
    EXPECT_FALSE(window().isVisible());
    tray_->fire(platform::TrayEvent::MenuShow);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().isActive());
}

TEST_F(MainWindowTest, ASecondStartShowsTheWindowAndAsksAMouseThatIsAway) {
    Start(WindowSetup::Sim("receiver-only"));
    click(kMinimise);
    dlg().SendMessage(kMsgActivate);
    EXPECT_TRUE(window().isVisible());
    sim_->setOnline(false);
    Advance(Watchdog::kTickMs * 22);  // the watchdog's poll sees the mouse go
    click(kMinimise);
    sim_->log().clear();
    dlg().SendMessage(kMsgActivate);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(framesSent(0x20, hid::DeviceRole::Receiver), 1u);
}

// Hidden in the tray with the mouse online, nothing wakes the program but what the mouse needs:
// the check that hides an unwanted window and the battery gauge's second tick both sleep until
// the window is back.
TEST_F(MainWindowTest, HiddenInTheTrayTheWindowsTimersSleepUntilItIsBack) {
    Start();
    ASSERT_TRUE(link().presence().mouseOnline());
    const ui::CDlgBase* owner = &dlg();
    Advance(1000);
    // A window the user asked for is never hidden for an absent mouse: that check has ended.
    EXPECT_FALSE(clock().timerActive(owner, kTimerHideWhileInactive));
    click(kMinimise);
    ASSERT_FALSE(window().isVisible());
    Advance(Watchdog::kTickMs * 2);
    EXPECT_TRUE(link().watchdog().asleep());
    tray_->fire(platform::TrayEvent::MenuShow);
    EXPECT_FALSE(link().watchdog().asleep());
}

// Started at login, the window hides while the mouse is away; the check that does it sleeps
// while the window is hidden and wakes with it.
TEST_F(MainWindowTest, StartedAtLoginTheHidingCheckSleepsWhileHiddenAndWakesWithTheWindow) {
    Start(WindowSetup::AtLogin("receiver-only,asleep"));
    const ui::CDlgBase* owner = &dlg();
    Advance(3000);
    ASSERT_FALSE(window().isVisible());
    EXPECT_FALSE(clock().timerActive(owner, kTimerHideWhileInactive));
    sim_->setOnline(true);
    Advance(21 * 1000);
    ASSERT_TRUE(window().isVisible());
    EXPECT_TRUE(clock().timerActive(owner, kTimerHideWhileInactive));
}

TEST_F(MainWindowTest, TrayExitEndsTheProgram) {
    Start();
    tray_->fire(platform::TrayEvent::MenuExit);
    EXPECT_TRUE(dlg().QuitRequested());
}

TEST_F(MainWindowTest, BatteryShowsTheLevelAndHidesTheTextWhileCharging) {
    Start(WindowSetup::Sim("battery=57"));
    auto* text = control<ui::CStaticText>(kBatteryText);
    EXPECT_EQ(text->Label(), u"57%");
    EXPECT_TRUE(text->Visible());
    EXPECT_EQ(control<ui::CBattery>(kBatteryGauge)->Level, 57);
    sim_->setBattery(57, 1);
    Advance(Watchdog::kTickMs * 22);
    EXPECT_FALSE(text->Visible());
    EXPECT_EQ(control<ui::CBattery>(kBatteryGauge)->Mode, ui::CBattery::kCharging);
}

TEST_F(MainWindowTest, NoDeviceGivesTheConnectionNoticeAfterTwoSeconds) {
    Start(WindowSetup::AtLogin("receiver-only,asleep"));
    Advance(1900);
    EXPECT_TRUE(dlg().Notices().empty());
    Advance(200);
    ASSERT_EQ(dlg().Notices().size(), 1u);
    EXPECT_EQ(dlg().Notices()[0]->Message(), app_->language.LanguageText(ConnectionNotices::kMouseAsleep));
    EXPECT_FALSE(dlg().Notices()[0]->Message().empty());
    EXPECT_FALSE(window().isVisible());
}

class ConfirmingWindow : public CTevrinDlg {
public:
    using CTevrinDlg::CTevrinDlg;
    bool confirmFactoryReset() override {
        ++asked;
        return answer;
    }
    int asked = 0;
    bool answer = true;
};

TEST_F(MainWindowTest, ResetAfterConfirmationRestoresTheCurrentProfileOnly) {
    WindowSetup setup;
    setup.create = false;
    Start(setup);
    auto tray = std::make_unique<FakeTray>();
    dlg_ = std::make_unique<ConfirmingWindow>(*platform_, *app_, CTevrinDlg::Services{*sim_, std::move(tray), {}});
    ASSERT_TRUE(dlg_->Create());
    Settle();
    auto& w = static_cast<ConfirmingWindow&>(*dlg_);
    app_->profiles[1].SetKeyDebounce(4);
    current().SetKeyDebounce(2);
    current().SetProfileName(u"Mine");
    sim_->log().clear();
    w.answer = false;
    click(kReset);
    EXPECT_EQ(current().GetPairInt(ProfilePair::KeyDebounce), 2);
    EXPECT_EQ(framesSent(0x0F), 0u);
    w.answer = true;
    click(kReset);
    Settle();
    EXPECT_EQ(w.asked, 2);
    EXPECT_EQ(framesSent(0x0F), 1u);
    EXPECT_NE(current().GetPairInt(ProfilePair::KeyDebounce), 2);
    EXPECT_EQ(current().GetProfileName(), u"Mine");
    EXPECT_EQ(app_->profiles[1].GetPairInt(ProfilePair::KeyDebounce), 4);
}

TEST_F(MainWindowTest, EnterAndEscapeDoNothingAndTheMouseSettingsButtonOpensThem) {
    Start();
    EXPECT_TRUE(window().key(platform::kVkReturn));
    EXPECT_TRUE(window().key(platform::kVkEscape));
    EXPECT_FALSE(dlg().QuitRequested());
    EXPECT_TRUE(window().isVisible());
    click(sectionInfo(Section::Pointer).headerId);
    click(kMouseSettings);
    EXPECT_EQ(settingsOpened_, 1);
}

TEST_F(MainWindowTest, TheTenLetterSequenceOpensTheSupportNotice) {
    Start();
    const size_t before = platform_->windowCount();
    for (char c : std::string("ORVANEHELX")) window().key(uint32_t(c));
    EXPECT_EQ(platform_->windowCount(), before);  // one wrong letter: nothing
    for (char c : std::string("ORVANEHELP")) window().key(uint32_t(c));
    EXPECT_EQ(platform_->windowCount(), before + 1);
}

// The build hands this test the version of project(VERSION); the window must show that one.
TEST_F(MainWindowTest, TheVersionLabelAndTheSupportNoticeShowTheProjectVersion) {
    Start();
    const Text version = fromUtf8(ORVANE_PROJECT_VERSION);
    EXPECT_EQ(control<ui::CStaticText>(kVersion)->Label(),
              app_->language.LanguageText(kTextVersion) + u":" + version);
    Text shown;
    platform_->onModal = [&shown](platform::FakeWindow& w) {
        if (auto* a = dynamic_cast<dialogs::CAttentionDlg*>(&w.host())) shown = a->Message();
    };
    for (char c : std::string("ORVANEHELP")) window().key(uint32_t(c));
    EXPECT_EQ(shown.rfind(u"Velmira Orvane " + version + u". For help", 0), 0u) << toUtf8(shown);
}

TEST_F(MainWindowTest, HoveringAButtonRowHighlightsItsNumberOnTheMouse) {
    Start();
    dlg().SendMessage(kMsgComboRow, kFirstCombo + 2, ui::kCodeEntered);
    EXPECT_EQ(dlg().Highlight(), 3);
    dlg().SendMessage(kMsgComboRow, kFirstCombo + 2, ui::kCodeLeft);
    EXPECT_EQ(dlg().Highlight(), 0);
}

}  // namespace
}  // namespace orvane::test
