// The sections against a recording host in a bare dialog: what a change asks of the window's
// change pipeline (which group is marked, whether a pass is armed) where the whole window only
// shows the end result.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/ButtonAssignmentPanel.h"
#include "app/DpiSection.h"
#include "app/MainIds.h"
#include "app/PerformanceSections.h"
#include "app/SectionHost.h"
#include "device/DpiTables.h"
#include "platform/FakePlatform.h"
#include "ui/CCheckButton.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticText.h"
#include "ui/TestDialog.h"

namespace orvane::test {
namespace {

using namespace mainwnd;

class RecordingHost : public SectionHost {
public:
    void CollectPageSettings(uint32_t changedControl) override {
        collected.push_back(changedControl);
        if (collect) collect(changedControl);
    }
    void MarkDirty(SyncGroup group) override { marked.push_back(group); }
    void ArmSync() override { ++armed; }
    void SyncNow() override { ++syncedNow; }
    void SliderDragged() override { ++dragged; }
    void SendCurrentProfile() override { ++sentWhole; }
    void refreshPages() override { ++refreshed; }
    void saveAll() override { ++saved; }
    intptr_t ShowAttention(const Text& message) override {
        attentions.push_back(message);
        return ui::kIdOk;
    }
    void OpenMacroManager(int) override {
        ++macroManagers;
        if (onMacroManager) onMacroManager();
    }
    bool OpenMouseSettings() override { return false; }

    bool Marked(SyncGroup g) const { return std::find(marked.begin(), marked.end(), g) != marked.end(); }

    std::function<void(uint32_t)> collect;  // the window's side: the section writes the value
    std::function<void()> onMacroManager;   // what the user does in the macro manager
    std::vector<uint32_t> collected;
    std::vector<SyncGroup> marked;
    int armed = 0, syncedNow = 0, dragged = 0, sentWhole = 0, refreshed = 0, saved = 0, macroManagers = 0;
    std::vector<Text> attentions;
};

// A bare dialog holding one section, its messages handed to it as the main window does.
class SectionOnAHostTest : public ::testing::Test {
protected:
    template <class Section>
    void Open(Section& section) {
        dlg_.onCreate = [&section](ui::test::TestDialog&) { section.Create(); };
        dlg_.onMessage = [&section](uint32_t msg, uintptr_t w, intptr_t l) -> intptr_t {
            if (section.Handles(msg)) section.OnMessage(msg, w, l);
            return 0;
        };
        ASSERT_TRUE(dlg_.Create());
    }
    // A click as the keyboard or a screen reader makes it (a check box toggles, then notifies).
    void Activate(uint32_t id) {
        auto* c = dlg_.FindControl(id);
        ASSERT_NE(c, nullptr) << id;
        dlg_.ActOn(c, [](ui::CControlBase& control) { return control.Activate(); });
    }

    void TearDown() override { dlg_.onMessage = nullptr; }

    platform::FakePlatform platform_;
    ui::test::TestDialog dlg_{platform_};
    AppData app_;
    RecordingHost host_;
};

TEST_F(SectionOnAHostTest, ADraggedSliderMarksItsGroupsButOnlyItsReleaseArmsAPass) {
    SectionColumn column;
    column.open[size_t(Section::Sleep)] = true;
    PerformanceSections sections(dlg_, app_.language, column, host_);
    host_.collect = [&](uint32_t id) { sections.Collect(app_.Current(), id); };
    Open(sections);

    // Every step of a drag is written and marked, but a pass per step would flood the mouse.
    auto* slider = dlg_.FindControlAs<ui::CSliderControl>(kSleepSlider);
    ASSERT_NE(slider, nullptr);
    for (int step : {2, 3, 4}) {
        slider->SetPosition(step);  // as the thumb follows the pointer, then reports the step
        dlg_.SendMessage(kSleepSlider, uintptr_t(step), ui::kCodeDragging);
    }
    EXPECT_EQ(host_.armed, 0);
    EXPECT_EQ(host_.dragged, 3);
    EXPECT_EQ(app_.Current().GetPairInt(ProfilePair::PowerDownTime), 5);
    EXPECT_EQ(dlg_.FindControlAs<ui::CStaticText>(kSleepValue)->Label(), u"5");
    // The sleep time travels in the power frame as well as the performance one.
    EXPECT_TRUE(host_.Marked(SyncGroup::Performance));
    EXPECT_TRUE(host_.Marked(SyncGroup::Power));

    // Set by a screen reader, the value is a release at once.
    dlg_.ActOn(slider, [](ui::CControlBase& c) { return c.SetAccessibleValue(4); });
    EXPECT_EQ(host_.armed, 1);
    EXPECT_EQ(host_.dragged, 3);
    EXPECT_EQ(host_.collected, (std::vector<uint32_t>{kSleepSlider, kSleepSlider, kSleepSlider, kSleepSlider}));
}

TEST_F(SectionOnAHostTest, TheLastLitDpiLevelStaysOnAndNothingIsSent) {
    DpiTables tables;
    ASSERT_TRUE(tables.rebuild(0x3327));
    DpiSection dpi(dlg_, app_, tables, host_);
    host_.collect = [&](uint32_t) { dpi.Collect(app_.Current()); };
    Open(dpi);
    app_.Current().DPIOffOnFlagValue = 0x01;
    app_.Current().CurrentDPILevelValue = 0;
    dpi.Refresh(app_.Current());

    Activate(kDpiCheck + 0);
    EXPECT_TRUE(dlg_.FindControlAs<ui::CCheckButton>(kDpiCheck + 0)->Checked());
    EXPECT_EQ(app_.Current().DPIOffOnFlagValue, 0x01);
    EXPECT_TRUE(host_.collected.empty());
    EXPECT_TRUE(host_.marked.empty());
    EXPECT_EQ(host_.armed, 0);

    // With a second level lit, switching off the active one hands the mouse to the other.
    Activate(kDpiCheck + 1);
    ASSERT_EQ(app_.Current().DPIOffOnFlagValue, 0x03);
    app_.Current().CurrentDPILevelValue = 1;
    dpi.Refresh(app_.Current());
    Activate(kDpiCheck + 1);
    EXPECT_EQ(app_.Current().DPIOffOnFlagValue, 0x01);
    EXPECT_EQ(app_.Current().CurrentDPILevelValue, 0);
    EXPECT_EQ(dpi.CurrentLevel(), 0);
    EXPECT_EQ(host_.collected, (std::vector<uint32_t>{kDpiCheck + 1, kDpiCheck + 1}));
    EXPECT_TRUE(host_.Marked(SyncGroup::Performance));
    EXPECT_EQ(host_.armed, 2);
}

TEST_F(SectionOnAHostTest, AChoiceThatTakesTheLastLeftClickIsUndoneAndSendsNothing) {
    ButtonAssignmentPanel panel(dlg_, app_, host_);
    Open(panel);
    auto& keys = app_.Current().keys;
    for (auto& key : keys) key.KeyValue = {0x10, 0x02, 0x00};
    keys[0].KeyValue = {0x10, 0x01, 0x00};

    panel.StoreAssignment(kFirstCombo + 0, u"Right click", {0x10, 0x02, 0x00}, nullptr);
    panel.EnforceLeftClick(kFirstCombo + 0);
    EXPECT_EQ(keys[0].KeyValue, (std::array<uint8_t, 3>{0x10, 0x01, 0x00}));
    EXPECT_TRUE(host_.marked.empty());
    EXPECT_EQ(host_.armed, 0);
    // The user hears why once the menus are gone.
    EXPECT_TRUE(dlg_.TimerActive(kTimerLeftClickNotice));

    // Another button may change freely while the first keeps the left click.
    panel.StoreAssignment(kFirstCombo + 1, u"Middle click", {0x10, 0x04, 0x00}, nullptr);
    panel.EnforceLeftClick(kFirstCombo + 1);
    EXPECT_EQ(host_.marked, (std::vector<SyncGroup>{SyncGroup::Buttons}));
    EXPECT_EQ(host_.armed, 1);
}

TEST_F(SectionOnAHostTest, AfterTheMacroManagerAButtonThatPlaysAMacroIsSentAtOnce) {
    ButtonAssignmentPanel panel(dlg_, app_, host_);
    Open(panel);
    for (auto& key : app_.Current().keys) key.KeyValue = {0x10, 0x01, 0x00};

    // No button plays a macro: the manager's edits concern nothing the mouse holds.
    Activate(kMacroManager);
    EXPECT_EQ(host_.macroManagers, 1);
    EXPECT_EQ(host_.syncedNow, 0);
    EXPECT_TRUE(host_.marked.empty());
    EXPECT_EQ(host_.refreshed, 1);

    // A button assigned a macro in the manager goes out without waiting for the sync timer.
    host_.onMacroManager = [&] { app_.Current().keys[2].KeyValue = {0x90, 0x00, 0x01}; };
    Activate(kMacroManager);
    EXPECT_EQ(host_.macroManagers, 2);
    EXPECT_EQ(host_.marked, (std::vector<SyncGroup>{SyncGroup::Buttons}));
    EXPECT_EQ(host_.syncedNow, 1);
    EXPECT_EQ(host_.refreshed, 2);
}

}  // namespace
}  // namespace orvane::test
