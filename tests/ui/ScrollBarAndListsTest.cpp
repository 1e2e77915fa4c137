#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "ui/CEditShowList.h"
#include "ui/CImageShowList.h"
#include "ui/CTabControl.h"
#include "ui/CVScrollBar.h"

namespace orvane::ui {
namespace {

using platform::PaintOp;
using test::Message;

// Arrows 20 high leave a track of 200 pixel rows (20 to 219).
struct ScrollBarTest : test::ControlFixture {
    CVScrollBar bar{&dlg, 2022, {0, 0, 18, 239}};
    void SetUp() override {
        const Image strip = Image::filled(54, 20, bgr(0x808080));
        bar.SetArrowImages(strip, strip);
    }
};

TEST_F(ScrollBarTest, LayoutAndThumbFromPositionPageAndRange) {
    EXPECT_EQ(bar.TrackRect(), (Rect{0, 20, 18, 219}));
    bar.SetScroll(0, 13, 30);
    EXPECT_EQ(bar.ThumbRect().top, 20);
    EXPECT_EQ(bar.ThumbRect().bottom, 20 + 86);
    bar.SetScroll(0, 40, 30);  // everything fits: the thumb fills the track
    EXPECT_EQ(bar.ThumbRect(), bar.TrackRect());
    bar.SetScroll(5, 13, 0);  // no range: whole track, nothing stored
    EXPECT_EQ(bar.ThumbRect(), bar.TrackRect());
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.Page(), 40);
}

TEST_F(ScrollBarTest, PressReportsWhereItLanded) {
    bar.SetScroll(50, 10, 100);  // thumb 120-139
    for (int y : {5, 230, 125, 60, 180}) {
        bar.OnLButtonDown(0, {9, y});
        bar.OnLButtonUp(0, {9, y});
    }
    std::vector<uintptr_t> where;
    for (const auto& m : take())
        if (m.lParam == kCodePressed) where.push_back(m.wParam);
    EXPECT_EQ(where, (std::vector<uintptr_t>{6, 7, 0, 8, 9}));
}

TEST_F(ScrollBarTest, DraggingTheThumbReportsNewPositionsAndStopsAtTheTrackEnd) {
    bar.SetScroll(0, 10, 100);  // thumb 20-39
    bar.OnLButtonDown(0, {9, 25});
    ASSERT_TRUE(bar.Dragging());
    EXPECT_TRUE(bar.DragThumb({9, 125}));
    EXPECT_EQ(bar.DragRect().top, 120);
    EXPECT_TRUE(bar.DragThumb({300, 5000}));
    EXPECT_EQ(bar.DragRect().bottom, 219);
    bar.DragThumb({9, 5000});  // already at the end: nothing new
    bar.OnLButtonUp(0, {300, 5000});
    EXPECT_EQ(take(), (std::vector<Message>{{2022, 0, 1}, {2022, 50, 3}, {2022, 90, 3}, {2022, 0, 2}}));
    EXPECT_EQ(bar.Position(), 90);
    EXPECT_FALSE(bar.Dragging());
    EXPECT_EQ(bar.ThumbRect().top, 200);  // snapped onto the position
    EXPECT_FALSE(bar.DragThumb({9, 20}));
}

TEST_F(ScrollBarTest, ReleasingOutsideAfterAnArrowPressSendsNothing) {
    bar.OnLButtonDown(0, {9, 5});
    take();
    bar.OnLButtonUp(0, {100, 5});
    EXPECT_TRUE(take().empty());
}

TEST_F(ScrollBarTest, HoverLightsTheThumbAndLeavingClearsIt) {
    bar.SetScroll(0, 10, 100);
    EXPECT_TRUE(bar.OnMouseMove(0, {9, 30}));
    EXPECT_TRUE(bar.ThumbHover());
    platform::RecordingPainter p;
    bar.Draw(p, bar.GetRect());
    const auto fills = p.opsOf(PaintOp::Kind::Fill);
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[1].rect, (Rect{0, 20, 18, 40}));
    EXPECT_EQ(fills[1].color, bgr(0xDEA035));
    EXPECT_TRUE(bar.OnMouseMove(0, {9, 5}));
    EXPECT_TRUE(bar.UpHover());
    EXPECT_FALSE(bar.ThumbHover());
    EXPECT_TRUE(bar.OnMouseMove(0, {90, 5}));
    EXPECT_FALSE(bar.UpHover());
}

TEST_F(ScrollBarTest, MovingTheBarMovesItsArrowsTrackAndThumb) {
    bar.SetScroll(50, 10, 100);
    bar.SetRect({100, 10, 118, 249});
    EXPECT_EQ(bar.TrackRect(), (Rect{100, 30, 118, 229}));
    EXPECT_EQ(bar.ThumbRect(), (Rect{100, 130, 118, 149}));
    EXPECT_EQ(bar.UpArrowRect(), (Rect{100, 10, 118, 29}));
}

struct ScrollBarScaleTwoTest : test::ScaleTwoFixture {};

TEST_F(ScrollBarScaleTwoTest, ArrowHitAreasCoverTheDoubledArrows) {
    CVScrollBar bar(&dlg, 2021, {0, 0, 36, 478});
    const Image strip = Image::filled(54, 20, bgr(0x808080));
    bar.SetArrowImages(strip, strip);
    EXPECT_EQ(bar.TrackRect(), (Rect{0, 40, 36, 438}));
    bar.OnLButtonDown(0, {10, 30});
    bar.OnLButtonUp(0, {10, 30});
    bar.OnLButtonDown(0, {10, 450});
    EXPECT_EQ(take(), (std::vector<Message>{{2021, 6, 1}, {2021, 0, 2}, {2021, 7, 1}}));
}

struct KeyListTest : test::ControlFixture {
    MacroLibrary library;
    CEditShowList list{&dlg, {25, 54, 168, 323}, library};
    void SetUp() override {
        library.AddSet(u"Empty");
        MacroSet& set = library.AddSet(u"Games");
        for (int i = 0; i < 20; ++i) set.AddKey(fromUtf8("Key " + std::to_string(i)));
    }
};

TEST_F(KeyListTest, ShowingASetSelectsItsFirstKeyOrNothing) {
    EXPECT_EQ(list.VisibleRows, 13);
    list.ShowSet(1);
    EXPECT_EQ(list.SelectedRow, 0);
    list.ShowSet(0);
    EXPECT_EQ(list.SelectedRow, -1);
    list.ShowSet(7);
    EXPECT_EQ(list.SelectedRow, -1);
    platform::RecordingPainter p;
    list.Draw(p, list.GetRect());
    EXPECT_EQ(p.ops().size(), 1u);  // background only
}

TEST_F(KeyListTest, PressSelectsTheRowUnderThePointerAndReleaseInsideReports) {
    list.ShowSet(1);
    list.FirstRow = 3;
    list.OnLButtonDown(0, {40, 54 + 45});
    EXPECT_EQ(list.SelectedRow, 5);
    list.OnLButtonUp(0, {40, 54 + 45});
    list.OnLButtonDown(0, {40, 60});
    list.OnLButtonUp(0, {400, 60});
    EXPECT_EQ(take(), (std::vector<Message>{{2015, 0, 2}}));
    platform::RecordingPainter p;
    list.Draw(p, list.GetRect());
    const auto* text = p.findText(u"Key 3");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->rect, (Rect{27, 54, 166, 74}));
    EXPECT_EQ(p.opsOf(PaintOp::Kind::Fill).at(1).rect, (Rect{27, 54, 166, 74}));  // key 3, picked by the second press
}

TEST_F(KeyListTest, DoubleClickReportsOnlyOnARowHoldingAKey) {
    library.FindSet(1)->DeleteKey(19);
    for (int i = 0; i < 17; ++i) library.FindSet(1)->DeleteKey(0);  // two keys left
    list.ShowSet(1);
    list.OnLButtonDblClk(0, {40, 60});
    list.OnLButtonDblClk(0, {40, 54 + 100});
    EXPECT_EQ(take(), (std::vector<Message>{{2015, 0, 10}}));
}

TEST_F(KeyListTest, ScrollToEndPutsTheLastKeyInTheBottomRow) {
    list.ShowSet(1);
    list.ScrollToEnd();
    EXPECT_EQ(list.FirstRow, 7);
    list.ShowSet(0);
    list.FirstRow = 2;
    list.ScrollToEnd();  // empty set: unchanged
    EXPECT_EQ(list.FirstRow, 2);
}

TEST(MacroActionText, DelaysMovesAndKeys) {
    const KeyNameLookup names = [](uint8_t code) { return code == 0x41 ? Text{u"A"} : Text{u"?"}; };
    auto row = describeMacroAction({0x00, 0x00, 0x01, 0xF4}, names);
    EXPECT_EQ(row.text, u"500ms");
    EXPECT_EQ(row.icon, MacroActionRow::Icon::Delay);
    // Longer delays show what the mouse plays: it waits at most 4095 ms.
    EXPECT_EQ(describeMacroAction({0x03, 0x01, 0x00, 0x00}, names).text, u"4095ms");
    EXPECT_EQ(describeMacroAction({0x03, 0x00, 0x0F, 0xFF}, names).text, u"4095ms");
    EXPECT_EQ(describeMacroAction({0x07, 0x00, 0x0F, 0xFE}, names).text, u"4094ms");
    EXPECT_EQ(describeMacroAction({0xE6, 0x00, 0x00, 0xFB}, names).text, u"Move Up 5");
    EXPECT_EQ(describeMacroAction({0xE6, 0x00, 0x00, 0x7F}, names).text, u"Move Down 127");
    EXPECT_EQ(describeMacroAction({0xE5, 0x00, 0x00, 0x80}, names).text, u"Move Left 128");
    EXPECT_EQ(describeMacroAction({0xE7, 0x00, 0x00, 0x03}, names).text, u"Wheel Down 3");
    row = describeMacroAction({0x41, 0x80, 0x00, 0x00}, names);
    EXPECT_EQ(row.text, u"A");
    EXPECT_EQ(row.icon, MacroActionRow::Icon::Release);
    EXPECT_EQ(describeMacroAction({0x41, 0x00, 0x00, 0x00}, names).icon, MacroActionRow::Icon::Press);
}

struct ActionListTest : test::ControlFixture {
    MacroKey key{u"Combo"};
    CImageShowList list{&dlg, {190, 54, 333, 323}, [](uint8_t) { return Text{u"A"}; }};
    void SetUp() override {
        key.SetActionBytes(0, {0x41, 0x00, 0, 0});
        key.SetActionBytes(1, {0x03, 0x00, 0x00, 0x32});
        key.SetActionBytes(2, {0x41, 0x80, 0, 0});
        key.ActionCount = 3;
        list.SetIcons(Image::filled(12, 14, bgr(1)), Image::filled(12, 14, bgr(2)), Image::filled(12, 14, bgr(3)));
        list.ShownKey = &key;
    }
};

TEST_F(ActionListTest, RowsShowIconAndTextAndThePressSelects) {
    list.OnLButtonDown(0, {200, 54 + 25});
    EXPECT_EQ(list.SelectedRow, 1);
    list.OnLButtonDown(0, {200, 54 + 100});  // below the actions: unchanged
    EXPECT_EQ(list.SelectedRow, 1);
    platform::RecordingPainter p;
    list.Draw(p, list.GetRect());
    EXPECT_EQ(p.texts(), (std::vector<std::string>{"A", "50ms", "A"}));
    const auto icons = p.opsOf(PaintOp::Kind::Image);
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons[1].rect, (Rect{192, 77, 204, 91}));
    EXPECT_EQ(icons[1].image.pixel(0, 0), Image::filled(1, 1, bgr(3)).pixel(0, 0));  // the delay icon
    EXPECT_EQ(p.opsOf(PaintOp::Kind::Fill).at(1).rect, (Rect{207, 74, 331, 94}));
}

TEST_F(ActionListTest, DoubleClickAndReleaseReportInsideOnly) {
    list.OnLButtonDblClk(0, {200, 300});
    list.OnLButtonUp(0, {200, 300});
    list.OnLButtonDblClk(0, {10, 300});
    EXPECT_EQ(codes(), (std::vector<intptr_t>{10, 2}));
}

struct TabTest : test::ControlFixture {
    int32_t current = 0;
    CTabControl tab{&dlg, 2051, {50, 602, 212, 623}, u"Profile 3", current};
};

TEST_F(TabTest, ClickMakesItsProfileCurrentBeforeTheOwnerHears) {
    int32_t seen = -1;
    dlg.onMessage = [&](uint32_t, uintptr_t, intptr_t code) -> intptr_t {
        if (code == kCodeClicked) seen = current;
        return 0;
    };
    EXPECT_FALSE(tab.Selected());
    tab.OnLButtonDown(0, {60, 610});
    tab.OnLButtonUp(0, {60, 610});
    EXPECT_EQ(seen, 2);
    EXPECT_TRUE(tab.Selected());
    EXPECT_EQ(tab.LookNow(), CTabControl::kLookSelectedOver);
    tab.OnMouseMove(0, {0, 0});
    EXPECT_EQ(tab.LookNow(), CTabControl::kLookSelected);
}

TEST_F(TabTest, ReleaseOutsideChangesNothingAndRightClickAsksForTheMenu) {
    tab.OnLButtonDown(0, {60, 610});
    tab.OnLButtonUp(0, {60, 700});
    EXPECT_EQ(current, 0);
    tab.OnRButtonUp(0, {60, 610});
    tab.OnRButtonUp(0, {60, 700});
    EXPECT_EQ(take(), (std::vector<Message>{{2051, 0, 1}, {2051, 2051, 11}}));
}

TEST_F(TabTest, CaptionIsDrawnInsideTheMargins) {
    tab.SetTextMargins(6, 0);
    platform::RecordingPainter p;
    tab.Draw(p, tab.GetRect());
    const auto* t = p.findText(u"Profile 3");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rect, (Rect{56, 602, 212, 623}));
    EXPECT_EQ(t->color, bgr(0xB4B4B4));
}

}  // namespace
}  // namespace orvane::ui
