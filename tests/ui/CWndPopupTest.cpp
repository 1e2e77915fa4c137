#include "ui/CWndPopup.h"

#include <gtest/gtest.h>

#include "TestDialog.h"

namespace orvane::ui {
namespace {

using platform::FakePlatform;
using platform::FakeWindow;
using platform::PointerKind;
using test::Message;
using test::TestDialog;

constexpr uint32_t kSelect = 1030;
constexpr uint32_t kHoverMsg = 1033;
constexpr uintptr_t kContext = 3003;

// Three items and a separator; items with a submenu tell the owner on hover instead.
class ProbePopup : public CWndPopup {
public:
    explicit ProbePopup(int type = kTypeCombo) : CWndPopup(type) {}
    void Init() override {
        AddItem(u"One", Image{}, 1, false);
        AddSeparator();
        AddItem(u"Two", Image{}, 2, false);
        AddItem(u"Sub", Image{}, 3, true);
    }
    void DrawItems(Painter& p, const Rect&) override { DrawImageItems(p); }

protected:
    void OnHotChanged(int index) override { SendToOwner(kHoverMsg, Context(), Items()[size_t(index)].id); }
    bool OnChoose(const PopupItem& item) override {
        if (item.submenu) return false;
        result_.text = item.text;
        result_.bytes = {0x10, uint8_t(item.id), 0};
        result_.byteCount = 3;
        return true;
    }
};

struct PopupFixture : ::testing::Test {
    FakePlatform platform;
    TestDialog dlg{platform};
    ProbePopup* popup = nullptr;
    FakeWindow* win = nullptr;
    void SetUp() override {
        ASSERT_TRUE(dlg.Create());
        popup = static_cast<ProbePopup*>(dlg.AdoptPopup(std::make_unique<ProbePopup>()));
        ASSERT_TRUE(popup->Create(&dlg, 500, 400, 10, 10, kSelect, kContext));
        win = platform.lastWindow();
        dlg.PopupSlot(0) = popup;
        dlg.messages.clear();
    }
};

TEST_F(PopupFixture, LaysItemsOutAndSizesTheWindow) {
    const auto& items = popup->Items();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].rect, (Rect{1, 1, 161, 23}));
    EXPECT_EQ(items[1].rect, (Rect{1, 25, 161, 26}));
    EXPECT_EQ(items[2].rect, (Rect{1, 27, 161, 49}));
    EXPECT_EQ(win->geometry(), Rect::fromSize(500, 400, 162, 72));
    EXPECT_TRUE(win->isVisible());
    EXPECT_TRUE(win->isActive());
    EXPECT_TRUE(win->topmost());
}

TEST_F(PopupFixture, HoverHighlightsAndTellsTheOwnerOnce) {
    win->moveTo(50, 10);
    win->moveTo(60, 12);
    EXPECT_EQ(popup->HotItem(), 0);
    win->moveTo(50, 25);  // separator: nothing hot
    EXPECT_EQ(popup->HotItem(), -1);
    win->moveTo(50, 60);
    EXPECT_EQ(dlg.messages, (std::vector<Message>{{kHoverMsg, kContext, 1}, {kHoverMsg, kContext, 3}}));
    const auto& p = win->paint();
    ASSERT_NE(p.findText(u"Sub"), nullptr);
    EXPECT_EQ(p.findText(u"Sub")->color, bgr(0xFFFFFF));
    EXPECT_EQ(p.findText(u"One")->color, bgr(0xB4B4B4));
}

TEST_F(PopupFixture, ReleaseOnTheHotItemSendsTheSelectionWithTheResult) {
    win->moveTo(50, 30);
    win->click(50, 30);
    ASSERT_EQ(dlg.messages.size(), 2u);
    const Message sel = dlg.messages[1];
    EXPECT_EQ(sel.msg, kSelect);
    EXPECT_EQ(sel.wParam, kContext);
    ASSERT_EQ(dlg.results.size(), 1u);
    EXPECT_EQ(dlg.results[0].text, u"Two");
    EXPECT_EQ(dlg.results[0].bytes[1], 2);
    EXPECT_TRUE(popup->IsWindow());  // the owner closes it
}

TEST_F(PopupFixture, PressOnAnItemAndReleaseOutsideSelectsNothingAndClearsTheHighlight) {
    win->moveTo(50, 10);
    win->press(50, 10);
    win->release(50, 200);
    EXPECT_EQ(popup->HotItem(), -1);
    for (auto& m : dlg.messages) EXPECT_NE(m.msg, kSelect);
}

TEST_F(PopupFixture, SubmenuItemNeverSelects) {
    win->moveTo(50, 60);
    win->click(50, 60);
    for (auto& m : dlg.messages) EXPECT_NE(m.msg, kSelect);
}

TEST_F(PopupFixture, LosingActivationTellsTheOwnerWithTheTypeMessage) {
    win->setActive(false);
    EXPECT_EQ(dlg.messages, (std::vector<Message>{{kMsgComboPopupDeactivated, kContext, 0}}));
    EXPECT_EQ(CWndPopup::DeactivationMessage(CWndPopup::kTypeMacroSetBase + 2), kMsgMacroSetPopupDeactivated);
    EXPECT_EQ(CWndPopup::DeactivationMessage(CWndPopup::kTypeActionInsert), kMsgActionInsertPopupDeactivated);
}

TEST_F(PopupFixture, ClosingThroughTheSlotPostsACloseThatTellsTheOwner) {
    dlg.ClosePopup(0);
    EXPECT_EQ(dlg.PopupSlot(0), nullptr);
    EXPECT_TRUE(popup->IsWindow());
    platform.clock().runPending();
    EXPECT_EQ(dlg.messages, (std::vector<Message>{{kMsgPopupClosing, 0, 0}}));
    EXPECT_EQ(platform.lastWindow(), dlg.fake());  // the popup's window is gone
}

TEST_F(PopupFixture, OwnerMayCloseThePopupFromInsideItsSelectionHandler) {
    dlg.onMessage = [&](uint32_t msg, uintptr_t, intptr_t) -> intptr_t {
        if (msg == kSelect) popup->Close();
        return 0;
    };
    win->moveTo(50, 10);
    win->click(50, 10);
    EXPECT_FALSE(popup->IsWindow());
    platform.clock().runPending();  // frees the window and the popup
    EXPECT_EQ(platform.lastWindow(), dlg.fake());
}

TEST(PopupScale, ItemsAndSeparatorsDoubleAtScaleTwo) {
    FakePlatform platform(platform::ScreenInfo{{3840, 2100}, 2.0f, 1.0f});
    TestDialog dlg(platform);
    ASSERT_TRUE(dlg.Create());
    auto* popup = dlg.AdoptPopup(std::make_unique<ProbePopup>());
    ASSERT_TRUE(popup->Create(&dlg, 0, 0, 10, 10, kSelect, 0));
    EXPECT_EQ(popup->Items()[0].rect, (Rect{2, 2, 322, 46}));
    EXPECT_EQ(popup->Items()[1].rect, (Rect{2, 50, 322, 52}));
    EXPECT_EQ(platform.lastWindow()->clientSize(), (Size{324, 144}));
}

// Item texts keep clear of the submenu arrow and of the icon column, shrinking a little when
// they are too long for the room left.
class LongTextPopup : public CWndPopup {
public:
    LongTextPopup() : CWndPopup(kTypeCombo) {}
    void Init() override {
        AddItem(u"Short", Image{}, 1, false);
        AddItem(u"Sub", Image{}, 2, true);
        AddItem(u"A long submenu text", Image{}, 3, true);     // 19 characters
        AddItem(u"A much longer one, to shrink", Image{}, 4, true);
        AddItem(u"Iconic", Image::filled(12, 12, Color{1, 2, 3, 255}), 5, false);
    }
    void DrawItems(Painter& p, const Rect&) override { DrawImageItems(p); }
};

TEST(PopupText, ClearOfTheArrowAndTheIconsAndSmallerWhenTooLong) {
    FakePlatform platform;
    TestDialog dlg{platform};
    ASSERT_TRUE(dlg.Create());
    auto* popup = dlg.AdoptPopup(std::make_unique<LongTextPopup>());
    ASSERT_TRUE(popup->Create(&dlg, 0, 0, 10, 10, kSelect, kContext));
    const auto& p = platform.lastWindow()->paint();
    const auto* shortText = p.findText(u"Short");
    const auto* sub = p.findText(u"Sub");
    const auto* longSub = p.findText(u"A long submenu text");
    const auto* longer = p.findText(u"A much longer one, to shrink");
    const auto* iconic = p.findText(u"Iconic");
    ASSERT_TRUE(shortText && sub && longSub && longer && iconic);
    // A short submenu text is centred like the others.
    EXPECT_EQ(sub->rect.left, shortText->rect.left);
    EXPECT_EQ(sub->rect.right, shortText->rect.right);
    // A long one is centred left of the arrow, in the menu's font.
    EXPECT_EQ(longSub->rect.right, 161 - 14);
    EXPECT_EQ(longSub->font, shortText->font);
    // Longer still: a smaller font, never below four fifths.
    EXPECT_LT(longer->font.height, shortText->font.height);
    EXPECT_GE(longer->font.height, shortText->font.height * 4 / 5);
    EXPECT_EQ(iconic->rect.left, 1 + 25);
}

}  // namespace
}  // namespace orvane::ui
