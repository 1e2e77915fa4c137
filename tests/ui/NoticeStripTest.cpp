// The framed notice: nothing while it has no message, a framed box with the message wrapped and
// shrunk to fit inside it otherwise.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "platform/RecordingPainter.h"
#include "ui/CNoticeStrip.h"

namespace orvane::ui {
namespace {

using platform::PaintOp;

constexpr Rect kBox{330, 620, 800, 680};

struct NoticeStripTest : test::ControlFixture {};

TEST_F(NoticeStripTest, DrawsOnlyWhileItHasAMessageAndKeepsTheTextInsideItsFrame) {
    CNoticeStrip n(&dlg, 3420, kBox, 0x202020, 0x00B0FF, 0xEBEBEB);
    EXPECT_FALSE(n.MouseAware());
    platform::RecordingPainter empty;
    n.Draw(empty, kBox);
    EXPECT_TRUE(empty.ops().empty());

    n.SetMessage(u"Not on the mouse yet: button 3");
    platform::RecordingPainter p;
    n.Draw(p, kBox);
    ASSERT_EQ(p.ops().size(), 3u);
    EXPECT_EQ(p.ops()[0].kind, PaintOp::Kind::Fill);
    EXPECT_EQ(p.ops()[0].rect, kBox);
    EXPECT_EQ(p.ops()[1].kind, PaintOp::Kind::Outline);
    EXPECT_EQ(p.ops()[1].color, platform::bgr(0x00B0FF));
    const PaintOp& text = p.ops()[2];
    EXPECT_EQ(text.text, u"Not on the mouse yet: button 3");
    EXPECT_TRUE(kBox.contains({text.rect.left, text.rect.top}));
    EXPECT_LT(text.rect.right, kBox.right);
    EXPECT_LT(text.rect.bottom, kBox.bottom);
    EXPECT_TRUE(text.format & platform::kTextWordBreak);
    EXPECT_TRUE(text.format & platform::kTextShrinkToFit);

    n.SetMessage({});
    platform::RecordingPainter cleared;
    n.Draw(cleared, kBox);
    EXPECT_TRUE(cleared.ops().empty());
}

}  // namespace
}  // namespace orvane::ui
