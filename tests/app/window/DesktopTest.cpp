// The window's desktop side: the tray tooltip, low-battery notifications and starting with the
// session from the tray menu.
#include "MainWindowFixture.h"
#include "device/AccessAdvice.h"

namespace orvane::test {
namespace {

bool Contains(const Text& text, std::u16string_view part) {
    return text.find(part) != Text::npos;
}

TEST(FillNumber, OnlyTheFirstPercentDTakesTheNumberAndNothingElseIsInterpreted) {
    EXPECT_EQ(FillNumber(u"Battery: %d%%", 57), u"Battery: 57%");
    EXPECT_EQ(FillNumber(u"%s %n %d %d %", 3), u"%s %n 3 %d %");
    EXPECT_EQ(FillNumber(u"no number", 3), u"no number");
}

TEST_F(MainWindowTest, TheTrayTooltipFollowsTheBattery) {
    Start(WindowSetup::Sim("battery=57"));
    EXPECT_TRUE(Contains(tray_->liveTip_, u"Velmira Orvane\n")) << toUtf8(tray_->liveTip_);
    EXPECT_TRUE(Contains(tray_->liveTip_, u"57%")) << toUtf8(tray_->liveTip_);
    sim_->setBattery(58, 1);
    Advance(Watchdog::kTickMs * 22);
    EXPECT_TRUE(Contains(tray_->liveTip_, u"58%, charging")) << toUtf8(tray_->liveTip_);
    EXPECT_TRUE(notifier_->shown.empty());
}

TEST_F(MainWindowTest, ALowBatteryIsAnnouncedOnceAt15AndOnceAt5WhileNotCharging) {
    Start(WindowSetup::Sim("battery=15"));
    ASSERT_EQ(notifier_->shown.size(), 1u);
    EXPECT_EQ(notifier_->shown[0].urgency, platform::Urgency::Normal);
    EXPECT_TRUE(Contains(notifier_->shown[0].body, u" 15% ")) << toUtf8(notifier_->shown[0].body);
    sim_->setBattery(12, 0);
    Advance(Watchdog::kTickMs * 22);
    EXPECT_EQ(notifier_->shown.size(), 1u);
    sim_->setBattery(5, 0);
    Advance(Watchdog::kTickMs * 22);
    ASSERT_EQ(notifier_->shown.size(), 2u);
    EXPECT_EQ(notifier_->shown[1].urgency, platform::Urgency::Critical);
    // Charged and run down again: the warnings come back.
    sim_->setBattery(90, 1);
    Advance(Watchdog::kTickMs * 22);
    sim_->setBattery(14, 0);
    Advance(Watchdog::kTickMs * 22);
    EXPECT_EQ(notifier_->shown.size(), 3u);
}

TEST_F(MainWindowTest, TheTrayMenuTurnsStartingWithTheSessionOnAndOff) {
    Start();
    const auto entry = dir_ / "autostart" / "orvane.desktop";
    EXPECT_FALSE(tray_->autostartChecked_);
    tray_->fire(platform::TrayEvent::MenuAutostart);
    EXPECT_TRUE(std::filesystem::exists(entry));
    EXPECT_TRUE(tray_->autostartChecked_);
    tray_->fire(platform::TrayEvent::MenuAutostart);
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_FALSE(tray_->autostartChecked_);
}

// The rule is looked for in the test's own folder (dir_/udev), never in the machine's.
class AccessNoticeTest : public MainWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(AccessNoticeTest, AMouseThisUserMayNotOpenGetsANoticeWithTheFix) {
    const bool ruleInstalled = GetParam();
    WindowSetup setup;
    setup.create = false;
    Start(setup);
    if (ruleInstalled) {
        std::filesystem::create_directories(dir_ / "udev");
        std::ofstream(dir_ / "udev" / kUdevRuleName) << UdevRuleText();
    }
    for (auto link : {sim::Link::Wired, sim::Link::Receiver})
        sim_->injectFault(link, sim::Fault::OpenFeatureFails, sim::kFaultAlways);
    ASSERT_TRUE(dlg().Create());
    Advance(ConnectionNotices::kDelayMs + 100);
    ASSERT_EQ(dlg().Notices().size(), 1u);
    const Text message = dlg().Notices()[0]->Message();
    const AccessAdvice advice = AdviseOnDeniedAccess("x", {dir_ / "udev"});
    ASSERT_EQ(advice.ruleInstalled, ruleInstalled);
    EXPECT_TRUE(Contains(message, fromUtf8(advice.command))) << toUtf8(message);
    const int expected = ruleInstalled ? desktop::kTextNotYetAccess : desktop::kTextNoAccess;
    EXPECT_FALSE(app_->language.LanguageText(expected).empty());
    EXPECT_TRUE(Contains(message, app_->language.LanguageText(expected))) << toUtf8(message);
}

INSTANTIATE_TEST_SUITE_P(Rule, AccessNoticeTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "Installed" : "Missing");
});

}  // namespace
}  // namespace orvane::test
