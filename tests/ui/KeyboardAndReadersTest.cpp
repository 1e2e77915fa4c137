// The keyboard in a dialog (Tab order, activation, slider keys, the focus mark) and what the
// dialog and its menus tell assistive technology.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "ui/CBattery.h"
#include "ui/CCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CImageButton.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticImage.h"
#include "ui/CStaticText.h"
#include "ui/CTabControl.h"
#include "ui/CWndPopup.h"

namespace orvane::ui {
namespace {

using platform::AccessibleAction;
using platform::AccessibleEvent;
using platform::AccessibleRole;
using platform::FakeWindow;
using platform::KeyEvent;
using platform::PaintOp;
using test::Message;

constexpr uint32_t kComboGroup = 1028;

// A window laid out top to bottom: a decoration, a check box, a hidden button, a disabled
// button, a title that does nothing, a slider, a combo box and a push button.
struct KeyboardFixture : test::ControlFixture {
    explicit KeyboardFixture(float scale = 1.0f) : test::ControlFixture(scale) {}
    CStaticImage* picture = nullptr;
    CCheckButton* check = nullptr;
    CImageButton* hidden = nullptr;
    CImageButton* disabled = nullptr;
    CCheckButton* title = nullptr;
    CSliderControl* slider = nullptr;
    CComboButton* combo = nullptr;
    CImageButton* push = nullptr;

    void SetUp() override {
        dlg.onCreate = [this](test::TestDialog& d) {
            picture = d.Add<CStaticImage>(0, 10, Rect{0, 0, 50, 10});
            check = d.Add<CCheckButton>(0, 11, Rect{10, 20, 30, 30}, Text{u"Check"});
            hidden = d.Add<CImageButton>(0, 12, Rect{10, 40, 30, 50}, Text{u"Hidden"}, false);
            disabled = d.Add<CImageButton>(0, 13, Rect{10, 60, 30, 70}, Text{u"Off"}, true, true, true);
            title = d.Add<CCheckButton>(0, 14, Rect{10, 80, 30, 90}, Text{u"Title"});
            title->SetMouseAware(false);
            slider = d.Add<CSliderControl>(1, 15, Rect{100, 100, 400, 120}, 9, 6, 7);
            slider->SetAccessibleName(u"Speed");
            combo = d.Add<CComboButton>(1, 16, Rect{10, 130, 200, 150}, Text{u"Left click"}, kComboGroup);
            combo->SetAccessibleName(u"Button 1");
            push = d.Add<CImageButton>(1, 17, Rect{10, 160, 60, 180}, Text{u"Reset"});
        };
        ASSERT_TRUE(dlg.Create());
        take();
    }
    FakeWindow& win() { return *dlg.fake(); }
    bool tab(bool back = false) {
        KeyEvent e;
        e.vk = platform::kVkTab;
        if (back) e.mods = platform::kKeyModShift;
        return win().key(e);
    }
    platform::WindowHost& host() { return dlg; }
    uint32_t focusedId() const { return dlg.FocusedControl() ? dlg.FocusedControl()->Id() : 0; }
    int itemOf(const CControlBase* c) const {
        const auto exposed = dlg.ExposedControls();
        return int(std::find(exposed.begin(), exposed.end(), c) - exposed.begin());
    }
};

// ---- Focus order ----

TEST_F(KeyboardFixture, TabVisitsTheControlsThatActInOrderAndWrapsRound) {
    std::vector<uint32_t> seen;
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(tab());
        seen.push_back(focusedId());
    }
    // Hidden, disabled, decoration and the title that does nothing are skipped.
    EXPECT_EQ(seen, (std::vector<uint32_t>{11, 15, 16, 17, 11}));
}

TEST_F(KeyboardFixture, ShiftTabGoesBackAndStartsFromTheLast) {
    std::vector<uint32_t> seen;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(tab(true));
        seen.push_back(focusedId());
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{17, 16, 15}));
}

TEST_F(KeyboardFixture, AControlHiddenWhileFocusedLosesItsTurnButTabGoesOn) {
    tab();
    tab();
    ASSERT_EQ(focusedId(), 15u);
    slider->SetVisible(false);
    // Keys meant for the slider do nothing while it is not shown.
    EXPECT_FALSE(win().key(platform::kVkRight));
    tab();
    EXPECT_EQ(focusedId(), 16u);
}

TEST_F(KeyboardFixture, EachFocusMoveIsAnnouncedWithTheItemsIndex) {
    win().clearAnnouncements();
    tab();
    tab();
    const std::vector<FakeWindow::Announcement> expected = {{AccessibleEvent::Focus, itemOf(check)},
                                                            {AccessibleEvent::Focus, itemOf(slider)}};
    EXPECT_EQ(win().announcements(), expected);
}

TEST_F(KeyboardFixture, APointerPressTakesTheFocusMarkAway) {
    tab();
    ASSERT_NE(dlg.FocusedControl(), nullptr);
    win().click(300, 250);
    EXPECT_EQ(dlg.FocusedControl(), nullptr);
}

// ---- Activation ----

TEST_F(KeyboardFixture, SpaceTogglesTheFocusedCheckBoxAsAClickDoes) {
    tab();
    win().clearAnnouncements();
    EXPECT_TRUE(win().key(platform::kVkSpace));
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(take(), (std::vector<Message>{{11, 0, kCodePressed}, {11, 0, kCodeClicked}}));
    ASSERT_EQ(win().announcements().size(), 1u);
    EXPECT_EQ(win().announcements()[0].event, AccessibleEvent::StateChanged);
}

TEST_F(KeyboardFixture, EnterOnAFocusedButtonPressesItInsteadOfEndingTheDialog) {
    tab(true);
    ASSERT_EQ(focusedId(), 17u);
    EXPECT_TRUE(win().key(platform::kVkReturn));
    // The button's own click carries its Id; the dialog is still there.
    EXPECT_EQ(take(), (std::vector<Message>{{17, 0, kCodePressed}, {17, 17, kCodeClicked}}));
    EXPECT_TRUE(dlg.IsWindow());
}

TEST_F(KeyboardFixture, EnterWithNothingFocusedStillEndsTheDialog) {
    EXPECT_TRUE(win().key(platform::kVkReturn));
    EXPECT_FALSE(dlg.IsWindow());
}

TEST_F(KeyboardFixture, EnterOnTheComboBoxAsksItsOwnerForTheMenu) {
    tab(true);
    tab(true);
    ASSERT_EQ(focusedId(), 16u);
    EXPECT_TRUE(win().key(platform::kVkReturn));
    EXPECT_EQ(take(), (std::vector<Message>{{kComboGroup, 16, kCodeClicked}}));
}

TEST_F(KeyboardFixture, AComboBoxThatCannotBeAssignedOpensNothing) {
    combo->SetDisableLook(true);
    EXPECT_FALSE(combo->Activate());
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(combo->Describe().has(platform::kAccessibleDisabled));
}

// ---- Sliders ----

TEST_F(KeyboardFixture, ArrowsMoveTheSliderOneStepAndPagesAQuarter) {
    tab();
    tab();
    ASSERT_EQ(focusedId(), 15u);
    slider->SetPosition(4);
    std::vector<int32_t> positions;
    for (uint32_t vk : {platform::kVkRight, platform::kVkUp, platform::kVkLeft, platform::kVkDown,
                        platform::kVkPageUp, platform::kVkPageDown, platform::kVkEnd, platform::kVkHome}) {
        EXPECT_TRUE(win().key(vk));
        positions.push_back(slider->Position());
    }
    EXPECT_EQ(positions, (std::vector<int32_t>{5, 6, 5, 4, 6, 4, 8, 0}));
    // Every move is reported as a release on the new step, which owners apply.
    const auto sent = take();
    ASSERT_EQ(sent.size(), 8u);
    for (const auto& m : sent) EXPECT_EQ(m, (Message{15, 0, kCodeClicked}));
}

TEST_F(KeyboardFixture, TheSliderStopsAtItsEnds) {
    slider->SetPosition(8);
    EXPECT_TRUE(slider->StepBy(1));
    EXPECT_EQ(slider->Position(), 8);
    EXPECT_TRUE(slider->StepBy(-20));
    EXPECT_EQ(slider->Position(), 0);
}

TEST_F(KeyboardFixture, AValueChangeIsAnnouncedAndAnUnchangedOneIsNot) {
    tab();
    tab();
    slider->SetPosition(8);
    win().clearAnnouncements();
    EXPECT_TRUE(win().key(platform::kVkRight));  // already at the end
    EXPECT_TRUE(win().announcements().empty());
    EXPECT_TRUE(win().key(platform::kVkLeft));
    const std::vector<FakeWindow::Announcement> expected = {{AccessibleEvent::ValueChanged, itemOf(slider)}};
    EXPECT_EQ(win().announcements(), expected);
}

TEST_F(KeyboardFixture, ADisabledSliderTakesNeitherKeysNorValues) {
    slider->SetDisabled(true);
    EXPECT_FALSE(slider->SetAccessibleValue(3));
    EXPECT_FALSE(host().accessibleSetValue(itemOf(slider), 3));
    EXPECT_EQ(slider->Position(), 0);
}

// ---- What readers are told ----

TEST_F(KeyboardFixture, ReadersGetEveryShownControlButDecorationInReadingOrder) {
    const auto items = host().accessibleItems();
    std::vector<Text> names;
    for (const auto& n : items) names.push_back(n.name);
    EXPECT_EQ(names, (std::vector<Text>{u"Check", u"Off", u"Title", u"Speed", u"Button 1", u"Reset"}));
}

TEST_F(KeyboardFixture, EachKindTellsItsRoleStateValueAndAction) {
    check->SetChecked(true);
    slider->SetPosition(3);
    slider->SetValueText(u"4 ms");
    const auto c = check->Describe();
    EXPECT_EQ(c.role, AccessibleRole::CheckBox);
    EXPECT_TRUE(c.has(platform::kAccessibleChecked) && c.has(platform::kAccessibleCheckable));
    EXPECT_EQ(c.defaultAction, AccessibleAction::Press);

    EXPECT_EQ(disabled->Describe().role, AccessibleRole::PushButton);
    EXPECT_TRUE(disabled->Describe().has(platform::kAccessibleDisabled));
    EXPECT_FALSE(disabled->Describe().has(platform::kAccessibleFocusable));
    EXPECT_EQ(title->Describe().role, AccessibleRole::Label);

    const auto s = slider->Describe();
    EXPECT_EQ(s.role, AccessibleRole::Slider);
    EXPECT_TRUE(s.hasRange);
    EXPECT_EQ(s.minimum, 0);
    EXPECT_EQ(s.maximum, 8);
    EXPECT_EQ(s.current, 3);
    EXPECT_EQ(s.value, Text{u"4 ms"});

    const auto b = combo->Describe();
    EXPECT_EQ(b.role, AccessibleRole::ComboBox);
    EXPECT_EQ(b.name, Text{u"Button 1"});
    EXPECT_EQ(b.value, Text{u"Left click"});
    EXPECT_TRUE(b.has(platform::kAccessibleHasPopup));

    EXPECT_EQ(picture->Describe().role, AccessibleRole::None);
    picture->SetAccessibleName(u"Mouse");
    EXPECT_EQ(picture->Describe().role, AccessibleRole::Graphic);
}

TEST_F(KeyboardFixture, TheFocusedItemSaysSo) {
    tab();
    const auto items = host().accessibleItems();
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].has(platform::kAccessibleFocused), int(i) == itemOf(check)) << i;
}

TEST_F(KeyboardFixture, ReadersActOnItemsByIndex) {
    EXPECT_TRUE(host().accessibleAct(itemOf(check), AccessibleAction::Press));
    EXPECT_TRUE(check->Checked());
    EXPECT_TRUE(host().accessibleAct(itemOf(slider), AccessibleAction::Increase));
    EXPECT_EQ(slider->Position(), 1);
    EXPECT_TRUE(host().accessibleSetValue(itemOf(slider), 6));
    EXPECT_EQ(slider->Position(), 6);
    EXPECT_FALSE(host().accessibleSetValue(itemOf(check), 6));
    EXPECT_FALSE(host().accessibleAct(99, AccessibleAction::Press));
    EXPECT_FALSE(host().accessibleAct(-1, AccessibleAction::Press));
    EXPECT_TRUE(host().accessibleFocus(itemOf(combo)));
    EXPECT_EQ(focusedId(), 16u);
    // A label cannot take the focus.
    EXPECT_FALSE(host().accessibleFocus(itemOf(title)));
}

TEST(ReaderDescriptions, BatteryAndTabsSayTheirLevelAndSelection) {
    platform::FakePlatform platform(test::screenAtScale(1.0f));
    test::TestDialog dlg{platform};
    int32_t current = 1;
    CBattery battery{&dlg, Rect{0, 0, 60, 30}};
    battery.Level = 40;
    EXPECT_EQ(battery.Describe().role, AccessibleRole::ProgressBar);
    EXPECT_EQ(battery.Describe().current, 40);
    EXPECT_EQ(battery.Describe().value, Text{u"40 %"});
    CTabControl first{&dlg, CTabControl::kFirstTab, Rect{0, 0, 60, 20}, Text{u"Profile 1"}, current};
    CTabControl second{&dlg, CTabControl::kFirstTab + 1, Rect{0, 20, 60, 40}, Text{u"Profile 2"}, current};
    EXPECT_FALSE(first.Describe().has(platform::kAccessibleSelected));
    EXPECT_TRUE(second.Describe().has(platform::kAccessibleSelected));
    EXPECT_TRUE(first.Activate());
    EXPECT_EQ(current, 0);
    // The menu key asks for the profile's menu, as a right click does.
    dlg.messages.clear();
    EXPECT_TRUE(first.OnNavigationKey(0x5D));
    EXPECT_EQ(dlg.messages, (std::vector<Message>{{CTabControl::kFirstTab, CTabControl::kFirstTab, kCodeRightReleased}}));
}

// ---- The focus mark ----

struct FocusMark : KeyboardFixture {
    std::vector<Rect> outlines() {
        std::vector<Rect> out;
        for (const auto& op : win().paint().opsOf(PaintOp::Kind::Outline))
            if (op.color == bgr(CButtonBase::kTextChecked)) out.push_back(op.rect);
        return out;
    }
};

TEST_F(FocusMark, IsDrawnRoundTheFocusedControlOnlyWhileItHasTheFocus) {
    EXPECT_TRUE(outlines().empty());
    tab();
    EXPECT_EQ(outlines(), (std::vector<Rect>{{9, 19, 31, 31}}));
    win().click(300, 250);
    EXPECT_TRUE(outlines().empty());
}

TEST(FocusMarkScale, IsTwoPixelsThickAtScaleTwo) {
    platform::FakePlatform platform(test::screenAtScale(2.0f));
    test::TestDialog dlg{platform};
    dlg.onCreate = [](test::TestDialog& d) { d.Add<CImageButton>(0, 1, Rect{20, 40, 60, 60}, Text{u"OK"}); };
    ASSERT_TRUE(dlg.Create());
    ASSERT_TRUE(dlg.MoveFocus(true));
    std::vector<Rect> out;
    for (const auto& op : dlg.fake()->paint().opsOf(PaintOp::Kind::Outline))
        if (op.color == bgr(CButtonBase::kTextChecked)) out.push_back(op.rect);
    EXPECT_EQ(out, (std::vector<Rect>{{18, 38, 62, 62}, {19, 39, 61, 61}}));
}

// ---- Menus ----

constexpr uint32_t kSelect = 1030;
constexpr uint32_t kHoverMsg = 1033;

class KeyMenu : public CWndPopup {
public:
    KeyMenu() : CWndPopup(kTypeCombo) {}
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
        result_.text = item.text;
        return true;
    }
};

struct MenuKeys : test::ControlFixture {
    KeyMenu* menu = nullptr;
    FakeWindow* win = nullptr;
    void SetUp() override {
        ASSERT_TRUE(dlg.Create());
        menu = static_cast<KeyMenu*>(dlg.AdoptPopup(std::make_unique<KeyMenu>()));
        ASSERT_TRUE(menu->Create(&dlg, 500, 400, 10, 10, kSelect, 7));
        win = platform.lastWindow();
        menu->SetAccessibleTitle(u"Assignment of button 1");
        take();
    }
    Text hotText() const { return menu->HotItem() < 0 ? Text{} : menu->Items()[size_t(menu->HotItem())].text; }
};

TEST_F(MenuKeys, DownAndUpSkipSeparatorsAndWrapRound) {
    std::vector<Text> seen;
    for (uint32_t vk : {platform::kVkDown, platform::kVkDown, platform::kVkDown, platform::kVkDown, platform::kVkUp}) {
        EXPECT_TRUE(win->key(vk));
        seen.push_back(hotText());
    }
    EXPECT_EQ(seen, (std::vector<Text>{u"One", u"Two", u"Sub", u"One", u"Sub"}));
}

TEST_F(MenuKeys, EnterChoosesTheHotItem) {
    win->key(platform::kVkDown);
    win->key(platform::kVkDown);
    take();
    EXPECT_TRUE(win->key(platform::kVkReturn));
    const auto sent = take();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].msg, kSelect);
    EXPECT_EQ(menu->Result().text, Text{u"Two"});
}

TEST_F(MenuKeys, ASubmenuOpensOnlyWhenAskedSoTheKeyboardStaysInThisMenu) {
    win->key(platform::kVkUp);
    ASSERT_EQ(hotText(), Text{u"Sub"});
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(win->key(platform::kVkRight));
    EXPECT_EQ(take(), (std::vector<Message>{{kHoverMsg, 7, 3}}));
    // Right on an item without a submenu does nothing.
    win->key(platform::kVkDown);
    take();
    EXPECT_FALSE(win->key(platform::kVkRight));
}

TEST_F(MenuKeys, EnterWithNoHotItemChoosesNothing) {
    EXPECT_FALSE(win->key(platform::kVkReturn));
    EXPECT_TRUE(take().empty());
}

TEST_F(MenuKeys, EscapeFromTheKeyboardAsksTheOwnerToStepBackBeforeLeavingTheMenu) {
    EXPECT_TRUE(win->key(platform::kVkEscape));
    // The owner did not step back (it returned 0): the menu is left as on losing activation.
    EXPECT_EQ(take(), (std::vector<Message>{{kMsgPopupEscape, 7, CWndPopup::kTypeCombo},
                                            {kMsgComboPopupDeactivated, 7, CWndPopup::kTypeCombo}}));
    dlg.onMessage = [](uint32_t msg, uintptr_t, intptr_t) -> intptr_t { return msg == kMsgPopupEscape ? 1 : 0; };
    EXPECT_TRUE(win->key(platform::kVkEscape));
    EXPECT_EQ(take(), (std::vector<Message>{{kMsgPopupEscape, 7, CWndPopup::kTypeCombo}}));
}

TEST_F(MenuKeys, EscapeWithThePointerInTheMenuLeavesItAtOnce) {
    win->moveTo(5, 5);
    take();
    EXPECT_TRUE(win->key(platform::kVkEscape));
    EXPECT_EQ(take(), (std::vector<Message>{{kMsgComboPopupDeactivated, 7, CWndPopup::kTypeCombo}}));
}

TEST_F(MenuKeys, ReadersSeeAMenuOfItemsWithoutTheSeparator) {
    const platform::WindowHost& host = *menu;
    EXPECT_EQ(host.accessibleWindow().role, AccessibleRole::Menu);
    EXPECT_EQ(host.accessibleWindow().name, Text{u"Assignment of button 1"});
    win->key(platform::kVkDown);
    const auto items = host.accessibleItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].name, Text{u"Two"});
    EXPECT_EQ(items[0].role, AccessibleRole::MenuItem);
    EXPECT_TRUE(items[0].has(platform::kAccessibleFocused));
    EXPECT_TRUE(items[2].has(platform::kAccessibleHasPopup));
    // Choosing by index picks the item the reader sees, not the separator.
    take();
    platform::WindowHost& actor = *menu;
    EXPECT_TRUE(actor.accessibleAct(1, AccessibleAction::Press));
    EXPECT_EQ(menu->Result().text, Text{u"Two"});
}

}  // namespace
}  // namespace orvane::ui
