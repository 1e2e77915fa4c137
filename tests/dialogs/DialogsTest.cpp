#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/CAttentionDlg.h"
#include "dialogs/CFramedDlg.h"
#include "dialogs/CColorPaletteDlg.h"
#include "dialogs/CDPIValueSettingDlg.h"
#include "dialogs/CFirmwareResetDlg.h"
#include "dialogs/CProgressBarDlg.h"
#include "dialogs/PopupWindowTable.h"
#include "platform/FakePlatform.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticText.h"

namespace orvane::dialogs {
namespace {

using platform::FakeWindow;

// Runs a dialog modally with `during` standing in for the user while it is up.
template <class D>
class Driven : public D {
public:
    using D::D;
    bool OnInitDialog() override {
        const bool ok = D::OnInitDialog();
        if (auto* w = static_cast<FakeWindow*>(this->GetWindow())) w->onModal = during;
        return ok;
    }
    std::function<void(FakeWindow&)> during;
};

platform::Point centre(ui::CDlgBase& d, uint32_t id) {
    const auto r = d.FindControl(id)->GetRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class DialogsTest : public ::testing::Test {
protected:
    platform::FakePlatform platform_;
    LanguageTable language_;
};

TEST_F(DialogsTest, AttentionCloseButtonAnswersNoAndOkAnswersYes) {
    Driven<CAttentionDlg> no(platform_, nullptr, language_, u"Delete?");
    no.during = [&](FakeWindow& w) {
        const auto c = centre(no, kIdClose);
        w.click(c.x, c.y);
    };
    EXPECT_EQ(no.DoModal(), ui::kIdCancel);
    Driven<CAttentionDlg> yes(platform_, nullptr, language_, u"Delete?");
    yes.during = [&](FakeWindow& w) {
        const auto c = centre(yes, kIdOkButton);
        w.click(c.x, c.y);
    };
    EXPECT_EQ(yes.DoModal(), ui::kIdOk);
}

TEST_F(DialogsTest, AttentionIsAnsweredWithTabAndSpaceAndEveryButtonHasAName) {
    language_.SetText(CFramedDlg::kTextCloseName, u"Close");
    language_.SetText(4, u"OK");
    Driven<CAttentionDlg> dlg(platform_, nullptr, language_, u"Delete?");
    std::vector<Text> names;
    dlg.during = [&](FakeWindow& w) {
        platform::WindowHost& host = dlg;
        for (const auto& n : host.accessibleItems())
            if (n.has(platform::kAccessibleFocusable)) names.push_back(n.name);
        for (int i = 0; i < 5 && !(dlg.FocusedControl() && dlg.FocusedControl()->Id() == kIdOkButton); ++i)
            w.key(platform::kVkTab);
        w.key(platform::kVkSpace);
    };
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(std::count(names.begin(), names.end(), Text{u"Close"}), 1);
    for (const auto& n : names) EXPECT_FALSE(n.empty());
}

TEST_F(DialogsTest, FirmwareResetIgnoresEscapeAndTakesEnter) {
    Driven<CFirmwareResetDlg> dlg(platform_, nullptr, language_);
    bool stillUp = false;
    dlg.during = [&](FakeWindow& w) {
        w.key(platform::kVkEscape);
        stillUp = w.inModal();
        w.key(platform::kVkReturn);
    };
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_TRUE(stillUp);
    Driven<CFirmwareResetDlg> cancel(platform_, nullptr, language_);
    cancel.during = [&](FakeWindow& w) {
        const auto c = centre(cancel, CFirmwareResetDlg::kIdCancelButton);
        w.click(c.x, c.y);
    };
    EXPECT_EQ(cancel.DoModal(), ui::kIdCancel);
}

TEST_F(DialogsTest, ProgressFillsInStepsOfTwoAndClosesByItself) {
    Driven<CProgressBarDlg> dlg(platform_, nullptr, u"Writing");
    int afterHalf = -1;
    bool upAtFull = false;
    dlg.during = [&](FakeWindow& w) {
        platform_.clock().advanceMs(250);
        afterHalf = dlg.Progress();
        platform_.clock().advanceMs(250);
        upAtFull = w.inModal() && dlg.Progress() == 100;
        platform_.clock().advanceMs(30);
    };
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(afterHalf, 50);
    EXPECT_TRUE(upAtFull);
}

TEST_F(DialogsTest, ProgressHeldBackByItsLimitFillsOnceTheWriteIsOver) {
    Driven<CProgressBarDlg> dlg(platform_, nullptr, u"Writing");
    dlg.SetLimit(0);
    int held = -1, followed = -1;
    bool upWhileHeld = false, tickingWhileHeld = true, tickingAtLimit = true;
    dlg.during = [&](FakeWindow& w) {
        platform_.clock().advanceMs(2000);
        held = dlg.Progress();
        upWhileHeld = w.inModal();
        tickingWhileHeld = platform_.clock().timerActive(static_cast<ui::CDlgBase*>(&dlg), CProgressBarDlg::kStepTimer);
        dlg.SetLimit(37);  // an odd limit is reached exactly
        platform_.clock().advanceMs(1000);
        followed = dlg.Progress();
        tickingAtLimit = platform_.clock().timerActive(static_cast<ui::CDlgBase*>(&dlg), CProgressBarDlg::kStepTimer);
        dlg.SetLimit(100);
        platform_.clock().advanceMs(400);
    };
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(held, 0);
    EXPECT_TRUE(upWhileHeld);
    EXPECT_EQ(followed, 37);
    // Waiting at its limit, the bar does not keep the program waking up.
    EXPECT_FALSE(tickingWhileHeld);
    EXPECT_FALSE(tickingAtLimit);
}

class DpiValueTest : public DialogsTest {
protected:
    // A table from 200 to 10000 DPI: entries 4 to 200 in units of 50.
    static int Dpi(int step) { return (4 + step * 196 / 9) * 50; }
};

TEST_F(DpiValueTest, ShowsTheEndsAndMovesWithTheArrowsWithinThem) {
    // The gauge belongs to a window of its own; only its value is used.
    struct Host : ui::CDlgBase {
        using CDlgBase::CDlgBase;
        void DrawWindow(Painter&, const Rect&) override {}
        void CreateControls(const Rect&) override {}
    } host(platform_);
    ui::CDPIValueShowControl gauge(&host, 3300, {0, 0, 7, 132}, 10);
    gauge.SetValue(0);
    Driven<CDPIValueSettingDlg> dlg(platform_, nullptr, language_, gauge, 10, Dpi);
    Text low, high, current;
    dlg.during = [&](FakeWindow& w) {
        low = dlg.FindControlAs<ui::CStaticText>(CDPIValueSettingDlg::kIdLowest)->Label();
        high = dlg.FindControlAs<ui::CStaticText>(CDPIValueSettingDlg::kIdHighest)->Label();
        w.key(CDPIValueSettingDlg::kVkLeft);  // already at the start
        EXPECT_EQ(dlg.Index(), 0);
        for (int i = 0; i < 12; ++i) w.key(CDPIValueSettingDlg::kVkRight);
        EXPECT_EQ(dlg.Index(), 9);
        w.key(CDPIValueSettingDlg::kVkLeft);
        w.key(platform::kVkReturn);  // swallowed
        EXPECT_TRUE(w.inModal());
        current = dlg.FindControlAs<ui::CStaticText>(CDPIValueSettingDlg::kIdCurrent)->Label();
        EXPECT_EQ(dlg.FindControlAs<ui::CSliderControl>(CDPIValueSettingDlg::kIdSlider)->Position(), 8);
        const auto c = centre(dlg, kIdOkButton);
        w.click(c.x, c.y);
    };
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(low, u"200");
    EXPECT_EQ(high, u"10000");
    EXPECT_EQ(current, fromUtf8(std::to_string(Dpi(8))));
    EXPECT_EQ(gauge.Value(), 8);
}

TEST_F(DpiValueTest, TheCloseButtonLeavesTheLevelAlone) {
    struct Host : ui::CDlgBase {
        using CDlgBase::CDlgBase;
        void DrawWindow(Painter&, const Rect&) override {}
        void CreateControls(const Rect&) override {}
    } host(platform_);
    ui::CDPIValueShowControl gauge(&host, 3300, {0, 0, 7, 132}, 10);
    gauge.SetValue(3);
    Driven<CDPIValueSettingDlg> dlg(platform_, nullptr, language_, gauge, 10, Dpi);
    dlg.during = [&](FakeWindow& w) {
        w.key(CDPIValueSettingDlg::kVkRight);
        const auto c = centre(dlg, kIdClose);
        w.click(c.x, c.y);
    };
    EXPECT_EQ(dlg.DoModal(), ui::kIdCancel);
    EXPECT_EQ(gauge.Value(), 3);
}

class PaletteTest : public DialogsTest {
protected:
    void SetUp() override {
        // The palette as drawn: gap colour everywhere, red at the spectrum's top left, and the
        // swatch of row 1, column 4 cyan.
        std::vector<uint32_t> px(500 * 291, 0xFF0F0F0F);
        for (int y = 26; y < 30; ++y)
            for (int x = 18; x < 22; ++x) px[size_t(y * 500 + x)] = 0xFFFF0000;
        for (int y = 55; y < 75; ++y)
            for (int x = 364; x < 384; ++x) px[size_t(y * 500 + x)] = 0xFF00FFFF;
        platform_.addImage(CColorPaletteDlg::kPalettePath, platform::Image(500, 291, std::move(px)));
        profile_.DPILevelIndication[2] = 0x000000FF;
    }
    Profile profile_;
};

TEST_F(PaletteTest, PicksASwatchAndStoresItOnOk) {
    Driven<CColorPaletteDlg> dlg(platform_, nullptr, language_, profile_, 2);
    Text red, green, blue;
    dlg.during = [&](FakeWindow& w) {
        EXPECT_EQ(dlg.FindControlAs<ui::CStaticText>(CColorPaletteDlg::kIdRed)->Label(), u"255");
        EXPECT_EQ(PopupWindowTable::instance().at(0), &dlg);
        w.press(374, 65);
        w.release(374, 65);
        red = dlg.FindControlAs<ui::CStaticText>(CColorPaletteDlg::kIdRed)->Label();
        green = dlg.FindControlAs<ui::CStaticText>(CColorPaletteDlg::kIdGreen)->Label();
        blue = dlg.FindControlAs<ui::CStaticText>(CColorPaletteDlg::kIdBlue)->Label();
        w.key(platform::kVkEscape);  // swallowed
        EXPECT_TRUE(w.inModal());
        w.key(platform::kVkReturn);
    };
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(red, u"0");
    EXPECT_EQ(green, u"255");
    EXPECT_EQ(blue, u"255");
    EXPECT_EQ(profile_.DPILevelIndication[2], 0x00FFFF00u);
}

TEST_F(PaletteTest, GapsPickNothingAndCloseKeepsTheColour) {
    Driven<CColorPaletteDlg> dlg(platform_, nullptr, language_, profile_, 2);
    dlg.during = [&](FakeWindow& w) {
        EXPECT_FALSE(dlg.PickAt({390, 65}));  // between two swatches
        EXPECT_EQ(dlg.Picked(), 0x000000FFu);
        EXPECT_TRUE(dlg.PickAt({20, 27}));
        EXPECT_EQ(dlg.Picked(), 0x000000FFu);  // the spectrum's top left is pure red
        EXPECT_TRUE(dlg.PickAt({374, 65}));
        const auto c = centre(dlg, kIdClose);
        w.click(c.x, c.y);
    };
    EXPECT_EQ(dlg.DoModal(), ui::kIdCancel);
    EXPECT_EQ(profile_.DPILevelIndication[2], 0x000000FFu);
    EXPECT_EQ(PopupWindowTable::instance().count(), 0u);
}

TEST_F(PaletteTest, TheArrowKeysWalkTheSwatchesAndPickWhatTheyReach) {
    Driven<CColorPaletteDlg> dlg(platform_, nullptr, language_, profile_, 2);
    dlg.during = [&](FakeWindow& w) {
        w.key(platform::kVkRight);  // the first arrow lands on the first swatch, a gap here
        EXPECT_EQ(dlg.Picked(), 0x000000FFu);
        w.key(platform::kVkLeft);  // wraps round to the row's last
        w.key(platform::kVkUp);    // and to the last row
        w.key(platform::kVkDown);
        w.key(platform::kVkDown);  // row 1
        for (int i = 0; i < 5; ++i) w.key(platform::kVkRight);  // column 7, round to 0, on to 4
        EXPECT_EQ(dlg.Picked(), 0x00FFFF00u);
        EXPECT_EQ(dlg.FindControlAs<ui::CStaticText>(CColorPaletteDlg::kIdGreen)->Label(), u"255");
        w.key(platform::kVkReturn);
    };
    EXPECT_EQ(dlg.DoModal(), ui::kIdOk);
    EXPECT_EQ(profile_.DPILevelIndication[2], 0x00FFFF00u);
}

TEST(PopupWindowTable, LeavingKeepsTheUsedEntriesAPrefix) {
    platform::FakePlatform platform;
    LanguageTable language;
    auto& table = PopupWindowTable::instance();
    table.clear();
    std::vector<std::unique_ptr<CAttentionDlg>> dialogs;
    for (int i = 0; i < 12; ++i) {
        dialogs.push_back(std::make_unique<CAttentionDlg>(platform, nullptr, language, u"x"));
        table.enter(dialogs.back().get());
    }
    EXPECT_EQ(table.count(), PopupWindowTable::kSize);  // the last two found no room
    table.leave(dialogs[3].get());
    EXPECT_EQ(table.count(), 9u);
    EXPECT_EQ(table.at(3), dialogs[4].get());
    EXPECT_EQ(table.at(9), nullptr);
    table.clear();
}

}  // namespace
}  // namespace orvane::dialogs
