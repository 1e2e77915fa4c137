// The main window without a pointer: what a screen reader is told about it and every job done
// with keys alone, down to the frames the mouse gets.
#include "MainWindowFixture.h"
#include "ui/CComboButton.h"
#include "ui/CRadioButton.h"
#include "ui/CSliderControl.h"

namespace orvane::test {
namespace {

using namespace mainwnd;
using platform::AccessibleRole;
using platform::FakeWindow;

constexpr uint8_t kPollingCommand = 0x07;
constexpr uint8_t kButtonCommand = 0x04;
constexpr uint8_t kLiftOffCommand = 0x09;
// The assignment menu's item leading to the multimedia menu, and volume up in that one.
constexpr int kMultimediaItem = 10;
constexpr int kVolumeUpItem = 6;

class KeyboardAndReaders : public MainWindowTest {
protected:
    void StartQuiet(const WindowSetup& setup = {}) {
        MainWindowTest::StartQuiet(setup);
        // The names compared below come from the shipped language file.
        ASSERT_FALSE(app_->language.LanguageText(kTextReaderButtonRow).empty());
    }
    platform::WindowHost& host() { return dlg(); }
    bool key(FakeWindow& w, uint32_t vk, uint32_t mods = 0) {
        platform::KeyEvent e;
        e.vk = vk;
        e.mods = mods;
        const bool used = w.key(e);
        Settle();
        return used;
    }
    // Tabs until the control with this Id has the focus; false if it never comes.
    bool tabTo(uint32_t id) {
        for (int i = 0; i < 100; ++i) {
            if (dlg().FocusedControl() && dlg().FocusedControl()->Id() == id) return true;
            key(window(), platform::kVkTab);
        }
        return false;
    }
    static FakeWindow& win(ui::CWndPopup* p) { return *static_cast<FakeWindow*>(p->GetWindow()); }
    // The Ids Tab (or Shift+Tab) visits from where the focus is until it comes round again.
    std::vector<uint32_t> tabOrder(bool back = false) {
        std::vector<uint32_t> ids;
        for (int i = 0; i < 200; ++i) {
            key(window(), platform::kVkTab, back ? platform::kKeyModShift : 0);
            const auto* f = dlg().FocusedControl();
            if (!f || (!ids.empty() && f->Id() == ids.front())) break;
            ids.push_back(f->Id());
        }
        return ids;
    }
};

TEST_F(KeyboardAndReaders, EveryControlAReaderIsToldOfHasARoleAndAName) {
    StartQuiet();
    const auto items = host().accessibleItems();
    ASSERT_GT(items.size(), 20u);
    for (const auto& n : items) {
        EXPECT_NE(n.role, AccessibleRole::None);
        EXPECT_FALSE(n.name.empty()) << "role " << int(n.role) << " at " << n.rect.left << "," << n.rect.top;
    }
    // Every control the keyboard reaches is one a reader is told of.
    const auto exposed = dlg().ExposedControls();
    for (auto* c : dlg().ReadingOrder())
        if (c->Focusable()) {
            EXPECT_NE(std::find(exposed.begin(), exposed.end(), c), exposed.end()) << c->Id();
        }
}

TEST_F(KeyboardAndReaders, ControlsWithoutTextAreNamedFromTheLanguageTable) {
    StartQuiet();
    auto nameOf = [&](uint32_t id) { return dlg().FindControl(id)->Describe().name; };
    EXPECT_EQ(nameOf(kFirstCombo + 3), u"Button 4");
    EXPECT_EQ(nameOf(kDpiColour + 1), u"DPI level 2 colour");
    EXPECT_EQ(nameOf(kExit), app_->language.LanguageText(kTextReaderClose));
    EXPECT_EQ(nameOf(kPollingSlider), app_->language.LanguageText(13));
}

TEST_F(KeyboardAndReaders, ThePollingSliderReadsItsRateAndTheArrowKeySendsIt) {
    StartQuiet();
    auto* slider = control<ui::CSliderControl>(kPollingSlider);
    slider->SetPosition(1);
    ASSERT_TRUE(tabTo(kPollingSlider));
    EXPECT_TRUE(key(window(), platform::kVkRight));
    EXPECT_EQ(slider->Position(), 2);
    EXPECT_EQ(slider->Describe().value, u"1000Hz");
    EXPECT_EQ(current().PollingRateValue, (std::array<uint8_t, 3>{3, 0, 0}));
    Advance(DeviceLink::kSyncDelayMs + 500);
    EXPECT_EQ(framesSent(kPollingCommand), 1u);
}

TEST_F(KeyboardAndReaders, AReaderSettingTheSliderValueSendsItToo) {
    StartQuiet();
    const auto exposed = dlg().ExposedControls();
    const auto it = std::find(exposed.begin(), exposed.end(), dlg().FindControl(kPollingSlider));
    ASSERT_NE(it, exposed.end());
    ASSERT_TRUE(host().accessibleSetValue(int(it - exposed.begin()), 0));
    EXPECT_EQ(current().PollingRateValue, (std::array<uint8_t, 3>{0, 0, 0}));
    Advance(DeviceLink::kSyncDelayMs + 500);
    EXPECT_EQ(framesSent(kPollingCommand), 1u);
}

TEST_F(KeyboardAndReaders, VolumeUpOnButtonFourWithKeysAlone) {
    StartQuiet();
    ASSERT_TRUE(tabTo(kFirstCombo + 3));
    ASSERT_TRUE(key(window(), platform::kVkReturn));
    auto* menu = dlg().Buttons().MainMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(static_cast<platform::WindowHost&>(*menu).accessibleWindow().role, AccessibleRole::Menu);
    for (int i = 0; i <= kMultimediaItem; ++i) key(win(menu), platform::kVkDown);
    // Passing the other submenu items opened none of them.
    EXPECT_EQ(dlg().Buttons().Submenu(ButtonAssignmentPanel::kSlotDpi), nullptr);
    ASSERT_TRUE(key(win(menu), platform::kVkRight));
    auto* sub = dlg().Buttons().Submenu(ButtonAssignmentPanel::kSlotMultimedia);
    ASSERT_NE(sub, nullptr);
    // The submenu opens on its first item.
    for (int i = 0; i < kVolumeUpItem; ++i) key(win(sub), platform::kVkDown);
    ASSERT_EQ(sub->Items()[size_t(sub->HotItem())].text, app_->language.LanguageText(51));
    ASSERT_TRUE(key(win(sub), platform::kVkReturn));

    EXPECT_EQ(current().keys[3].KeyValue, (std::array<uint8_t, 3>{0x80, 0xE9, 0x00}));
    EXPECT_EQ(dlg().Buttons().MainMenu(), nullptr);
    Advance(DeviceLink::kSyncDelayMs + 500);
    EXPECT_EQ(framesSent(kButtonCommand), 1u);
}

TEST_F(KeyboardAndReaders, EscapeClosesTheMenuAndTheMainWindowStays) {
    StartQuiet();
    ASSERT_TRUE(tabTo(kFirstCombo));
    key(window(), platform::kVkReturn);
    auto* menu = dlg().Buttons().MainMenu();
    ASSERT_NE(menu, nullptr);
    key(win(menu), platform::kVkEscape);
    EXPECT_EQ(dlg().Buttons().MainMenu(), nullptr);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(control<ui::CComboButton>(kFirstCombo)->MenuOpen());
}

TEST_F(KeyboardAndReaders, EscapeInASubmenuClosesOnlyThatMenu) {
    StartQuiet();
    ASSERT_TRUE(tabTo(kFirstCombo + 1));
    key(window(), platform::kVkReturn);
    auto* menu = dlg().Buttons().MainMenu();
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i <= kMultimediaItem; ++i) key(win(menu), platform::kVkDown);
    key(win(menu), platform::kVkRight);
    auto* sub = dlg().Buttons().Submenu(ButtonAssignmentPanel::kSlotMultimedia);
    ASSERT_NE(sub, nullptr);
    key(win(sub), platform::kVkEscape);
    EXPECT_EQ(dlg().Buttons().Submenu(ButtonAssignmentPanel::kSlotMultimedia), nullptr);
    ASSERT_EQ(dlg().Buttons().MainMenu(), menu);
    EXPECT_TRUE(win(menu).isActive());
    // A second Escape closes the assignment menu too.
    key(win(menu), platform::kVkEscape);
    EXPECT_EQ(dlg().Buttons().MainMenu(), nullptr);
}

TEST_F(KeyboardAndReaders, EveryMenuIsNamedForReaders) {
    StartQuiet();
    auto nameOf = [](ui::CWndPopup* m) { return static_cast<platform::WindowHost&>(*m).accessibleWindow().name; };
    ASSERT_TRUE(tabTo(kFirstCombo + 3));
    key(window(), platform::kVkReturn);
    auto* menu = dlg().Buttons().MainMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(nameOf(menu), u"Assignment of button 4");
    for (int i = 0; i <= kMultimediaItem; ++i) key(win(menu), platform::kVkDown);
    key(win(menu), platform::kVkRight);
    auto* sub = dlg().Buttons().Submenu(ButtonAssignmentPanel::kSlotMultimedia);
    ASSERT_NE(sub, nullptr);
    // A submenu is named by its item in the assignment menu.
    EXPECT_EQ(nameOf(sub), menu->Items()[size_t(menu->HotItem())].text);
    EXPECT_FALSE(nameOf(sub).empty());
    key(win(sub), platform::kVkEscape);
    key(win(menu), platform::kVkEscape);

    ASSERT_TRUE(tabTo(kFirstTab + 1));
    key(window(), 0x5D);  // the menu key
    auto* profileMenu = dlg().PopupSlot(ProfileBar::kProfileMenuSlot);
    ASSERT_NE(profileMenu, nullptr);
    EXPECT_EQ(nameOf(profileMenu), u"Menu of profile 2");
    EXPECT_EQ(static_cast<platform::WindowHost&>(*profileMenu).accessibleWindow().role, AccessibleRole::Menu);
}

TEST_F(KeyboardAndReaders, ASubmenuOpenedFromTheKeyboardStartsOnItsFirstItemAndLeftGoesBack) {
    StartQuiet();
    ASSERT_TRUE(tabTo(kFirstCombo));
    key(window(), platform::kVkReturn);
    auto* menu = dlg().Buttons().MainMenu();
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i <= kMultimediaItem; ++i) key(win(menu), platform::kVkDown);
    const int parentItem = menu->HotItem();
    ASSERT_TRUE(key(win(menu), platform::kVkRight));
    auto* sub = dlg().Buttons().Submenu(ButtonAssignmentPanel::kSlotMultimedia);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->HotItem(), 0);
    EXPECT_TRUE(key(win(sub), platform::kVkLeft));
    EXPECT_EQ(dlg().Buttons().Submenu(ButtonAssignmentPanel::kSlotMultimedia), nullptr);
    ASSERT_EQ(dlg().Buttons().MainMenu(), menu);
    EXPECT_TRUE(win(menu).isActive());
    EXPECT_EQ(menu->HotItem(), parentItem);
    // Left in the assignment menu itself leaves it open; Enter opens the submenu again.
    EXPECT_FALSE(key(win(menu), platform::kVkLeft));
    EXPECT_EQ(dlg().Buttons().MainMenu(), menu);
    EXPECT_TRUE(key(win(menu), platform::kVkReturn));
    EXPECT_NE(dlg().Buttons().Submenu(ButtonAssignmentPanel::kSlotMultimedia), nullptr);
}

// ---- Reading order and radio groups ----

TEST_F(KeyboardAndReaders, TheLiftOffDistancesAreOneTabStopAndAnArrowSendsTheOther) {
    StartQuiet();
    click(sectionInfo(Section::LiftOff).headerId);
    Settle();
    const auto order = tabOrder();
    const bool firstChosen = control<ui::CRadioButton>(kLiftOff1)->Selected();
    const uint32_t chosen = firstChosen ? kLiftOff1 : kLiftOff2;
    const uint32_t other = firstChosen ? kLiftOff2 : kLiftOff1;
    EXPECT_EQ(std::count(order.begin(), order.end(), chosen), 1);
    EXPECT_EQ(std::count(order.begin(), order.end(), other), 0);

    sim_->log().clear();
    ASSERT_TRUE(tabTo(chosen));
    ASSERT_TRUE(key(window(), firstChosen ? platform::kVkRight : platform::kVkLeft));
    EXPECT_EQ(dlg().FocusedControl()->Id(), other);
    EXPECT_TRUE(control<ui::CRadioButton>(other)->Selected());
    EXPECT_EQ(current().GetPairInt(ProfilePair::LiftDetectionHeight), firstChosen ? 2 : 1);
    Advance(DeviceLink::kSyncDelayMs + 500);
    EXPECT_EQ(framesSent(kLiftOffCommand), 1u);
}

TEST_F(KeyboardAndReaders, TabGoesThroughTheWindowAsItIsRead) {
    StartQuiet();
    auto header = [](Section s) { return sectionInfo(s).headerId; };
    // The title bar, the left column top to bottom, then the right column: each header followed
    // by what it holds while open (DPI and polling at the start), Reset at its foot.
    std::vector<uint32_t> expected = {kMinimise, kExit};
    for (uint32_t row = 0; row < 6; ++row) expected.push_back(kFirstCombo + row);
    expected.push_back(kMacroManager);
    for (uint32_t tab = 0; tab < 3; ++tab) expected.push_back(kFirstTab + tab);
    expected.push_back(kAddProfile);
    expected.push_back(header(Section::Dpi));
    for (uint32_t level = 0; level < 4; ++level)
        expected.insert(expected.end(), {kDpiGauge + level, kDpiCheck + level, kDpiColour + level});
    expected.insert(expected.end(), {header(Section::Polling), kPollingSlider, header(Section::LiftOff),
                                     header(Section::Sleep), header(Section::Debounce), header(Section::Pointer),
                                     kReset});
    EXPECT_EQ(tabOrder(), expected);
    // Shift+Tab goes the same way back, starting from the end.
    dlg().SetFocusedControl(nullptr);
    auto back = tabOrder(true);
    std::reverse(back.begin(), back.end());
    EXPECT_EQ(back, expected);
    // A section opened later is read under its header.
    click(header(Section::Sleep));
    dlg().SetFocusedControl(nullptr);
    const auto withSleep = tabOrder();
    const auto at = std::find(withSleep.begin(), withSleep.end(), header(Section::Sleep));
    ASSERT_LT(at + 1, withSleep.end());
    EXPECT_EQ(*(at + 1), kSleepSlider);
    EXPECT_EQ(withSleep.back(), kReset);
}

}  // namespace
}  // namespace orvane::test
