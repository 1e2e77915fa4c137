// Radio groups and menus from the keyboard: a group is one Tab stop entered at its checked
// option, the arrows select within it; a submenu opens on its first item and Left leaves it.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "ui/CCheckButton.h"
#include "ui/CImageButton.h"
#include "ui/CRadioButton.h"
#include "ui/CWndPopup.h"
#include "ui/RadioGroupState.h"

namespace orvane::ui {
namespace {

using platform::AccessibleEvent;
using platform::FakeWindow;
using platform::KeyEvent;
using test::Message;

// Three options of one group between a push button and a check box, and a fourth option of
// another group at the end.
constexpr uint32_t kGroup = 0x7;
constexpr uint32_t kOtherGroup = 0x8;

struct RadioKeys : test::ControlFixture {
    CImageButton* before = nullptr;
    std::array<CRadioButton*, 3> radio{};
    CCheckButton* after = nullptr;
    CRadioButton* lone = nullptr;

    void SetUp() override {
        RadioGroupState::set(0);
        dlg.onCreate = [this](test::TestDialog& d) {
            before = d.Add<CImageButton>(0, 20, Rect{10, 10, 60, 30}, Text{u"Before"});
            for (int i = 0; i < 3; ++i)
                radio[size_t(i)] = d.Add<CRadioButton>(0, 21 + uint32_t(i), Rect{10 + 30 * i, 40, 25 + 30 * i, 55},
                                                       RadioOption{i, kGroup});
            after = d.Add<CCheckButton>(0, 24, Rect{10, 70, 30, 90}, Text{u"After"});
            lone = d.Add<CRadioButton>(0, 25, Rect{10, 100, 25, 115}, RadioOption{3, kOtherGroup});
        };
        ASSERT_TRUE(dlg.Create());
        take();
    }
    void TearDown() override { RadioGroupState::set(0); }
    FakeWindow& win() { return *dlg.fake(); }
    bool tab(bool back = false) {
        KeyEvent e;
        e.vk = platform::kVkTab;
        if (back) e.mods = platform::kKeyModShift;
        return win().key(e);
    }
    uint32_t focusedId() const { return dlg.FocusedControl() ? dlg.FocusedControl()->Id() : 0; }
    int selectedOption() const {
        for (int i = 0; i < 3; ++i)
            if (radio[size_t(i)]->Selected()) return i;
        return -1;
    }
    int itemOf(const CControlBase* c) const {
        const auto exposed = dlg.ExposedControls();
        return int(std::find(exposed.begin(), exposed.end(), c) - exposed.begin());
    }
};

TEST_F(RadioKeys, TabEntersAGroupAtItsCheckedOptionAndTheNextTabLeavesIt) {
    RadioGroupState::select({1, kGroup});
    std::vector<uint32_t> seen;
    for (int i = 0; i < 4; ++i) {
        tab();
        seen.push_back(focusedId());
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{20, 22, 24, 25}));
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        tab(true);
        seen.push_back(focusedId());
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{24, 22, 20}));
}

TEST_F(RadioKeys, AGroupWithNothingCheckedIsEnteredAtTheEndTabComesFrom) {
    tab();
    tab();
    EXPECT_EQ(focusedId(), 21u);
    tab();
    EXPECT_EQ(focusedId(), 24u);
    tab(true);
    EXPECT_EQ(focusedId(), 23u);
}

TEST_F(RadioKeys, ArrowsSelectTheNextOptionAsAClickDoesAndWrapRound) {
    RadioGroupState::select({0, kGroup});
    tab();
    tab();
    ASSERT_EQ(focusedId(), 21u);
    std::vector<int> selected;
    std::vector<uint32_t> focused;
    for (uint32_t vk : {platform::kVkDown, platform::kVkRight, platform::kVkDown, platform::kVkUp, platform::kVkLeft}) {
        EXPECT_TRUE(win().key(vk));
        selected.push_back(selectedOption());
        focused.push_back(focusedId());
    }
    EXPECT_EQ(selected, (std::vector<int>{1, 2, 0, 2, 1}));
    EXPECT_EQ(focused, (std::vector<uint32_t>{22, 23, 21, 23, 22}));
    // Each step tells the owner as a click on the new option would; the other group stays.
    const auto sent = take();
    ASSERT_EQ(sent.size(), 10u);
    EXPECT_EQ(sent[0], (Message{22, 0, kCodePressed}));
    EXPECT_EQ(sent[1], (Message{22, 0, kCodeClicked}));
    EXPECT_EQ(sent[9], (Message{22, 0, kCodeClicked}));
    EXPECT_FALSE(lone->Selected());
}

TEST_F(RadioKeys, AnArrowStepIsAnnouncedAsFocusAndTheChangeOfBothOptions) {
    RadioGroupState::select({0, kGroup});
    tab();
    tab();
    win().clearAnnouncements();
    ASSERT_TRUE(win().key(platform::kVkDown));
    const std::vector<FakeWindow::Announcement> expected = {{AccessibleEvent::Focus, itemOf(radio[1])},
                                                            {AccessibleEvent::StateChanged, itemOf(radio[1])},
                                                            {AccessibleEvent::StateChanged, itemOf(radio[0])}};
    EXPECT_EQ(win().announcements(), expected);
    EXPECT_TRUE(radio[1]->Describe().has(platform::kAccessibleChecked | platform::kAccessibleFocused));
}

TEST_F(RadioKeys, ArrowsPassOverAnOptionThatCannotBeChosen) {
    RadioGroupState::select({0, kGroup});
    radio[1]->SetDisabled(true);
    tab();
    tab();
    ASSERT_TRUE(win().key(platform::kVkDown));
    EXPECT_EQ(selectedOption(), 2);
    EXPECT_EQ(focusedId(), 23u);
}

TEST_F(RadioKeys, ALoneOptionLeavesTheArrowsToTheWindow) {
    tab(true);
    ASSERT_EQ(focusedId(), 25u);
    EXPECT_FALSE(lone->OnNavigationKey(platform::kVkDown));
    EXPECT_FALSE(lone->Selected());
}

// ---- Menus ----

constexpr uint32_t kSelect = 1030;
constexpr uint32_t kHoverMsg = 1033;
constexpr int32_t kSubId = 3;

class SubKeyMenu : public CWndPopup {
public:
    explicit SubKeyMenu(int type) : CWndPopup(type) {}
    void Init() override {
        AddItem(u"One", Image{}, 1, false);
        AddSeparator();
        AddItem(u"Two", Image{}, 2, false);
        AddItem(u"Sub", Image{}, kSubId, true);
    }
    void DrawItems(Painter& p, const Rect&) override { DrawImageItems(p); }

protected:
    void OnHotChanged(int index) override { SendToOwner(kHoverMsg, Context(), Items()[size_t(index)].id); }
    bool OnChoose(const PopupItem& item) override {
        result_.text = item.text;
        return true;
    }
};

// An owner that opens a submenu when the submenu item becomes hot and closes it when asked to
// step back, as the assignment menus' owner does.
struct SubmenuKeys : test::ControlFixture {
    CWndPopup* menu = nullptr;
    CWndPopup* sub = nullptr;
    FakeWindow* menuWin = nullptr;

    void SetUp() override {
        ASSERT_TRUE(dlg.Create());
        dlg.onMessage = [this](uint32_t msg, uintptr_t, intptr_t l) -> intptr_t {
            if (msg == kHoverMsg && l == kSubId && !sub) {
                sub = dlg.AdoptPopup(std::make_unique<SubKeyMenu>(CWndPopup::kTypeMultimedia));
                EXPECT_TRUE(sub->Create(&dlg, 700, 400, 10, 10, kSelect, 7));
            }
            if (msg == kMsgPopupEscape && l == CWndPopup::kTypeMultimedia && sub) {
                sub->PostClose();
                sub = nullptr;
                return 1;
            }
            return 0;
        };
        menu = dlg.AdoptPopup(std::make_unique<SubKeyMenu>(CWndPopup::kTypeCombo));
        ASSERT_TRUE(menu->Create(&dlg, 500, 400, 10, 10, kSelect, 7));
        menuWin = platform.lastWindow();
        take();
    }
    static Text hotText(const CWndPopup* m) {
        return m->HotItem() < 0 ? Text{} : m->Items()[size_t(m->HotItem())].text;
    }
    static FakeWindow& win(CWndPopup* m) { return *static_cast<FakeWindow*>(m->GetWindow()); }
};

TEST_F(SubmenuKeys, HomeAndEndGoToTheFirstAndLastItem) {
    EXPECT_TRUE(menuWin->key(platform::kVkEnd));
    EXPECT_EQ(hotText(menu), Text{u"Sub"});
    EXPECT_TRUE(menuWin->key(platform::kVkHome));
    EXPECT_EQ(hotText(menu), Text{u"One"});
    // Moving over the submenu item on the way opened nothing.
    EXPECT_EQ(sub, nullptr);
}

TEST_F(SubmenuKeys, RightAndEnterOpenTheSubmenuOnItsFirstItem) {
    for (uint32_t opener : {platform::kVkRight, platform::kVkReturn}) {
        menuWin->key(platform::kVkEnd);
        ASSERT_TRUE(menuWin->key(opener));
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(hotText(sub), Text{u"One"});
        // The first item was announced, so a reader says where the keyboard is.
        ASSERT_FALSE(win(sub).announcements().empty());
        EXPECT_EQ(win(sub).announcements().back(), (FakeWindow::Announcement{AccessibleEvent::Focus, 0}));
        // The next Down moves on from there.
        win(sub).key(platform::kVkDown);
        EXPECT_EQ(hotText(sub), Text{u"Two"});
        ASSERT_TRUE(win(sub).key(platform::kVkLeft));
        EXPECT_EQ(sub, nullptr);
    }
}

TEST_F(SubmenuKeys, LeftInASubmenuReturnsToItsItemInTheParent) {
    menuWin->key(platform::kVkEnd);
    menuWin->key(platform::kVkRight);
    ASSERT_NE(sub, nullptr);
    CWndPopup* opened = sub;
    take();
    EXPECT_TRUE(win(opened).key(platform::kVkLeft));
    // Only the step back was asked for: nothing chosen, the parent not left.
    EXPECT_EQ(take(), (std::vector<Message>{{kMsgPopupEscape, 7, CWndPopup::kTypeMultimedia}}));
    EXPECT_EQ(sub, nullptr);
    EXPECT_TRUE(menu->IsWindow());
    EXPECT_EQ(hotText(menu), Text{u"Sub"});
    // Right opens it again from there.
    EXPECT_TRUE(menuWin->key(platform::kVkRight));
    EXPECT_NE(sub, nullptr);
}

TEST_F(SubmenuKeys, LeftInTheFirstMenuLeavesItOpen) {
    menuWin->key(platform::kVkDown);
    take();
    EXPECT_FALSE(menuWin->key(platform::kVkLeft));
    EXPECT_EQ(take(), (std::vector<Message>{{kMsgPopupEscape, 7, CWndPopup::kTypeCombo}}));
    EXPECT_TRUE(menu->IsWindow());
    EXPECT_EQ(hotText(menu), Text{u"One"});
}

}  // namespace
}  // namespace orvane::ui
