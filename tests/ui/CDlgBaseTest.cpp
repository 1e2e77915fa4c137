#include "ui/CDlgBase.h"

#include <gtest/gtest.h>

#include "TestDialog.h"

namespace orvane::ui {
namespace {

using platform::FakePlatform;
using platform::PaintOp;
using test::Message;
using test::ProbeControl;
using test::TestDialog;

constexpr uint32_t kProbe = 3100;

struct DialogFixture : ::testing::Test {
    FakePlatform platform;
    TestDialog dlg{platform};
    void open() { ASSERT_TRUE(dlg.Create()); }
    platform::FakeWindow& win() { return *dlg.fake(); }
    std::vector<Message> controlMessages(uint32_t id) {
        std::vector<Message> out;
        for (auto& m : dlg.messages)
            if (m.msg == id) out.push_back(m);
        return out;
    }
};

TEST(DialogInit, TitlesSizesShowsAndCentresTheWindow) {
    FakePlatform platform(platform::ScreenInfo{{1000, 800}, 1.0f, 1.0f});
    TestDialog dlg(platform);
    int created = 0;
    dlg.onCreate = [&](TestDialog&) { ++created; };
    ASSERT_TRUE(dlg.Create());
    auto& win = *dlg.fake();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(win.title(), u"Velmira Orvane");
    EXPECT_TRUE(win.isVisible());
    EXPECT_EQ(win.geometry(), (Rect{300, 250, 700, 550}));
    EXPECT_EQ(dlg.DialogFont().height, -13);
    EXPECT_EQ(dlg.DialogFont().weight, 600);
}

TEST_F(DialogFixture, VisibleButInactiveControlIsNeitherDrawnNorHotAndItsPlaceDragsTheWindow) {
    ProbeControl* hidden = nullptr;
    dlg.onCreate = [&](TestDialog& d) { hidden = d.probe(0, kProbe, {10, 10, 50, 30}, true, false); };
    open();
    win().moveTo(20, 20);
    EXPECT_EQ(dlg.HotControl(), nullptr);
    EXPECT_TRUE(hidden->moves.empty());
    win().press(20, 20);
    EXPECT_EQ(win().dragMoves(), 0);  // not yet: a quick click must not start a move
    win().moveTo(24, 22);
    EXPECT_EQ(win().dragMoves(), 1);
    EXPECT_FALSE(win().hasCapture());
    win().release(24, 22);
    // A click with no motion between press and release moves nothing.
    win().press(20, 20);
    win().release(20, 20);
    EXPECT_EQ(win().dragMoves(), 1);
    EXPECT_TRUE(controlMessages(kProbe).empty());
    EXPECT_TRUE(win().paint().opsOf(PaintOp::Kind::Fill).size() == 1);  // the background only
}

TEST_F(DialogFixture, ClickOnControlCapturesNotifiesAndRepaintsItsRectangle) {
    ProbeControl* c = nullptr;
    dlg.onCreate = [&](TestDialog& d) { c = d.probe(2, kProbe, {10, 10, 50, 30}); };
    open();
    win().moveTo(20, 20);
    EXPECT_EQ(dlg.HotControl(), c);
    EXPECT_EQ(c->state, 1);
    win().clearInvalidations();
    win().press(20, 20);
    EXPECT_TRUE(win().hasCapture());
    EXPECT_EQ(win().dragMoves(), 0);
    EXPECT_EQ(c->state, 2);
    EXPECT_EQ(win().invalidations(), (std::vector<Rect>{{10, 10, 50, 30}}));
    win().release(20, 20);
    EXPECT_FALSE(win().hasCapture());
    EXPECT_EQ(controlMessages(kProbe),
              (std::vector<Message>{{kProbe, 0, kCodePressed}, {kProbe, 0, kCodeClicked}}));
    EXPECT_EQ(dlg.HotControl(), c);
    EXPECT_EQ(dlg.LastPoint(), (Point{20, 20}));
}

TEST_F(DialogFixture, PressThenReleaseOutsideReportsNoClickAndClearsTheHotControl) {
    ProbeControl* c = nullptr;
    dlg.onCreate = [&](TestDialog& d) { c = d.probe(0, kProbe, {10, 10, 50, 30}); };
    open();
    win().moveTo(20, 20);
    win().press(20, 20);
    win().moveTo(200, 200);  // held: the hot control keeps it, nobody else is offered the move
    EXPECT_EQ(dlg.HotControl(), c);
    win().release(200, 200);
    EXPECT_EQ(controlMessages(kProbe), (std::vector<Message>{{kProbe, 0, kCodePressed}}));
    EXPECT_EQ(c->state, 0);
    EXPECT_EQ(dlg.HotControl(), nullptr);
    EXPECT_EQ(dlg.LastPoint(), (Point{-1, -1}));
}

TEST_F(DialogFixture, OfOverlappingControlsTheLastVisitedBecomesHot) {
    ProbeControl *a = nullptr, *b = nullptr, *c = nullptr;
    dlg.onCreate = [&](TestDialog& d) {
        c = d.probe(3, 3, {0, 0, 100, 100});  // later list: visited last
        a = d.probe(1, 1, {0, 0, 100, 100});
        b = d.probe(1, 2, {50, 50, 150, 150});
    };
    open();
    win().moveTo(60, 60);
    EXPECT_EQ(dlg.HotControl(), c);
    win().moveTo(120, 120);
    EXPECT_EQ(dlg.HotControl(), b);
    // Every mouse-aware control sees the moves that found the hot one, so it can reset its look.
    EXPECT_EQ(a->moves.size(), 2u);
}

TEST_F(DialogFixture, ControlThatIsNotMouseAwareIsNeverHot) {
    ProbeControl* c = nullptr;
    dlg.onCreate = [&](TestDialog& d) {
        c = d.probe(0, kProbe, {0, 0, 100, 100});
        c->SetMouseAware(false);
    };
    open();
    win().moveTo(10, 10);
    EXPECT_EQ(dlg.HotControl(), nullptr);
    EXPECT_TRUE(c->moves.empty());
}

TEST_F(DialogFixture, LeavingTheWindowResetsTheHotControlUnlessTheButtonIsHeld) {
    ProbeControl* c = nullptr;
    dlg.onCreate = [&](TestDialog& d) { c = d.probe(0, kProbe, {0, 0, 100, 100}); };
    open();
    win().moveTo(10, 10);
    win().press(10, 10);
    win().leave();
    EXPECT_EQ(dlg.HotControl(), c);
    win().release(10, 10);
    win().moveTo(10, 10);
    win().leave();
    EXPECT_EQ(dlg.HotControl(), nullptr);
    EXPECT_EQ(c->moves.back(), (Point{-1, -1}));
    EXPECT_EQ(c->state, 0);
    // A second leave without a new request for tracking is not delivered.
    c->moves.clear();
    win().leave();
    EXPECT_TRUE(c->moves.empty());
}

TEST_F(DialogFixture, PressingAnotherPlaceTakesTheFocusFromTheLastPressedControl) {
    ProbeControl *a = nullptr, *b = nullptr;
    dlg.onCreate = [&](TestDialog& d) {
        a = d.probe(0, 1, {0, 0, 50, 50});
        b = d.probe(0, 2, {60, 0, 110, 50});
    };
    open();
    win().click(10, 10);
    win().moveTo(70, 10);
    win().press(70, 10);
    EXPECT_EQ(a->killFocus, 1);
    EXPECT_EQ(b->killFocus, 0);
    EXPECT_EQ(dlg.PressedControl(), b);
}

TEST_F(DialogFixture, SomeControlsRepaintTheWholeWindowOnRelease) {
    dlg.onCreate = [&](TestDialog& d) {
        d.probe(0, 2051, {0, 0, 50, 50});
        d.probe(0, 2048, {60, 0, 110, 50});
    };
    open();
    win().press(10, 10);
    win().clearInvalidations();
    win().release(10, 10);
    EXPECT_EQ(win().invalidations().back(), (Rect{0, 0, 400, 300}));
    win().moveTo(70, 10);
    win().press(70, 10);
    win().clearInvalidations();
    win().release(70, 10);
    EXPECT_EQ(win().invalidations().back(), (Rect{60, 0, 110, 50}));
}

TEST_F(DialogFixture, DoubleAndRightClicksReachTheControlUnderThePointer) {
    dlg.onCreate = [&](TestDialog& d) { d.probe(0, kProbe, {0, 0, 50, 50}); };
    open();
    win().moveTo(10, 10);
    win().pointer(platform::PointerKind::LeftDoubleClick, 10, 10, platform::kButtonLeft);
    win().pointer(platform::PointerKind::RightUp, 10, 10);
    EXPECT_EQ(controlMessages(kProbe), (std::vector<Message>{{kProbe, 0, kCodeDoubleClick},
                                                             {kProbe, kProbe, kCodeRightReleased}}));
}

TEST_F(DialogFixture, DrawsOnlyShownControlsMeetingTheClip) {
    dlg.onCreate = [&](TestDialog& d) {
        d.probe(0, 1, {0, 0, 50, 50});
        d.probe(0, 2, {100, 100, 150, 150});
        d.probe(0, 3, {0, 0, 50, 50}, false, true);
    };
    open();
    platform::RecordingPainter p({400, 300});
    p.setClip({0, 0, 60, 60});
    dlg.DrawControls(p, {0, 0, 400, 300});
    ASSERT_EQ(p.ops().size(), 1u);
    EXPECT_EQ(p.ops()[0].rect, (Rect{0, 0, 50, 50}));
}

TEST_F(DialogFixture, MinimisedWindowPaintsOneWhitePixel) {
    open();
    win().minimize();
    const auto& ops = win().paint().ops();
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].kind, PaintOp::Kind::Pixel);
    EXPECT_EQ(ops[0].rect.left, 10);
}

TEST_F(DialogFixture, FindControlSearchesTheListsInOrder) {
    ProbeControl *first = nullptr, *second = nullptr;
    dlg.onCreate = [&](TestDialog& d) {
        second = d.probe(5, 7, {});
        first = d.probe(1, 7, {});
    };
    open();
    EXPECT_EQ(dlg.FindControl(7), first);
    EXPECT_EQ(dlg.FindControlAs<ProbeControl>(7), first);
    EXPECT_EQ(dlg.FindControl(8), nullptr);
    EXPECT_EQ(dlg.AddControl(8, std::make_unique<ProbeControl>(&dlg, 9, Rect{}, u"")), nullptr);
    (void)second;
}

TEST(DialogFrame, CornerMarginDependsOnWhetherTheFrameCoversTheWindow) {
    FakePlatform platform;
    TestDialog dlg(platform);
    dlg.SetWindowSize(400, 200);
    ASSERT_TRUE(dlg.LoadFrame(Image::filled(400, 200, bgr(0x102030))));
    EXPECT_EQ(dlg.FrameCornerMargin(), 0);
    dlg.SetWindowSize(800, 400);
    ASSERT_TRUE(dlg.LoadFrame(Image::filled(400, 200, bgr(0x102030))));
    EXPECT_EQ(dlg.FrameCornerMargin(), 100);
    EXPECT_EQ(dlg.FrameSize(), (Size{400, 200}));
    dlg.SetWindowSize(800, 400);
    ASSERT_TRUE(dlg.LoadFrame(Image::filled(60, 80, bgr(0x102030))));
    EXPECT_EQ(dlg.FrameCornerMargin(), 60);
}

TEST(DialogFrame, BackgroundIsTheAverageColourAndTransparencyBecomesBlack) {
    FakePlatform platform;
    // Left half opaque red-ish, right half fully transparent: averaged over black.
    std::vector<uint32_t> px;
    for (int i = 0; i < 4; ++i) px.push_back(i % 2 == 0 ? 0xFF6440C8u : 0x00000000u);
    platform.addImage("skins\\frame.png", Image(2, 2, px));
    TestDialog dlg(platform);
    dlg.SetWindowSize(2, 2);
    ASSERT_TRUE(dlg.LoadFrameFromFile(u"skins\\frame.png"));
    EXPECT_EQ(dlg.BackgroundColor(), 0x642032u);  // r 0x32, g 0x20, b 0x64
    EXPECT_EQ(dlg.FrameImage().pixel(1, 0), 0xFF000000u);
    EXPECT_FALSE(dlg.LoadFrameFromFile(u"skins\\missing.png"));
    EXPECT_EQ(dlg.BackgroundColor(), 0x642032u);  // unchanged by a failed load
}

TEST(DialogFrame, FrameIsStretchedByTheDisplayScaleLeavingTheCornerMargin) {
    FakePlatform platform(platform::ScreenInfo{{3840, 2100}, 2.0f, 1.0f});
    TestDialog dlg(platform);
    dlg.SetWindowSize(800, 400);
    std::vector<uint32_t> px(200 * 100, 0xFFFFFFFFu);
    ASSERT_TRUE(dlg.LoadFrame(Image(200, 100, px)));
    // c = 100: the 200x100 source goes to (200-100)*2 by (100-100)*2, i.e. nothing visible.
    EXPECT_EQ(dlg.FrameCornerMargin(), 100);
    EXPECT_EQ(dlg.FrameImage().size(), (Size{200, 100}));
    EXPECT_EQ(dlg.FrameImage().pixel(0, 0), 0xFF000000u);
}

}  // namespace
}  // namespace orvane::ui
