// The window stays live while a long pass writes to the mouse: it answers clicks at once, shows
// the progress of the write, closes cleanly in the middle of it, and paints before the start-up
// traffic.
#include "MainWindowFixture.h"
#include "dialogs/CProgressBarDlg.h"
#include "ui/CSliderControl.h"

namespace orvane::test {
namespace {

using namespace mainwnd;

class LivePass : public MainWindowTest {
protected:
    // The second profile plays five macros of 168 commands (21 chunks each; 336 actions, every
    // key followed by a short delay, which travels inside its event): switching to it
    // writes for more than seven seconds.
    void StartWithLongMacros() {
        Start();
        Advance(SaveScheduler::kDelayMs + 500);
        MacroSet& set = app_->library.AddSet(u"Long");
        const Text prefix = app_->language.LanguageText(kMacroPrefixEntry);
        for (int m = 1; m < kKeyCount; ++m) {
            const Text name = u"Long" + Text(1, char16_t(u'0' + m));
            MacroKey& key = set.AddKey(name);
            for (uint32_t a = 0; a < 336; ++a)
                ASSERT_TRUE(key.InsertAction(
                    a, (a % 2) ? 0x05000003u : (uint32_t(0x41 + m) | ((a % 4) ? 0x8000u : 0u))));
            key.CommandActionNum = 168;
            app_->profiles[1].keys[size_t(m)].KeyName = prefix + name;
            app_->profiles[1].keys[size_t(m)].KeyValue = {0x90, 0, 0};
        }
        sim_->log().clear();
    }
    // Starts the switch to the macro profile and lets its pass run for a moment.
    void SwitchAndWrite(int64_t ms) {
        click(kFirstTab + 1);
        clock().advanceMs(DeviceLink::kSyncDelayMs + ms);
        ASSERT_TRUE(link().passRunning());
    }
    void ClickPollingStep(int step) {
        auto* s = control<ui::CSliderControl>(kPollingSlider);
        const int32_t y = (s->GetRect().top + s->GetRect().bottom) / 2;
        window().click(s->Steps()[size_t(step)], y);
    }
};

TEST_F(LivePass, ClicksDuringALongPassAreHandledAtOnceAndTheirChangeGoesOutNext) {
    StartWithLongMacros();
    SwitchAndWrite(50);
    const Section sleep = Section::Sleep;
    click(sectionInfo(sleep).headerId);
    EXPECT_TRUE(dlg().Open()[size_t(sleep)]);
    EXPECT_TRUE(dlg().Open()[size_t(Section::Polling)] == false);
    click(sectionInfo(Section::Polling).headerId);
    ClickPollingStep(0);
    EXPECT_EQ(current().PollingRateName, u"125HZ");
    // All of that long before the pass ends: no chunk of the last macro has gone yet.
    EXPECT_TRUE(link().passRunning());
    EXPECT_LT(framesSent(0x0E), 100u);
    EXPECT_EQ(framesSent(0x07), 0u);

    Settle();
    clock().advanceMs(DeviceLink::kSyncDelayMs);
    Settle();
    // The macros with their counter, then the polling rate in a pass of its own.
    const auto commands = sim_->log().commands(hid::DeviceRole::Wired);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x0E), 105);
    const auto counter = std::find(commands.begin(), commands.end(), 0x01);
    const auto polling = std::find(commands.begin(), commands.end(), 0x07);
    ASSERT_NE(counter, commands.end());
    ASSERT_NE(polling, commands.end());
    EXPECT_LT(counter, polling);
    EXPECT_EQ(sim_->memory().pollingInterval, 8);
}

TEST_F(LivePass, TheProgressBarFollowsTheWriteAndClosesAfterIt) {
    StartWithLongMacros();
    SwitchAndWrite(50);
    dialogs::CProgressBarDlg* progress = dlg().Progress();
    ASSERT_NE(progress, nullptr);
    clock().advanceMs(2000);
    const int early = progress->Progress();
    EXPECT_GT(early, 0);
    EXPECT_LT(early, 50);
    clock().advanceMs(3000);
    EXPECT_GT(progress->Progress(), early);
    EXPECT_LT(progress->Progress(), 100);
    // The window takes clicks while it is up.
    click(sectionInfo(Section::Pointer).headerId);
    EXPECT_TRUE(dlg().Open()[size_t(Section::Pointer)]);
    Settle();
    clock().advanceMs(600);
    EXPECT_EQ(dlg().Progress(), nullptr);
}

TEST_F(LivePass, ClosingDuringAPassEndsItAndSavesTheChange) {
    StartWithLongMacros();
    SwitchAndWrite(500);
    const size_t sent = allFramesSent();
    click(kExit);
    EXPECT_TRUE(dlg().QuitRequested());
    dlg().Shutdown();  // what the application does once the main loop has returned
    EXPECT_FALSE(link().passRunning());
    // The profile switch that started the pass is on disk.
    EXPECT_NE(fileAscii("config.ini").find("CurrentProfile=1"), std::string::npos);
    clock().advanceMs(10000);
    EXPECT_EQ(allFramesSent(), sent);
}

// Notes how many frames had gone out when the window was first painted.
class PaintingWindow : public CTevrinDlg {
public:
    using CTevrinDlg::CTevrinDlg;
    std::function<size_t()> framesSoFar;
    std::optional<size_t> framesAtFirstPaint;

protected:
    void DrawWindow(platform::Painter& p, const platform::Rect& client) override {
        if (!framesAtFirstPaint && framesSoFar) framesAtFirstPaint = framesSoFar();
        CTevrinDlg::DrawWindow(p, client);
    }
};

TEST_F(LivePass, TheWindowPaintsBeforeTheStartUpTraffic) {
    WindowSetup setup;
    setup.create = false;
    setup.needPassword = 0;  // shown at once
    Start(setup);
    auto* w = new PaintingWindow(*platform_, *app_, CTevrinDlg::Services{*sim_, nullptr, {}});
    dlg_.reset(w);
    w->framesSoFar = [this] { return sim_->log().records().size(); };
    ASSERT_TRUE(dlg_->Create());
    ASSERT_TRUE(w->framesAtFirstPaint.has_value());
    EXPECT_EQ(*w->framesAtFirstPaint, 0u);
    Settle();
    EXPECT_GT(sim_->log().records().size(), 0u);
}

}  // namespace
}  // namespace orvane::test
