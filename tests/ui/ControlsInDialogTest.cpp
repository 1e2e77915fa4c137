// The controls behind the dialog's own pointer routing: what a user's pointer really produces.
#include <gtest/gtest.h>

#include "TestDialog.h"
#include "ui/CCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CSliderControl.h"

namespace orvane::ui {
namespace {

using platform::FakePlatform;
using test::TestDialog;

struct RoutedFixture : ::testing::Test {
    FakePlatform platform;
    TestDialog dlg{platform};
    platform::FakeWindow& win() { return *dlg.fake(); }
    std::vector<intptr_t> codesOf(uint32_t msg) {
        std::vector<intptr_t> out;
        for (const auto& m : dlg.messages)
            if (m.msg == msg) out.push_back(m.lParam);
        return out;
    }
};

TEST_F(RoutedFixture, ComboHoverIsReportedAFewTimesThenOnceMoreOnLeaving) {
    dlg.onCreate = [](TestDialog& d) { d.Add<CComboButton>(0, 2013, Rect{82, 81, 244, 102}, Text{u"Left"}, 1028); };
    ASSERT_TRUE(dlg.Create());
    for (int x = 90; x < 200; x += 10) win().moveTo(x, 90);
    win().moveTo(300, 200);
    win().moveTo(310, 200);
    EXPECT_EQ(codesOf(1028), (std::vector<intptr_t>{4, 4, 4, 4, 4, 5}));
}

TEST_F(RoutedFixture, SliderDraggedOutsideKeepsItsStepWhenTheOwnerForwardsTheMoves) {
    CSliderControl* slider = nullptr;
    dlg.onCreate = [&](TestDialog& d) { slider = d.Add<CSliderControl>(4, 3550, Rect{100, 0, 400, 20}, 4, 6, 7); };
    ASSERT_TRUE(dlg.Create());
    win().moveTo(106, 10);
    win().press(106, 10);
    ASSERT_TRUE(slider->Dragging());
    win().moveTo(380, 60);  // outside: the dialog does not route it, the owner does
    slider->DragTo({380, 60});
    win().release(380, 60);
    EXPECT_EQ(slider->Position(), 3);
    EXPECT_EQ(codesOf(3550), (std::vector<intptr_t>{1, 3}));
}

TEST_F(RoutedFixture, CheckPressedThenReleasedElsewhereStaysUnchecked) {
    CCheckButton* check = nullptr;
    dlg.onCreate = [&](TestDialog& d) { check = d.Add<CCheckButton>(1, 3260, Rect{10, 10, 30, 30}, Text{}); };
    ASSERT_TRUE(dlg.Create());
    win().moveTo(20, 20);
    win().press(20, 20);
    win().moveTo(200, 200);
    win().release(200, 200);
    EXPECT_FALSE(check->Checked());
    win().moveTo(20, 20);
    win().click(20, 20);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(codesOf(3260), (std::vector<intptr_t>{1, 1, 2}));
}

}  // namespace
}  // namespace orvane::ui
