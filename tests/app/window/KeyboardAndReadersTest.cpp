// The main window without a pointer: what a screen reader is told about it and every job done
// with keys alone, down to the frames the mouse gets.
#include "MainWindowFixture.h"
#include "ui/CComboButton.h"
#include "ui/CSliderControl.h"

namespace orvane::test {
namespace {

using namespace mainwnd;
using platform::AccessibleRole;
using platform::FakeWindow;

constexpr uint8_t kPollingCommand = 0x07;
constexpr uint8_t kButtonCommand = 0x04;
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
    for (int i = 0; i <= kVolumeUpItem; ++i) key(win(sub), platform::kVkDown);
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

}  // namespace
}  // namespace orvane::test
