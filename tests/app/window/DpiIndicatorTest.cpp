// The indicator of a DPI level the mouse chose by its own button: what it shows, for how long,
// where, that a second change replaces it, that the window's own changes and a user who turned
// it off never see it, and the desktop notification where no window can be placed.
#include <functional>

#include "MainWindowFixture.h"
#include "app/DpiLevels.h"

namespace orvane::test {
namespace {

using namespace mainwnd;

class DpiIndicatorTest : public MainWindowTest {
protected:
    void SetUp() override {
        StartQuiet();
        ASSERT_EQ(current().DPIOffOnFlagValue & 0x0F, 0x0F);  // levels 1-4 on
        // The mouse on its first level, as the window knows it.
        ASSERT_TRUE(sim_->userSelectDpiLevel(0).ok());
        SettleUntil([&] { return current().CurrentDPILevelValue == 0; });
        ASSERT_EQ(current().CurrentDPILevelValue, 0);
        Advance(DpiIndicator::kShowMs + 100);
        notifier_->hints.clear();
        // Distinct colours, so a test sees which level's colour was used.
        current().DPILevelIndication = {0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0, 0, 0, 0};
        current().XYSetting[1] = uint16_t(link().dpiTables().indexForDpi(1600));
        current().XYSetting[2] = uint16_t(link().dpiTables().indexForDpi(3200));
    }

    void PressDpiButton(int level) {  // 0-based, among the enabled levels; another than the current
        const auto before = current().CurrentDPILevelValue;
        ASSERT_TRUE(sim_->userSelectDpiLevel(level).ok());
        SettleUntil([&] { return current().CurrentDPILevelValue != before; });
    }
    // The mouse's notification comes through its reader thread, which a busy machine may not run
    // within Settle's few milliseconds: waits (up to 5 s) for the window to have taken it in.
    void SettleUntil(const std::function<bool()>& arrived) {
        for (int i = 0; i < 2500 && !arrived(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            clock().runPending();
        }
        Settle();
    }
    platform::FakeWindow* indicator() { return static_cast<platform::FakeWindow*>(dlg().Indicator().GetWindow()); }
    bool shown() { return indicator() && indicator()->isVisible(); }
    Text text(int entry) { return app_->language.LanguageText(entry); }
};

TEST_F(DpiIndicatorTest, TheMousesOwnButtonShowsTheLevelItsDpiInItsColourForAMoment) {
    EXPECT_TRUE(tray_->dpiIndicatorChecked_);
    EXPECT_EQ(tray_->menu_.dpiIndicator, text(indicator::kTextToggle));
    ASSERT_FALSE(shown());
    PressDpiButton(1);
    ASSERT_TRUE(shown());
    EXPECT_EQ(indicator()->kind(), platform::WindowKind::Overlay);  // never activated, clicks pass
    EXPECT_FALSE(indicator()->isActive());
    const auto& paint = indicator()->paint();
    EXPECT_EQ(text(indicator::kTextLevel), u"DPI level %d");
    const auto* level = paint.findText(u"DPI level 2");
    const auto* dpi = paint.findText(u"1600 DPI");
    ASSERT_NE(level, nullptr);
    ASSERT_NE(dpi, nullptr);
    EXPECT_EQ(dpi->color, platform::bgr(0x00FF00));
    EXPECT_EQ(level->color, platform::bgr(0x00FF00));
    bool bar = false;
    for (const auto& op : paint.opsOf(platform::PaintOp::Kind::Fill)) bar = bar || op.color == platform::bgr(0x00FF00);
    EXPECT_TRUE(bar);
    // Centred near the bottom of the screen the pointer is on.
    const platform::Rect g = indicator()->geometry();
    EXPECT_EQ(g.left + g.width() / 2, 1920 / 2);
    EXPECT_GT(g.top, 1040 / 2);
    EXPECT_LE(g.bottom, 1040);

    Advance(DpiIndicator::kShowMs - 200);
    EXPECT_TRUE(shown());
    Advance(400);
    EXPECT_FALSE(shown());
}

TEST_F(DpiIndicatorTest, ASecondChangeReplacesTheFirstAndStartsItsTimeAgain) {
    PressDpiButton(1);
    Advance(1000);
    ASSERT_TRUE(shown());
    const size_t windows = platform_->windowCount();
    // On another screen now: the indicator follows the pointer.
    platform_->setPointerScreen(platform::Rect::fromSize(1920, 0, 1280, 1024));
    PressDpiButton(2);
    EXPECT_EQ(platform_->windowCount(), windows);  // the same window, not a second one
    const auto& paint = indicator()->paint();
    EXPECT_NE(paint.findText(u"DPI level 3"), nullptr);
    EXPECT_NE(paint.findText(u"3200 DPI"), nullptr);
    EXPECT_EQ(paint.findText(u"DPI level 2"), nullptr);
    EXPECT_EQ(paint.findText(u"3200 DPI")->color, platform::bgr(0x00FFFF));
    const platform::Rect g = indicator()->geometry();
    EXPECT_GE(g.left, 1920);
    EXPECT_LE(g.bottom, 1024);
    Advance(1000);  // 2000 ms after the first change, 1000 after the second
    EXPECT_TRUE(shown());
    Advance(700);
    EXPECT_FALSE(shown());
}

TEST_F(DpiIndicatorTest, ReadersHearItAsAnAlertSayingTheLevelAndItsDpi) {
    PressDpiButton(1);
    ASSERT_TRUE(shown());
    const platform::WindowHost& host = dlg().Indicator();
    EXPECT_EQ(host.accessibleWindow().role, platform::AccessibleRole::Alert);
    EXPECT_EQ(host.accessibleWindow().name, u"DPI level 2: 1600 DPI");
    // Appearing was enough; a change while it stays up is told again.
    EXPECT_TRUE(indicator()->announcements().empty());
    PressDpiButton(2);
    EXPECT_EQ(host.accessibleWindow().name, u"DPI level 3: 3200 DPI");
    const std::vector<platform::FakeWindow::Announcement> expected = {{platform::AccessibleEvent::NameChanged, -1}};
    EXPECT_EQ(indicator()->announcements(), expected);
}

TEST_F(DpiIndicatorTest, LevelsAreNumberedAsTheWindowShowsThemWhenSomeAreOff) {
    // Levels 1 and 3 on: the mouse's second enabled level is the window's third.
    current().DPIOffOnFlagValue = 0x05;
    link().markDirty(SyncGroup::Performance);
    link().armSync();
    Settle();
    PressDpiButton(1);
    ASSERT_TRUE(shown());
    EXPECT_NE(indicator()->paint().findText(u"DPI level 3"), nullptr);
    EXPECT_NE(indicator()->lastPaint().findText(u"3200 DPI"), nullptr);
}

TEST_F(DpiIndicatorTest, TheWindowsOwnChangesDoNotShowIt) {
    // Switching off level 1 makes level 2 the active one: the window sends it, nothing pops up.
    click(kDpiCheck + 0);
    Advance(2000);
    ASSERT_EQ(current().DPIOffOnFlagValue & 0x0F, 0x0E);
    EXPECT_FALSE(shown());
    // The polling button changes no level either.
    ASSERT_TRUE(sim_->userSetPollingInterval(8).ok());
    Settle();
    EXPECT_FALSE(shown());
    EXPECT_TRUE(notifier_->hints.empty());
}

TEST_F(DpiIndicatorTest, AReportOfNoLevelShowsNothing) {
    sim::Report r{};
    r[0] = sim::kInputReportId;
    r[1] = 0x06;
    r[3] = 2;  // polling interval
    r[4] = 0;  // level byte: levels are counted from 1
    sim_->sendInput(sim::Link::Wired, r);
    Settle();
    EXPECT_FALSE(shown());
    EXPECT_TRUE(notifier_->hints.empty());
}

TEST_F(DpiIndicatorTest, TheTrayTurnsItOffAndTheChoiceIsKept) {
    tray_->fire(platform::TrayEvent::MenuDpiIndicator);
    Settle();
    EXPECT_FALSE(tray_->dpiIndicatorChecked_);
    EXPECT_NE(fileAscii("config.ini").find("ShowDPIChanges=0"), std::string::npos);
    PressDpiButton(1);
    Advance(100);
    EXPECT_FALSE(shown());
    EXPECT_EQ(current().CurrentDPILevelValue, 1);  // the level itself is still taken

    // Turning it off while it shows takes it away at once.
    tray_->fire(platform::TrayEvent::MenuDpiIndicator);
    Settle();
    EXPECT_TRUE(tray_->dpiIndicatorChecked_);
    PressDpiButton(2);
    ASSERT_TRUE(shown());
    tray_->fire(platform::TrayEvent::MenuDpiIndicator);
    Settle();
    EXPECT_FALSE(shown());
}

TEST_F(DpiIndicatorTest, TheChoiceIsReadBackFromTheSettingsFile) {
    tray_->fire(platform::TrayEvent::MenuDpiIndicator);
    Settle();
    AppData again(dir_);
    LoadSettingsAndProfiles(again);
    EXPECT_FALSE(DpiIndicatorEnabled(again.settings));
    tray_->fire(platform::TrayEvent::MenuDpiIndicator);
    Settle();
    LoadSettingsAndProfiles(again);
    EXPECT_TRUE(DpiIndicatorEnabled(again.settings));
}

TEST_F(DpiIndicatorTest, WhereNoWindowCanBePlacedADesktopNotificationSaysIt) {
    platform_->setPlacesWindows(false);
    PressDpiButton(1);
    EXPECT_FALSE(shown());
    ASSERT_EQ(notifier_->hints.size(), 1u);
    EXPECT_EQ(notifier_->hints[0].summary, u"DPI level 2");
    EXPECT_EQ(notifier_->hints[0].body, u"1600 DPI");
    EXPECT_TRUE(notifier_->shown.empty());  // a hint, not a message that would replace a battery warning
    PressDpiButton(2);
    ASSERT_EQ(notifier_->hints.size(), 2u);
    EXPECT_EQ(notifier_->hints[1].summary, u"DPI level 3");
}

}  // namespace
}  // namespace orvane::test
