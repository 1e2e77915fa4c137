#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "ui/CCheckButton.h"
#include "ui/CColorSelectButton.h"
#include "ui/CComboButton.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CImageButton.h"
#include "ui/CRadioButton.h"
#include "ui/DpiLevelMask.h"
#include "ui/RadioGroupState.h"

namespace orvane::ui {
namespace {

using platform::PaintOp;
using test::Message;

constexpr Rect kBox{10, 10, 60, 30};
constexpr Point kIn{20, 20};
constexpr Point kOut{200, 200};

struct ButtonTest : test::ControlFixture {
    void SetUp() override {
        RadioGroupState::set(0);
        DpiLevelMask::set(0);
    }
};

TEST_F(ButtonTest, ImageButtonClickIsPressThenReleaseInsideWithItsIdAsWParam) {
    CImageButton b(&dlg, 2062, kBox, u"Macro");
    EXPECT_TRUE(b.OnMouseMove(0, kIn));
    EXPECT_EQ(b.PointerState(), 1);
    EXPECT_TRUE(b.OnLButtonDown(0, kIn));
    EXPECT_EQ(b.PointerState(), 2);
    EXPECT_FALSE(b.OnMouseMove(0, kOut));  // a pressed button keeps its look
    EXPECT_TRUE(b.OnLButtonUp(0, kIn));
    EXPECT_EQ(take(), (std::vector<Message>{{2062, 0, kCodePressed}, {2062, 2062, kCodeClicked}}));
}

TEST_F(ButtonTest, DisabledButtonNeitherChangesLookNorSends) {
    CImageButton b(&dlg, 7, kBox, u"x", true, true, true);
    EXPECT_FALSE(b.OnMouseMove(0, kIn));
    EXPECT_FALSE(b.OnLButtonDown(0, kIn));
    EXPECT_FALSE(b.OnLButtonUp(0, kIn));
    EXPECT_EQ(b.PointerState(), 0);
    CCheckButton c(&dlg, 8, kBox, u"x", true, true, true);
    c.OnLButtonDown(0, kIn);
    c.OnLButtonUp(0, kIn);
    EXPECT_FALSE(c.Checked());
    EXPECT_TRUE(take().empty());
}

TEST_F(ButtonTest, CheckButtonTogglesOnClickButNotWhenReleasedOutside) {
    CCheckButton c(&dlg, 3260, kBox, u"off");
    c.OnLButtonDown(0, kIn);
    EXPECT_EQ(c.Frame(), 2);  // pressed shows the checked look
    c.OnMouseMove(0, kOut);
    c.OnLButtonUp(0, kOut);
    EXPECT_FALSE(c.Checked());
    EXPECT_EQ(c.PointerState(), 0);
    EXPECT_EQ(codes(), (std::vector<intptr_t>{kCodePressed}));

    dlg.onMessage = [&](uint32_t, uintptr_t, intptr_t code) -> intptr_t {
        if (code == kCodeClicked) {
            EXPECT_TRUE(c.Checked());  // toggled before the owner hears
        }
        return 0;
    };
    c.OnLButtonDown(0, kIn);
    c.OnLButtonUp(0, kIn);
    EXPECT_TRUE(c.Checked());
    dlg.onMessage = nullptr;
    c.OnLButtonDown(0, kIn);
    c.OnLButtonUp(0, kIn);
    EXPECT_FALSE(c.Checked());
}

TEST_F(ButtonTest, CheckButtonShowsItsCheckedTextAndColourOnlyInTheCheckedLook) {
    CCheckButton c(&dlg, 2018, kBox, u"Record");
    c.SetCheckedText(u"Stop");
    platform::RecordingPainter p;
    c.Draw(p, kBox);
    ASSERT_NE(p.findText(u"Record"), nullptr);
    EXPECT_EQ(p.findText(u"Record")->color, bgr(0xB4B4B4));
    c.SetChecked(true);
    p.clear();
    c.Draw(p, kBox);
    ASSERT_NE(p.findText(u"Stop"), nullptr);
    EXPECT_EQ(p.findText(u"Stop")->color, bgr(0x00FFFF));
}

TEST_F(ButtonTest, RadioClickSelectsItsOptionAndLeavesOtherGroupsAlone) {
    RadioGroupState::set((1u << 13) | (1u << 20));
    CRadioButton r(&dlg, 2032, kBox);
    CRadioButton other(&dlg, 2031, kBox.translated(100, 0));
    EXPECT_EQ(other.Frame(), 2);
    EXPECT_EQ(r.Frame(), 0);
    r.OnLButtonDown(0, kIn);
    r.OnLButtonUp(0, kIn);
    EXPECT_EQ(RadioGroupState::get(), (1u << 14) | (1u << 20));
    EXPECT_EQ(r.Frame(), 2);
    EXPECT_EQ(other.Frame(), 0);
}

TEST_F(ButtonTest, RadioReleasedOutsideSelectsNothing) {
    RadioGroupState::set(1u << 20);
    CRadioButton r(&dlg, 3511, kBox);
    r.OnLButtonDown(0, kIn);
    r.OnLButtonUp(0, kOut);
    EXPECT_EQ(RadioGroupState::get(), 1u << 20);
}

TEST_F(ButtonTest, DpiLevelButtonLightsEveryLevelUpToItsOwn) {
    CDPIRadioButton top(&dlg, 3293, kBox);
    CDPIRadioButton first(&dlg, 3290, kBox.translated(100, 0));
    top.OnLButtonDown(0, kIn);
    top.OnLButtonUp(0, kIn);
    EXPECT_EQ(DpiLevelMask::get(), 0x0F);
    first.OnLButtonDown(0, {120, 20});
    first.OnLButtonUp(0, {120, 20});
    EXPECT_EQ(DpiLevelMask::get(), 0x01);
    EXPECT_EQ(first.Frame(), 2);
    EXPECT_EQ(top.Frame(), 1);  // unlit: back to its pointer look
}

TEST_F(ButtonTest, DpiLevelButtonShowsItsValueTimesFiftyInTheTopBand) {
    CDPIRadioButton b(&dlg, 3291, {909, 212, 935, 230});
    b.SetValue(32);
    b.SetTextColour(255);
    platform::RecordingPainter p;
    b.Draw(p, b.GetRect());
    const PaintOp* t = p.findText(u"1600");
    ASSERT_NE(t, nullptr);
    // The top 11 pixels, inside the frame's border: a value too wide for them is condensed.
    EXPECT_EQ(t->rect, (Rect{911, 212, 933, 223}));
    EXPECT_TRUE(t->format & platform::kTextCondense);
    EXPECT_EQ(t->color, bgr(255));
}

TEST_F(ButtonTest, ComboReportsEnteringFiveTimesAtMostThenLeavingOnce) {
    CComboButton c(&dlg, 2013, kBox, u"Left", 1028);
    for (int i = 0; i < 8; ++i) c.OnMouseMove(0, {20 + i, 20});
    c.OnMouseMove(0, kOut);
    c.OnMouseMove(0, kOut);
    EXPECT_EQ(codes(), (std::vector<intptr_t>{4, 4, 4, 4, 4, 5}));
}

TEST_F(ButtonTest, ComboEnteredAndLeftQuicklySendsOneEachAndNothingWhileItsMenuIsOpen) {
    CComboButton c(&dlg, 2014, kBox, u"Right", 1028);
    c.OnMouseMove(0, kIn);
    c.OnMouseMove(0, kOut);
    EXPECT_EQ(take(), (std::vector<Message>{{1028, 2014, 4}, {1028, 2014, 5}}));

    c.OnMouseMove(0, kIn);
    c.SetMenuOpen(true);
    c.OnMouseMove(0, kOut);
    EXPECT_EQ(codes(), (std::vector<intptr_t>{4}));
    c.SetMenuOpen(false);
    c.OnMouseMove(0, kOut);  // the leave is reported once the menu has gone
    EXPECT_EQ(codes(), (std::vector<intptr_t>{5}));
}

TEST_F(ButtonTest, ComboClickGoesThroughTheGroupMessageAndDisableLookSilencesIt) {
    CComboButton c(&dlg, 2015, kBox, u"Middle", 1028);
    c.OnLButtonDown(0, kIn);
    c.OnLButtonUp(0, kIn);
    EXPECT_EQ(take(), (std::vector<Message>{{2015, 0, kCodePressed}, {1028, 2015, kCodeClicked}}));
    c.SetDisableLook(true);
    c.OnLButtonDown(0, kIn);
    c.OnLButtonUp(0, kIn);
    EXPECT_TRUE(take().empty());
}

TEST_F(ButtonTest, ComboLooks) {
    CComboButton c(&dlg, 2016, kBox, u"Fourth", 1028);
    EXPECT_EQ(c.Frame(), 0);
    c.SetMenuOpen(true);
    EXPECT_EQ(c.Frame(), 1);
    c.SetDisableLook(true);
    EXPECT_EQ(c.Frame(), 3);
    c.OnMouseMove(0, kIn);
    EXPECT_EQ(c.Frame(), 4);
    c.SetDisableText(true);
    platform::RecordingPainter p;
    c.Draw(p, kBox);
    ASSERT_NE(p.findText(u"Disable"), nullptr);
    EXPECT_EQ(p.findText(u"Disable")->color, bgr(0xFFFFFF));
}

TEST_F(ButtonTest, StripFramesAreCutSideBySideAndWinOverSeparatePictures) {
    CComboButton c(&dlg, 2017, kBox, u"", 1028);
    StateImages images(5);
    images.setStrip(Image::filled(500, 21, bgr(0x123456)));
    images.setSeparate({Image::filled(10, 10, bgr(1)), Image::filled(10, 10, bgr(2))});
    c.SetImages(images);
    c.OnMouseMove(0, kIn);
    platform::RecordingPainter p;
    c.Draw(p, kBox);
    const auto ops = p.opsOf(PaintOp::Kind::Image);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].source, (Rect{100, 0, 200, 21}));
    EXPECT_EQ(ops[0].rect, kBox);
}

TEST_F(ButtonTest, ImageButtonWithTwoPicturesUsesTheActiveOneWhenPressed) {
    CImageButton b(&dlg, 2001, kBox, u"");
    StateImages images(3);
    const Image normal = Image::filled(4, 4, bgr(1)), active = Image::filled(4, 4, bgr(2));
    images.setSeparate({normal, active, active});
    b.SetImages(images);
    b.OnLButtonDown(0, kIn);
    platform::RecordingPainter p;
    b.Draw(p, kBox);
    ASSERT_EQ(p.opsOf(PaintOp::Kind::Image).size(), 1u);
    EXPECT_EQ(p.opsOf(PaintOp::Kind::Image)[0].image, active);
}

TEST_F(ButtonTest, ColourButtonFillsItsOwnRectangle) {
    CColorSelectButton b(&dlg, 3270, kBox, {12, 12, 40, 20});
    platform::RecordingPainter p;
    b.Draw(p, kBox);
    auto fills = p.opsOf(PaintOp::Kind::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (Rect{12, 12, 40, 20}));
    EXPECT_EQ(fills[0].color, bgr(0x00FF00));
    b.OnLButtonDown(0, kIn);
    b.OnLButtonUp(0, kIn);
    EXPECT_EQ(codes(), (std::vector<intptr_t>{1, 2}));
    b.SetRect({110, 20, 160, 40});
    EXPECT_EQ(b.ColourRect(), (Rect{112, 22, 140, 30}));
}

}  // namespace
}  // namespace orvane::ui
