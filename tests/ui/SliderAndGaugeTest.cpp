#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "ui/CBattery.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CSliderControl.h"

namespace orvane::ui {
namespace {

using platform::PaintOp;

struct SliderTest : test::ControlFixture {
    // 4 steps on (100, 0)-(400, 20), thumb 6 left and 7 right of the step.
    CSliderControl slider{&dlg, 3550, {100, 0, 400, 20}, 4, 6, 7};
    void SetUp() override { slider.SetThumbImage(Image::filled(13, 13, bgr(0xFFFFFF))); }
};

TEST_F(SliderTest, StepsAreEvenlySpacedBetweenTheExtents) {
    EXPECT_EQ(slider.Steps(), (std::vector<int32_t>{106, 201, 297, 393}));
    EXPECT_EQ(slider.StepAt(152), 0);
    EXPECT_EQ(slider.StepAt(153), 1);  // a midpoint belongs to the upper step
    EXPECT_EQ(slider.StepAt(0), 0);
    EXPECT_EQ(slider.StepAt(10'000), 3);
}

TEST_F(SliderTest, ReleaseOnTheTrackTakesTheNearestStep) {
    slider.OnLButtonDown(0, {153, 10});
    EXPECT_FALSE(slider.Dragging());  // not on the thumb
    slider.OnLButtonUp(0, {153, 10});
    EXPECT_EQ(slider.Position(), 1);
    EXPECT_EQ(slider.ThumbRect(), (Rect{195, 0, 208, 20}));
    EXPECT_EQ(codes(), (std::vector<intptr_t>{kCodePressed, kCodeClicked}));
}

TEST_F(SliderTest, DraggingPastEitherEndReportsTheEndStepAndKeepsTheThumbInside) {
    slider.OnLButtonDown(0, {106, 10});
    ASSERT_TRUE(slider.Dragging());
    take();
    EXPECT_TRUE(slider.DragTo({900, 50}));
    EXPECT_EQ(slider.Position(), 3);
    EXPECT_EQ(slider.ThumbLeft(), 400 - 13);
    EXPECT_TRUE(slider.DragTo({-50, 5}));
    EXPECT_EQ(slider.Position(), 0);
    EXPECT_EQ(slider.ThumbLeft(), 100);
    EXPECT_TRUE(slider.DragTo({-60, 5}));  // reported on every move, changed or not
    EXPECT_EQ(take(), (std::vector<test::Message>{{3550, 3, 3}, {3550, 0, 3}, {3550, 0, 3}}));
}

TEST_F(SliderTest, ReleasingOutsideKeepsTheDraggedStepAndSendsNoClick) {
    slider.OnLButtonDown(0, {106, 10});
    slider.DragTo({300, 30});
    slider.OnLButtonUp(0, {300, 30});
    EXPECT_EQ(slider.Position(), 2);
    EXPECT_FALSE(slider.Dragging());
    EXPECT_EQ(slider.PointerStateValue(), 0);
    EXPECT_EQ(codes(), (std::vector<intptr_t>{kCodePressed, kCodeDragging}));
    EXPECT_FALSE(slider.DragTo({200, 10}));  // no drag any more
}

TEST_F(SliderTest, ThumbIsDrawnAtTheStepOrWhereTheDragHasIt) {
    slider.SetPosition(2);
    platform::RecordingPainter p;
    slider.Draw(p, slider.GetRect());
    EXPECT_EQ(p.opsOf(PaintOp::Kind::Image).at(0).rect, (Rect{291, 0, 304, 13}));
    slider.OnLButtonDown(0, {297, 10});
    slider.OnMouseMove(0, {250, 10});
    p.clear();
    slider.Draw(p, slider.GetRect());
    EXPECT_EQ(p.opsOf(PaintOp::Kind::Image).at(0).rect.left, 244);
}

TEST_F(SliderTest, OutOfRangePositionGoesToTheNearestEndAndDisabledIgnoresThePointer) {
    slider.SetPosition(9);
    EXPECT_EQ(slider.Position(), 3);
    slider.SetPosition(-2);
    EXPECT_EQ(slider.Position(), 0);
    CSliderControl off(&dlg, 1, {0, 0, 100, 20}, 3, 6, 7, u"", true, true, true);
    EXPECT_FALSE(off.OnLButtonDown(0, {6, 5}));
    EXPECT_FALSE(off.OnLButtonUp(0, {50, 5}));
    EXPECT_EQ(off.Position(), 0);
    EXPECT_TRUE(take().empty());
}

TEST_F(SliderTest, MovingTheSliderMovesItsStepsAndThumb) {
    slider.SetPosition(2);
    slider.SetRect({150, 40, 450, 60});  // a section opened above it
    EXPECT_EQ(slider.Steps(), (std::vector<int32_t>{156, 251, 347, 443}));
    EXPECT_EQ(slider.ThumbRect(), (Rect{341, 40, 354, 60}));
    EXPECT_EQ(slider.Position(), 2);
    slider.OnLButtonDown(0, {160, 50});
    slider.OnLButtonUp(0, {160, 50});
    EXPECT_EQ(slider.Position(), 0);
}

struct GaugeTest : test::ControlFixture {};

TEST_F(GaugeTest, FillGrowsFromTheBottomByValue) {
    CDPIValueShowControl g(&dlg, 3300, {918, 75, 925, 205}, 10);  // 130 high
    g.SetImages(Image::filled(7, 130, bgr(0x333333)), Image::filled(7, 130, bgr(0xDEA035)));
    EXPECT_EQ(g.FillTop(), 205 - 13);
    platform::RecordingPainter p;
    g.Draw(p, g.GetRect());
    auto images = p.opsOf(PaintOp::Kind::Image);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[1].rect, (Rect{918, 192, 925, 205}));
    EXPECT_EQ(images[1].source, (Rect{0, 117, 7, 130}));
    g.SetValue(9);
    EXPECT_EQ(g.FillTop(), 75);
    g.SetValue(40);  // beyond the steps: full, not above the control
    EXPECT_EQ(g.FillTop(), 75);
}

struct GaugeScaleTwoTest : test::ScaleTwoFixture {};

TEST_F(GaugeScaleTwoTest, OddFillHeightGrowsByOnePixel) {
    CDPIValueShowControl g(&dlg, 3301, {100, 100, 114, 370}, 10);  // 270 high: 27 per step
    g.SetImages(Image::filled(7, 135, bgr(0x333333)), Image::filled(7, 135, bgr(0xDEA035)));
    EXPECT_EQ(g.FillTop(), 370 - 28);
    platform::RecordingPainter p;
    g.Draw(p, g.GetRect());
    const auto fill = p.opsOf(PaintOp::Kind::Image).at(1);
    EXPECT_EQ(fill.rect, (Rect{100, 342, 114, 370}));
    EXPECT_EQ(fill.source, (Rect{0, 121, 7, 135}));
}

TEST_F(GaugeTest, ClickReportsPressAndRelease) {
    CDPIValueShowControl g(&dlg, 3302, {0, 0, 10, 100}, 5);
    g.OnLButtonDown(0, {5, 5});
    g.OnLButtonUp(0, {5, 50});
    g.OnLButtonDown(0, {5, 5});
    g.OnLButtonUp(0, {50, 50});
    EXPECT_EQ(codes(), (std::vector<intptr_t>{1, 2, 1}));
}

struct BatteryTest : test::ControlFixture {
    CBattery battery{&dlg, {120, 449, 181, 479}};
    void SetUp() override {
        battery.SetImages(Image::filled(61, 30, bgr(0x00FF00)), Image::filled(61, 30, bgr(0x333333)),
                          Image::filled(61, 30, bgr(0x00FFFF)), Image::filled(61, 30, bgr(0xFFFFFF)));
    }
    Rect fillDrawn() {
        platform::RecordingPainter p;
        battery.Draw(p, battery.GetRect());
        for (const auto& op : p.opsOf(PaintOp::Kind::Image))
            if (op.rect != battery.GetRect()) return op.rect;
        return {};
    }
};

TEST_F(BatteryTest, DischargingFillFollowsTheLevelWithAtLeastOnePixel) {
    battery.Level = 100;
    EXPECT_EQ(fillDrawn().width(), 54);  // 4 pixels of cap plus 50 of fill
    battery.Level = 0;
    EXPECT_EQ(fillDrawn().width(), 5);
    battery.Level = 250;  // a level the mouse should not report fills no further than full
    EXPECT_EQ(fillDrawn().width(), 54);
}

TEST_F(BatteryTest, ChargingAnimatesByPhaseAndIgnoresTheLevel) {
    battery.Mode = CBattery::kCharging;
    battery.Level = 90;
    std::vector<int32_t> widths;
    for (int phase : {25, 50, 75, 100}) {
        battery.Phase = phase;
        widths.push_back(fillDrawn().width() - 4);
    }
    EXPECT_EQ(widths, (std::vector<int32_t>{12, 25, 37, 50}));
}

TEST_F(BatteryTest, ChargedShowsFullAndLightningAndUnknownModeNothing) {
    battery.Mode = CBattery::kCharged;
    platform::RecordingPainter p;
    battery.Draw(p, battery.GetRect());
    EXPECT_EQ(p.opsOf(PaintOp::Kind::Image).size(), 2u);
    battery.Mode = 7;
    p.clear();
    battery.Draw(p, battery.GetRect());
    EXPECT_TRUE(p.ops().empty());
    EXPECT_FALSE(battery.OnLButtonDown(0, {130, 460}));
}

struct BatteryScaleTwoTest : test::ScaleTwoFixture {};

TEST_F(BatteryScaleTwoTest, FillEdgeStaysOnAWholeDesignPixel) {
    const auto img = Image::filled(61, 30, bgr(1));
    CBattery doubled(&dlg, {240, 898, 362, 958});
    doubled.SetImages(img, img, img, img);
    EXPECT_EQ(doubled.FillSourceWidth(0), 5);
    EXPECT_EQ(doubled.FillSourceWidth(33), 20);
    EXPECT_EQ(doubled.FillSourceWidth(100), 54);
    CBattery odd(&dlg, {241, 898, 362, 958});  // the edge would fall mid design pixel
    odd.SetImages(img, img, img, img);
    EXPECT_EQ(odd.FillSourceWidth(100), 53);
}

}  // namespace
}  // namespace orvane::ui
