// The main window says when the mouse did not take a change, without a dialog, and stops saying
// it once a later pass has delivered it.
#include "MainWindowFixture.h"
#include "app/UndeliveredChanges.h"
#include "ui/CNoticeStrip.h"
#include "ui/CSliderControl.h"

namespace orvane::test {
namespace {

using namespace mainwnd;

class UndeliveredNotice : public MainWindowTest {
protected:
    void FailWrites() {
        for (auto link : {sim::Link::Wired, sim::Link::Receiver})
            sim_->injectFault(link, sim::Fault::WriteFails, sim::kFaultAlways);
    }
    ui::CNoticeStrip* notice() { return control<ui::CNoticeStrip>(kUndeliveredNotice); }
    bool Contains(const Text& text, int entry) {
        const Text& part = app_->language.LanguageText(entry);
        return !part.empty() && text.find(part) != Text::npos;
    }
    // Says why, by the end of its language entry (what follows the list).
    bool EndsAs(const Text& text, int entry) {
        const Text& format = app_->language.LanguageText(entry);
        const size_t at = format.find(u"%s");
        if (at == Text::npos) return false;
        const Text tail = format.substr(at + 2);
        return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    }
};

TEST_F(UndeliveredNotice, ARefusedWriteIsShownUntilALaterPassDeliversIt) {
    StartQuiet();
    ASSERT_NE(notice(), nullptr);
    EXPECT_TRUE(notice()->Message().empty());
    FailWrites();
    ClickPollingStep(0);
    Advance(DeviceLink::kSyncDelayMs + 1000);
    const Text shown = notice()->Message();
    EXPECT_TRUE(Contains(shown, undelivered::kTextPolling)) << toUtf8(shown);
    EXPECT_TRUE(EndsAs(shown, undelivered::kTextRefused)) << toUtf8(shown);
    EXPECT_TRUE(notice()->Shown());
    EXPECT_TRUE(dlg().Notices().empty());  // no dialog for it
    // Drawn in the window, not just held.
    bool drawn = false;
    for (const auto& op : window().paint().opsOf(platform::PaintOp::Kind::Text)) drawn |= op.text == shown;
    EXPECT_TRUE(drawn) << ::testing::PrintToString(window().lastPaint().texts());

    // A pass the devices still refuse leaves it shown.
    current().keys[2].KeyValue = {0x80, 0xCD, 0x00};
    dlg().MarkDirty(SyncGroup::Buttons);
    dlg().ArmSync();
    Advance(DeviceLink::kSyncDelayMs + 1000);
    EXPECT_TRUE(Contains(notice()->Message(), undelivered::kTextPolling)) << toUtf8(notice()->Message());

    // The next pass that reaches the mouse, whatever it was for, takes the refused change along.
    sim_->clearFaults(sim::Link::Wired);
    sim_->clearFaults(sim::Link::Receiver);
    current().keys[3].KeyValue = {0x80, 0xE9, 0x00};
    dlg().MarkDirty(SyncGroup::Buttons);
    dlg().ArmSync();
    Advance(DeviceLink::kSyncDelayMs + 1000);
    EXPECT_EQ(sim_->memory().pollingInterval, 8);
    EXPECT_TRUE(notice()->Message().empty()) << toUtf8(notice()->Message());
}

TEST_F(UndeliveredNotice, ALostChangeTheUserTakesBackIsNoLongerShown) {
    StartQuiet();
    const int before = sim_->memory().pollingInterval;
    FailWrites();
    ClickPollingStep(0);
    Advance(DeviceLink::kSyncDelayMs + 1000);
    ASSERT_FALSE(notice()->Message().empty());
    sim_->clearFaults(sim::Link::Wired);
    sim_->clearFaults(sim::Link::Receiver);
    // Back to the rate the mouse still runs at: nothing needs sending, nothing is missing.
    ClickPollingStep(before == 2 ? 1 : 2);
    Advance(DeviceLink::kSyncDelayMs + 1000);
    EXPECT_EQ(framesSent(0x07), 0u);
    EXPECT_EQ(sim_->memory().pollingInterval, before);
    EXPECT_TRUE(notice()->Message().empty()) << toUtf8(notice()->Message());
}

TEST_F(UndeliveredNotice, AChangeWhileTheMouseSleepsIsShownUntilItWakes) {
    StartQuiet(WindowSetup::Sim("receiver-only"));
    ASSERT_TRUE(link().presence().mouseOnline());
    sim_->setOnline(false);
    Advance(25000);  // the watchdog's status read finds it asleep
    ASSERT_FALSE(link().presence().mouseOnline());
    ClickPollingStep(0);
    Advance(DeviceLink::kSyncDelayMs + 1000);
    EXPECT_TRUE(Contains(notice()->Message(), undelivered::kTextPolling)) << toUtf8(notice()->Message());
    EXPECT_TRUE(EndsAs(notice()->Message(), undelivered::kTextWaitForMouse)) << toUtf8(notice()->Message());
    sim_->setOnline(true);
    Advance(25000);
    EXPECT_EQ(sim_->memory().pollingInterval, 8);
    EXPECT_TRUE(notice()->Message().empty()) << toUtf8(notice()->Message());
}

// The notice sits on the background only, at both display scales, and fits the window.
class UndeliveredNoticePlace : public UndeliveredNotice, public ::testing::WithParamInterface<float> {};

TEST_P(UndeliveredNoticePlace, CoversNoOtherControl) {
    WindowSetup setup;
    setup.scale = GetParam();
    Start(setup);
    const platform::Rect r = notice()->GetRect();
    EXPECT_GE(r.left, 0);
    EXPECT_LE(r.right, dlg().WindowSize().width);
    EXPECT_LE(r.bottom, dlg().WindowSize().height);
    // Every section opened in turn, so each control is where it can be.
    for (int open = 0; open < kSectionCount; ++open) {
        const uint32_t header = kSections[size_t(open)].headerId;
        if (!dlg().Open()[size_t(open)] && dlg().FindControl(header)->Shown()) click(header);
        for (int group = 0; group < 8; ++group) {
            for (const auto& c : dlg().ControlList(group)) {
                if (c && c.get() != notice() && c->Shown()) {
                    EXPECT_FALSE(c->GetRect().intersects(r)) << "control " << c->Id();
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, UndeliveredNoticePlace, ::testing::Values(1.0f, 2.0f),
                         [](const auto& info) { return info.param > 1.0f ? "Scale2" : "Scale1"; });

}  // namespace
}  // namespace orvane::test
