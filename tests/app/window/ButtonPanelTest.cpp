// The button rows of the main window: the assignment menu chain, what a choice stores and
// sends, the left-click rule, the capture dialogs and the macro manager's return.
#include "MainWindowFixture.h"
#include "dialogs/CFireKeyDlg.h"
#include "dialogs/CShortcutDlg.h"
#include "profile/MacroLibraryFile.h"
#include "ui/CCheckButton.h"
#include "ui/CComboButton.h"

namespace orvane::test {
namespace {

using namespace mainwnd;
using platform::FakeWindow;
using Bytes = std::array<uint8_t, 3>;

// A press of A: one more event for the mouse.
void addAction(MacroKey& key) { ASSERT_TRUE(key.InsertAction(key.ActionCount, 0x00000041u)); }

constexpr uint8_t kButtonCommand = 0x04;
// Items of the assignment menu, by position.
constexpr int kItemRight = 1, kItemDpi = 5, kItemFireKey = 6, kItemMacro = 8, kItemShortcut = 9,
              kItemMultimedia = 10, kItemOffice = 11, kItemWindows = 12, kItemDisabled = 13;

class ButtonPanel : public MainWindowTest {
protected:
    void StartQuiet(const WindowSetup& setup = {}) {
        Start(setup);
        // The texts compared below come from the shipped language file.
        ASSERT_FALSE(entry(20).empty());
        Advance(SaveScheduler::kDelayMs + 500);
        sim_->log().clear();
    }
    ButtonAssignmentPanel& panel() { return dlg().Buttons(); }
    int32_t itemY(int i) const { return int32_t((1 + 22 * i + 11) * scale_); }
    static FakeWindow& win(ui::CWndPopup* p) { return *static_cast<FakeWindow*>(p->GetWindow()); }

    // Clicks row r (0-5) and returns its main menu.
    FakeWindow& openRow(int r) {
        click(kFirstCombo + uint32_t(r));
        Settle();
        EXPECT_NE(panel().MainMenu(), nullptr);
        return win(panel().MainMenu());
    }
    void hover(FakeWindow& menu, int item) { menu.moveTo(40, itemY(item)); }
    void choose(FakeWindow& menu, int item) {
        hover(menu, item);
        menu.click(40, itemY(item));
        Settle();
    }
    int openMenus() {
        int n = 0;
        for (auto s : {ButtonAssignmentPanel::kSlotDpi, ButtonAssignmentPanel::kSlotMultimedia,
                       ButtonAssignmentPanel::kSlotWindowsManage, ButtonAssignmentPanel::kSlotOffice})
            n += panel().Submenu(s) != nullptr;
        for (auto* list : dlg().MacroSetPopups()) n += list != nullptr;
        return n;
    }
    // The button frames to the wired mouse: button index and key value.
    std::vector<std::pair<int, Bytes>> buttonFrames() {
        std::vector<std::pair<int, Bytes>> out;
        for (const auto& f : sim_->log().sets(hid::DeviceRole::Wired))
            if (f.size() > 10 && f[2] == kButtonCommand) out.push_back({f[7], Bytes{f[8], f[9], f[10]}});
        return out;
    }
    // Records the message of every attention dialog shown from now on.
    void CollectNotices() {
        platform_->onModal = [this](FakeWindow& w) {
            if (auto* a = dynamic_cast<dialogs::CAttentionDlg*>(&w.host())) notices_.push_back(a->Message());
        };
    }
    Text entry(int i) { return app_->language.LanguageText(i); }
    std::vector<Text> notices_;
    float scale_ = 1.0f;
};

TEST_F(ButtonPanel, ARowClickOpensTheMainMenuBesideItsComboAndMarksTheCombo) {
    StartQuiet();
    const platform::Rect w = window().geometry();
    FakeWindow& menu = openRow(0);
    // Left at the combo's left + 161, top at its bottom - 20, in screen coordinates.
    EXPECT_EQ(menu.geometry().left, w.left + 82 + 161);
    EXPECT_EQ(menu.geometry().top, w.top + 102 - 20);
    EXPECT_EQ(menu.geometry().width(), 162);  // sized to its items
    EXPECT_TRUE(control<ui::CComboButton>(kFirstCombo)->MenuOpen());
    // Another row's click replaces the menu and moves the mark.
    FakeWindow& sixth = openRow(5);
    EXPECT_EQ(sixth.geometry().top, w.top + 248 - 20);
    EXPECT_FALSE(control<ui::CComboButton>(kFirstCombo)->MenuOpen());
    EXPECT_TRUE(control<ui::CComboButton>(kFirstCombo + 5)->MenuOpen());
}

TEST_F(ButtonPanel, NearTheBottomOfTheScreenTheMenuMovesUpAndItsSubmenusFollowIt) {
    StartQuiet();
    const int32_t screenHeight = platform_->screen().fullScreen.height;
    window().move({396, 700});
    FakeWindow& menu = openRow(0);
    EXPECT_EQ(menu.geometry().top, screenHeight - 294);
    hover(menu, kItemDpi);
    ASSERT_NE(panel().Submenu(ButtonAssignmentPanel::kSlotDpi), nullptr);
    const platform::Rect dpi = win(panel().Submenu(ButtonAssignmentPanel::kSlotDpi)).geometry();
    EXPECT_EQ(dpi.left, 396 + 244 + 161);
    EXPECT_EQ(dpi.top, screenHeight - 294 + 118);  // the Up offset

    // Higher up the Down offsets apply, below the combo.
    window().move({396, 100});
    FakeWindow& high = openRow(0);
    hover(high, kItemMultimedia);
    ASSERT_NE(panel().Submenu(ButtonAssignmentPanel::kSlotMultimedia), nullptr);
    EXPECT_EQ(win(panel().Submenu(ButtonAssignmentPanel::kSlotMultimedia)).geometry().top, 100 + 102 + 213);
}

// Each submenu has its own offset below the combo, and another below a main menu that moved up.
TEST_F(ButtonPanel, EachSubmenuOpensAtItsOwnPlaceInBothPlacements) {
    StartQuiet();
    app_->library.AddSet(u"Set").AddKey(u"Hello");
    const int32_t screenHeight = platform_->screen().fullScreen.height;
    struct Case {
        int item;
        int32_t down, up;
    };
    const Case cases[] = {{kItemDpi, 102, 118},     {kItemMacro, 161, 180},  {kItemMultimedia, 213, 89},
                          {kItemOffice, 235, 110},  {kItemWindows, 257, 176}};
    const auto opened = [&]() -> ui::CWndPopup* {
        for (auto s : {ButtonAssignmentPanel::kSlotDpi, ButtonAssignmentPanel::kSlotMultimedia,
                       ButtonAssignmentPanel::kSlotWindowsManage, ButtonAssignmentPanel::kSlotOffice})
            if (auto* sub = panel().Submenu(s)) return sub;
        return panel().MacroList(0);
    };
    for (int32_t windowTop : {100, 700}) {
        window().move({396, windowTop});
        for (const Case& c : cases) {
            hover(openRow(0), c.item);
            Settle();
            ui::CWndPopup* sub = opened();
            ASSERT_NE(sub, nullptr) << c.item;
            const int32_t top = windowTop == 100 ? windowTop + 102 + c.down : screenHeight - 294 + c.up;
            EXPECT_EQ(win(sub).geometry().top, top) << "item " << c.item << ", window at " << windowTop;
            EXPECT_EQ(win(sub).geometry().left, 396 + 244 + 161) << c.item;
        }
    }
    // The main menu moves up only once its 314 pixels would pass the screen's bottom.
    window().move({396, screenHeight - 82 - 314});
    EXPECT_EQ(openRow(0).geometry().top, screenHeight - 314);
    window().move({396, screenHeight - 82 - 314 + 1});
    EXPECT_EQ(openRow(0).geometry().top, screenHeight - 294);
}

TEST_F(ButtonPanel, AMacroListTooLongForTheScreenEndsAtItsBottom) {
    StartQuiet();
    MacroSet& set = app_->library.AddSet(u"Set");
    for (int i = 0; i < 40; ++i) set.AddKey(u"Macro " + fromUtf8(std::to_string(i)));
    window().move({396, 100});
    hover(openRow(0), kItemMacro);
    Settle();
    ASSERT_NE(panel().MacroList(0), nullptr);
    EXPECT_EQ(win(panel().MacroList(0)).geometry().top, platform_->screen().fullScreen.height - 40 * 22);
}

TEST_F(ButtonPanel, MultimediaVolumeUpIsStoredAndSentAsOneButtonFrame) {
    StartQuiet();
    FakeWindow& menu = openRow(2);
    hover(menu, kItemMultimedia);
    auto* sub = panel().Submenu(ButtonAssignmentPanel::kSlotMultimedia);
    ASSERT_NE(sub, nullptr);
    choose(win(sub), 6);  // volume up

    EXPECT_EQ(current().keys[2].KeyValue, (Bytes{0x80, 0xE9, 0x00}));
    EXPECT_EQ(current().keys[2].KeyName, entry(51));
    EXPECT_EQ(control<ui::CComboButton>(kFirstCombo + 2)->GetText(), entry(51));
    // The chain is gone and the combo unmarked.
    EXPECT_EQ(panel().MainMenu(), nullptr);
    EXPECT_EQ(openMenus(), 0);
    EXPECT_FALSE(control<ui::CComboButton>(kFirstCombo + 2)->MenuOpen());

    Advance(DeviceLink::kSyncDelayMs + 500);
    EXPECT_EQ(buttonFrames(), (std::vector<std::pair<int, Bytes>>{{2, Bytes{0x80, 0xE9, 0x00}}}));
    EXPECT_EQ(framesSent(kButtonCommand, hid::DeviceRole::Receiver), 1u);
    EXPECT_EQ(sim_->memory().buttons[2], (Bytes{0x80, 0xE9, 0x00}));
}

TEST_F(ButtonPanel, TakingTheOnlyLeftClickPutsItBackAndTellsTheUserAHundredMillisecondsLater) {
    StartQuiet();
    CollectNotices();
    FakeWindow& menu = openRow(0);  // button 1 holds the only left click
    hover(menu, kItemOffice);
    choose(win(panel().Submenu(ButtonAssignmentPanel::kSlotOffice)), 0);  // copy

    EXPECT_EQ(current().keys[0].KeyValue, (Bytes{0x10, 0x01, 0x00}));
    EXPECT_EQ(current().keys[0].KeyName, entry(20));
    EXPECT_EQ(control<ui::CComboButton>(kFirstCombo)->GetText(), entry(20));
    clock().advanceMs(99);
    EXPECT_TRUE(notices_.empty());
    clock().advanceMs(1);
    EXPECT_EQ(notices_, (std::vector<Text>{entry(151)}));
    Advance(1000);
    EXPECT_TRUE(buttonFrames().empty());
}

TEST_F(ButtonPanel, WithASecondLeftClickButtonTheChangeGoesThrough) {
    StartQuiet();
    CollectNotices();
    choose(openRow(3), 0);  // button 4 gets the left click too
    Advance(DeviceLink::kSyncDelayMs + 500);
    choose(openRow(0), kItemDisabled);
    Advance(DeviceLink::kSyncDelayMs + 500);
    EXPECT_EQ(current().keys[0].KeyValue, (Bytes{0x00, 0x00, 0x00}));
    EXPECT_EQ(buttonFrames(), (std::vector<std::pair<int, Bytes>>{{3, Bytes{0x10, 0x01, 0x00}},
                                                                   {0, Bytes{0x00, 0x00, 0x00}}}));
    EXPECT_TRUE(notices_.empty());
}

TEST_F(ButtonPanel, AShortcutTypedForTheOnlyLeftClickButtonLeavesItTheLeftClick) {
    StartQuiet();
    CollectNotices();
    bool dialogShown = false;
    platform_->onModal = [&](FakeWindow& w) {
        if (dynamic_cast<dialogs::CAttentionDlg*>(&w.host())) notices_.push_back(entry(151));
        auto* shortcut = dynamic_cast<dialogs::CShortcutDlg*>(&w.host());
        if (!shortcut) return;
        dialogShown = true;
        w.key(platform::KeyEvent{true, 'K', false, 37, platform::kKeyModCtrl, u"k"});
        const auto ok = shortcut->FindControl(dialogs::kIdOkButton)->GetRect();
        w.click((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
    };
    choose(openRow(0), kItemShortcut);
    EXPECT_EQ(panel().MainMenu(), nullptr);  // the menu goes before the dialog comes
    Settle();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(panel().CaptureTarget(), 0u);
    EXPECT_EQ(current().keys[0].KeyValue, (Bytes{0x10, 0x01, 0x00}));
    EXPECT_EQ(control<ui::CComboButton>(kFirstCombo)->GetText(), entry(20));
    Advance(200);
    EXPECT_EQ(notices_.size(), 1u);
    EXPECT_TRUE(buttonFrames().empty());
}

TEST_F(ButtonPanel, ATypedCtrlShiftKBecomesTheButtonsShortcut) {
    StartQuiet();
    platform_->onModal = [&](FakeWindow& w) {
        auto* shortcut = dynamic_cast<dialogs::CShortcutDlg*>(&w.host());
        if (!shortcut) return;
        // Ctrl and Shift held down first: modifier keys alone are not keys.
        w.key(platform::KeyEvent{true, 0xA2, false, 29, platform::kKeyModCtrl, {}});
        w.key(platform::KeyEvent{true, 0xA0, false, 42, platform::kKeyModCtrl | platform::kKeyModShift, {}});
        w.key(platform::KeyEvent{true, 'K', false, 37, platform::kKeyModCtrl | platform::kKeyModShift, u"K"});
        const auto ok = shortcut->FindControl(dialogs::kIdOkButton)->GetRect();
        w.click((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
    };
    choose(openRow(4), kItemShortcut);
    Settle();
    EXPECT_EQ(current().keys[4].KeyValue, (Bytes{0x70, 0x03, 0x0E}));
    EXPECT_EQ(current().keys[4].KeyName, u"Ctrl+Shift+K");
    Advance(DeviceLink::kSyncDelayMs + 500);
    EXPECT_EQ(buttonFrames(), (std::vector<std::pair<int, Bytes>>{{4, Bytes{0x70, 0x03, 0x0E}}}));
}

TEST_F(ButtonPanel, TheFireKeyDialogsResultGoesToTheRowItWasOpenedFor) {
    StartQuiet();
    platform_->onModal = [&](FakeWindow& w) {
        if (!dynamic_cast<dialogs::CFireKeyDlg*>(&w.host())) return;
        auto& d = static_cast<ui::CDlgBase&>(w.host());
        const auto ok = d.FindControl(dialogs::kIdOkButton)->GetRect();
        w.click((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);  // 50 and 0 as they start
    };
    choose(openRow(1), kItemFireKey);
    Settle();
    EXPECT_EQ(current().keys[1].KeyValue, (Bytes{0x30, 50, 0}));
    EXPECT_EQ(current().keys[1].KeyName, entry(26));
    // A result arriving with no dialog open has no row to go to.
    ui::PopupResult stray{u"Fire key", {0x30, 9, 9}, 3};
    dlg().SendResult(kMsgFireKeyResult, dialogs::kIdOkButton, stray);
    EXPECT_EQ(current().keys[1].KeyValue, (Bytes{0x30, 50, 0}));
}

TEST_F(ButtonPanel, TheChainNeverHoldsTwoSubmenus) {
    StartQuiet();
    MacroSet& set = app_->library.AddSet(u"Set");
    set.AddKey(u"Hello");
    set.AddKey(u"Bye");
    FakeWindow& menu = openRow(1);
    for (int item : {kItemDpi, kItemMultimedia, kItemMacro, kItemOffice, kItemMacro, kItemDpi}) {
        hover(menu, item);
        Settle();
        EXPECT_EQ(openMenus(), 1) << item;
    }
    ASSERT_NE(panel().Submenu(ButtonAssignmentPanel::kSlotDpi), nullptr);
    // Resting on a plain item closes whatever is open beside the menu.
    hover(menu, kItemRight);
    Settle();
    EXPECT_EQ(openMenus(), 0);
    EXPECT_NE(panel().MainMenu(), nullptr);
}

TEST_F(ButtonPanel, AMacroFromTheListIsCopiedIntoTheButton) {
    StartQuiet();
    MacroSet& set = app_->library.AddSet(u"Set");
    set.AddKey(u"Hello");
    MacroKey& bye = set.AddKey(u"Bye");
    addAction(bye);
    FakeWindow& menu = openRow(3);
    hover(menu, kItemMacro);
    ASSERT_NE(panel().MacroList(0), nullptr);
    choose(win(panel().MacroList(0)), 1);
    EXPECT_EQ(current().keys[3].KeyValue[0], 0x90);
    EXPECT_EQ(current().keys[3].KeyName, entry(190) + u"Bye");
    EXPECT_EQ(current().keys[3].KeyMacro.GetName(), u"Bye");
    EXPECT_EQ(panel().MacroList(0), nullptr);
    EXPECT_EQ(panel().MainMenu(), nullptr);
}

TEST_F(ButtonPanel, ClickingOutsideTheMenusClosesTheChainButMovingBetweenThemDoesNot) {
    StartQuiet();
    FakeWindow& menu = openRow(2);
    hover(menu, kItemDpi);
    auto* dpi = panel().Submenu(ButtonAssignmentPanel::kSlotDpi);
    ASSERT_NE(dpi, nullptr);
    // The submenu took the focus: the main menu's loss of it is not the end of the chain.
    menu.setActive(false);
    Settle();
    EXPECT_NE(panel().MainMenu(), nullptr);
    // Back over the main menu: the submenu losing the focus to it keeps the chain.
    win(dpi).setActive(true);
    win(dpi).setActive(false);
    Settle();
    EXPECT_NE(panel().Submenu(ButtonAssignmentPanel::kSlotDpi), nullptr);
    // The pointer leaves the menus and clicks elsewhere.
    menu.leave();
    win(dpi).setActive(true);
    win(dpi).setActive(false);
    Settle();
    EXPECT_EQ(panel().Submenu(ButtonAssignmentPanel::kSlotDpi), nullptr);
    EXPECT_EQ(panel().MainMenu(), nullptr);
    EXPECT_FALSE(control<ui::CComboButton>(kFirstCombo + 2)->MenuOpen());
    EXPECT_EQ(current().keys[2].KeyValue, (Bytes{0x10, 0x04, 0x00}));
}

TEST_F(ButtonPanel, HoveringARowShowsItsNumberOnTheMousePictureButRowSixHasNone) {
    StartQuiet();
    platform_->addImage("skins\\mouse\\number2.png", platform::Image::filled(30, 20, platform::Color{1, 2, 3, 255}));
    const auto over = [&](int r) {
        const auto c = centre(kFirstCombo + uint32_t(r));
        window().moveTo(c.x, c.y);
        window().moveTo(c.x + 1, c.y);
    };
    const auto numberDrawnAt = [&](platform::Rect where) {
        for (const auto& op : window().paint().opsOf(platform::PaintOp::Kind::Image))
            if (op.rect == where && op.interpolation == platform::Interpolation::Nearest) return true;
        return false;
    };
    over(1);
    EXPECT_EQ(dlg().Highlight(), 2);
    EXPECT_TRUE(numberDrawnAt(platform::Rect{607, 247, 637, 267}));
    window().moveTo(600, 650);
    EXPECT_EQ(dlg().Highlight(), 0);
    EXPECT_FALSE(numberDrawnAt(platform::Rect{607, 247, 637, 267}));
    over(5);
    EXPECT_EQ(dlg().Highlight(), 6);
}

TEST_F(ButtonPanel, ClosingTheMacroManagerWithAMacroOnAButtonSendsTheButtonsAtOnce) {
    StartQuiet();
    MacroSet& set = app_->library.AddSet(u"Set");
    addAction(set.AddKey(u"Hello"));
    FakeWindow& menu = openRow(3);
    hover(menu, kItemMacro);
    choose(win(panel().MacroList(0)), 0);
    Advance(DeviceLink::kSyncDelayMs + 500);
    sim_->log().clear();

    // The manager saves a library in which the macro grew: its saves hand it to the window.
    macroManager_ = [&] { addAction(*app_->library.FindSet(0)->FindKey(0)); };
    click(kMacroManager);
    // No sync timer: the pass started before the click returned.
    EXPECT_FALSE(link().syncArmed());
    EXPECT_TRUE(link().passRunning());
    Settle();
    EXPECT_GT(allFramesSent(), 0u);
    EXPECT_EQ(app_->library.FindSet(0)->FindKey(0)->ActionCount, 2u);
}

TEST_F(ButtonPanel, ALibraryFileDamagedWhileTheManagerWasOpenDoesNotEmptyTheWindowsLibrary) {
    StartQuiet();
    app_->library.AddSet(u"Set").AddKey(u"Hello");
    macroManager_ = [&] {
        std::ofstream(app_->Config("MacroLibraryFile.mlf"), std::ios::binary | std::ios::trunc) << "\x01garbage";
    };
    click(kMacroManager);
    ASSERT_NE(app_->library.FindSet(0), nullptr);
    EXPECT_NE(app_->library.FindSet(0)->FindKey(0), nullptr);
}

TEST_F(ButtonPanel, MenusAtDisplayScaleTwo) {
    scale_ = 2.0f;
    WindowSetup setup;
    setup.scale = 2.0f;
    StartQuiet(setup);
    const platform::Rect w = window().geometry();
    FakeWindow& menu = openRow(0);
    EXPECT_EQ(menu.geometry().left, w.left + 164 + 322);
    EXPECT_EQ(menu.geometry().top, w.top + 204 - 40);
    hover(menu, kItemMultimedia);
    auto* sub = panel().Submenu(ButtonAssignmentPanel::kSlotMultimedia);
    ASSERT_NE(sub, nullptr);
    choose(win(sub), 7);  // volume down
    EXPECT_EQ(current().keys[0].KeyValue, (Bytes{0x10, 0x01, 0x00}));  // the only left click
}

// Escape closes the menus as a click elsewhere does, with the pointer still over them.
TEST_F(ButtonPanel, TheRowsNumberGoesWhenItsMenuClosesAndComesBackWithThePointer) {
    StartQuiet();
    const auto c = centre(kFirstCombo + 1);
    window().moveTo(c.x, c.y);
    FakeWindow& menu = openRow(1);
    EXPECT_EQ(dlg().Highlight(), 2);
    // The pointer goes over to the menu (the row keeps its number while the menu is open) and
    // Escape closes the menu without the pointer touching the main window again.
    window().leave();
    menu.moveTo(40, itemY(0));
    EXPECT_EQ(dlg().Highlight(), 2);
    EXPECT_TRUE(menu.key(platform::kVkEscape));
    Settle();
    EXPECT_EQ(dlg().Highlight(), 0);
    // Back on the row, the number shows again.
    window().moveTo(c.x, c.y);
    EXPECT_EQ(dlg().Highlight(), 2);

    // A choice from the menu takes it away as well.
    FakeWindow& again = openRow(3);
    window().leave();
    choose(again, 1);
    EXPECT_EQ(panel().MainMenu(), nullptr);
    EXPECT_EQ(dlg().Highlight(), 0);
}

TEST_F(ButtonPanel, EscapeClosesTheMenuAndItsSubmenu) {
    StartQuiet();
    FakeWindow& menu = openRow(1);
    hover(menu, kItemDpi);
    ASSERT_NE(panel().Submenu(ButtonAssignmentPanel::kSlotDpi), nullptr);
    FakeWindow& dpi = win(panel().Submenu(ButtonAssignmentPanel::kSlotDpi));
    menu.leave();  // the pointer goes over to the submenu
    dpi.moveTo(40, itemY(0));
    EXPECT_TRUE(dpi.key(platform::kVkEscape));
    Settle();
    EXPECT_EQ(panel().Submenu(ButtonAssignmentPanel::kSlotDpi), nullptr);
    EXPECT_EQ(panel().MainMenu(), nullptr);

    FakeWindow& again = openRow(1);
    hover(again, 0);
    EXPECT_TRUE(again.key(platform::kVkEscape));
    Settle();
    EXPECT_EQ(panel().MainMenu(), nullptr);
    EXPECT_TRUE(buttonFrames().empty());  // nothing was chosen
}

}  // namespace
}  // namespace orvane::test
