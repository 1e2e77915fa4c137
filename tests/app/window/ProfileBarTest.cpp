// The profile bar of the main window: switching, the context menu and its deferred actions,
// import and export through the file chooser, rename, remove and add.
#include "MainWindowFixture.h"
#include "profile/ConfigLock.h"
#include "dialogs/CAddProfileDlg.h"
#include "dialogs/CEditProfileDlg.h"
#include "dialogs/CProgramsDlg.h"
#include "platform/FakeEditField.h"
#include "profile/ProfileFile.h"
#include "profile/ProfilePrograms.h"
#include "ui/CEditControl.h"

namespace orvane::test {
namespace {

using namespace mainwnd;
using platform::FakeWindow;

constexpr int32_t itemY(int i) { return 1 + 22 * i + 11; }

class ProfileBarTest : public MainWindowTest {
protected:
    void StartQuiet() {
        Start();
        ASSERT_FALSE(entry(152).empty());
        Advance(SaveScheduler::kDelayMs + 500);
        sim_->log().clear();
        platform_->onModal = [this](FakeWindow& w) {
            if (auto* a = dynamic_cast<dialogs::CAttentionDlg*>(&w.host())) {
                notices_.push_back(a->Message());
                return;
            }
            if (user_) user_(w, static_cast<ui::CDlgBase&>(w.host()));
        };
    }
    Text entry(int i) { return app_->language.LanguageText(i); }
    Settings& settings() { return app_->settings; }
    std::vector<int> showList() {
        std::vector<int> l;
        for (int i = 0; i < 5; ++i) l.push_back(settings().GetProfileShowList(i));
        return l;
    }
    // Right-clicks the tab of profile p: its context menu, or none.
    ui::CWndPopup* openMenu(int p) {
        const auto c = centre(kFirstTab + uint32_t(p));
        window().moveTo(c.x, c.y);
        window().pointer(platform::PointerKind::RightUp, c.x, c.y);
        return dlg().PopupSlot(ProfileBar::kProfileMenuSlot);
    }
    // An import into the second profile from file is refused: nothing changes, and it says so.
    void ExpectImportIntoSecondRefused(const std::filesystem::path& file) {
        const Profile before = app_->profiles[1];
        const std::string slotBefore = fileText("default1.psf");
        platform_->files().answer(file);
        runAction(1, ProfileBar::kImport);
        EXPECT_EQ(app_->profiles[1], before);
        EXPECT_EQ(fileText("default1.psf"), slotBefore);
        EXPECT_EQ(notices_, (std::vector<Text>{entry(148)}));
    }
    // Right-clicks the tab of profile p and picks an action from its menu; the action runs
    // from its timer.
    void runAction(int p, ProfileBar::Action action) {
        auto* menu = openMenu(p);
        ASSERT_NE(menu, nullptr);
        auto& w = *static_cast<FakeWindow*>(menu->GetWindow());
        w.moveTo(40, itemY(action));
        w.click(40, itemY(action));
        Settle();
        EXPECT_EQ(dlg().PopupSlot(ProfileBar::kProfileMenuSlot), nullptr);  // gone before the action
        Advance(100);
    }
    static void clickOn(FakeWindow& w, ui::CDlgBase& d, uint32_t id) {
        const auto r = d.FindControl(id)->GetRect();
        w.click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void typeName(ui::CDlgBase& d, const Text& name) {
        auto* field = static_cast<dialogs::CProfileNameDlg&>(d).NameField();
        static_cast<platform::FakeEditField*>(field->Field())->type(name);
    }
    std::vector<int> tabsShownTopToBottom() {
        std::vector<std::pair<int32_t, int>> shown;
        for (int p = 0; p < 5; ++p) {
            auto* tab = dlg().FindControl(kFirstTab + uint32_t(p));
            if (tab->Visible()) shown.push_back({tab->GetRect().top, p});
        }
        window().paint();  // places the tabs
        std::sort(shown.begin(), shown.end());
        std::vector<int> out;
        for (auto& s : shown) out.push_back(s.second);
        return out;
    }

    std::vector<Text> notices_;
    std::function<void(FakeWindow&, ui::CDlgBase&)> user_;
};

// As orvanectl's profile select does: the mouse holds the whole new profile, its sleep time too.
TEST_F(ProfileBarTest, SwitchingSendsWhatDiffersOfTheNewProfileItsSleepTimeToo) {
    StartQuiet();
    Profile& second = app_->profiles[1];
    second.keys[2].KeyValue = {0x80, 0xCD, 0x00};
    second.PollingRateValue = {3, 0, 0};
    second.SetPowerDownTime(7);
    click(kFirstTab + 1);
    EXPECT_EQ(app_->currentProfile, 1);
    // A fixed function is shown by its name in the language in use, whatever name was stored.
    EXPECT_EQ(control<ui::CControlBase>(kFirstCombo + 2)->GetText(), app_->language.LanguageText(49));
    Advance(DeviceLink::kSyncDelayMs + 1000);
    EXPECT_EQ(framesSent(0x04), 1u);
    EXPECT_EQ(framesSent(0x07), 1u);
    EXPECT_EQ(framesSent(0x0B), 1u);
    EXPECT_EQ(sim_->memory().buttons[2], (std::array<uint8_t, 3>{0x80, 0xCD, 0x00}));
    EXPECT_EQ(sim_->memory().sleepTime, 7);
}

TEST_F(ProfileBarTest, AnImportIntoTheCurrentProfileGoesToTheMouse) {
    StartQuiet();
    Profile other = app_->profiles[0];
    other.keys[2].KeyValue = {0x80, 0xCD, 0x00};
    other.SetPowerDownTime(4);
    other.SetKeyDebounce(6);
    const auto file = dir_ / "other.psf";
    ASSERT_TRUE(WriteProfileFile(other, file).ok());
    platform_->files().answer(file);
    runAction(0, ProfileBar::kImport);
    ASSERT_EQ(app_->profiles[0].keys[2].KeyValue, other.keys[2].KeyValue);
    Advance(DeviceLink::kSyncDelayMs + 1500);
    EXPECT_EQ(sim_->memory().buttons[2], (std::array<uint8_t, 3>{0x80, 0xCD, 0x00}));
    EXPECT_EQ(sim_->memory().sleepTime, 4);
    EXPECT_EQ(sim_->memory().debounce, 6);
}

TEST_F(ProfileBarTest, RemovingAndAddingKeepTheShowListAPermutationInItsOrder) {
    StartQuiet();
    ASSERT_EQ(settings().GetProfileShowCount(), 3);
    runAction(1, ProfileBar::kRemove);
    EXPECT_EQ(settings().GetProfileShowCount(), 2);
    EXPECT_EQ(showList(), (std::vector<int>{0, 2, 3, 4, 1}));
    EXPECT_EQ(tabsShownTopToBottom(), (std::vector<int>{0, 2}));
    // Saved at once.
    EXPECT_NE(fileAscii("config.ini").find("ProfileShowList4=1"), std::string::npos);
    // With two tabs the add button stays where it is under three.
    window().paint();
    EXPECT_EQ(dlg().FindControl(kAddProfile)->GetRect().top, 630);

    user_ = [&](FakeWindow& w, ui::CDlgBase& d) {
        typeName(d, u"Racing");
        clickOn(w, d, dialogs::kIdOkButton);
    };
    app_->profiles[3].keys[0].KeyValue = {0, 0, 0};
    click(kAddProfile);
    EXPECT_EQ(settings().GetProfileShowCount(), 3);
    EXPECT_EQ(showList(), (std::vector<int>{0, 2, 3, 4, 1}));
    EXPECT_EQ(tabsShownTopToBottom(), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(app_->profiles[3].GetProfileName(), u"Racing");
    EXPECT_EQ(app_->profiles[3].keys[0].KeyValue, (std::array<uint8_t, 3>{0x10, 0x01, 0x00}));
    EXPECT_EQ(app_->currentProfile, 0);  // added, not made current
    EXPECT_NE(fileAscii("default3.psf").find("Racing"), std::string::npos);
    Advance(1000);
    EXPECT_EQ(allFramesSent(), 0u);  // nothing for the mouse
}

TEST_F(ProfileBarTest, TheCurrentProfileCannotBeRemovedAndASixthCannotBeAdded) {
    StartQuiet();
    runAction(0, ProfileBar::kRemove);
    EXPECT_EQ(notices_, (std::vector<Text>{entry(152)}));
    EXPECT_EQ(settings().GetProfileShowCount(), 3);
    settings().SetProfileShowCount(5);
    dlg().refreshPages();
    click(kAddProfile);
    EXPECT_EQ(notices_.back(), entry(145));
    EXPECT_EQ(settings().GetProfileShowCount(), 5);
    // Removing the last shown profile leaves the list as it is.
    runAction(4, ProfileBar::kRemove);
    EXPECT_EQ(settings().GetProfileShowCount(), 4);
    EXPECT_EQ(showList(), (std::vector<int>{0, 1, 2, 3, 4}));
    // With four shown, the fifth can still be added. The add button now lies where the removed
    // tab was, under the pointer: the hidden tab must not take the click.
    user_ = [&](FakeWindow& w, ui::CDlgBase& d) {
        typeName(d, u"Fifth");
        clickOn(w, d, dialogs::kIdOkButton);
    };
    click(kAddProfile);
    EXPECT_EQ(app_->currentProfile, 0);
    EXPECT_EQ(settings().GetProfileShowCount(), 5);
    EXPECT_EQ(app_->profiles[4].GetProfileName(), u"Fifth");
}

TEST_F(ProfileBarTest, ExportThenImportGivesAnIdenticalProfile) {
    StartQuiet();
    Profile& first = app_->profiles[0];
    first.keys[4].KeyValue = {0x70, 0x01, 0x06};
    first.keys[4].KeyName = u"Copy";
    first.SetProfileName(u"Mine");
    const auto file = dir_ / "mine.psf";
    platform_->files().answer(file);
    runAction(0, ProfileBar::kExport);
    ASSERT_TRUE(std::filesystem::exists(file));
    const auto& call = platform_->files().calls().back();
    EXPECT_TRUE(call.save);
    EXPECT_EQ(call.options.title, entry(143));
    EXPECT_EQ(call.options.defaultSuffix, u"psf");
    EXPECT_EQ(call.options.initialName, u".psf");
    ASSERT_EQ(call.options.filters.size(), 1u);
    EXPECT_EQ(call.options.filters[0].label, u"psf file(*.psf)");
    EXPECT_EQ(call.options.filters[0].pattern, u"*.psf");
    EXPECT_EQ(call.owner, dlg().GetWindow());

    platform_->files().answer(file);
    runAction(2, ProfileBar::kImport);
    EXPECT_FALSE(platform_->files().calls().back().save);
    EXPECT_EQ(platform_->files().calls().back().options.title, entry(142));
    EXPECT_EQ(app_->profiles[2], first);
    EXPECT_EQ(control<ui::CControlBase>(kFirstTab + 2)->GetText(), u"Mine");
    EXPECT_NE(fileAscii("default2.psf").find("Mine"), std::string::npos);
    EXPECT_TRUE(notices_.empty());
    Advance(1000);
    EXPECT_EQ(allFramesSent(), 0u);  // an import waits for the next pass
}

TEST_F(ProfileBarTest, ImportingADamagedFileChangesNothingAndSaysSo) {
    StartQuiet();
    const auto file = dir_ / "broken.psf";
    {
        std::ofstream out(file, std::ios::binary);
        out << "\xFF\xFE[\0S\0e\0t\0";
    }
    ExpectImportIntoSecondRefused(file);
}

TEST_F(ProfileBarTest, ImportingAProfileTheMouseWouldNotTakeChangesNothingAndSaysSo) {
    StartQuiet();
    // Written by hand or by another program: no button keeps the left click.
    Profile bad = app_->profiles[0];
    for (auto& k : bad.keys) k.KeyValue = {0, 0, 0};
    const auto file = dir_ / "noleft.psf";
    ASSERT_TRUE(WriteProfileFile(bad, file).ok());
    ExpectImportIntoSecondRefused(file);
}

TEST_F(ProfileBarTest, AnImportWaitsForAnotherWriterInTheFolder) {
    StartQuiet();
    Profile other = app_->profiles[0];
    other.SetProfileName(u"Imported");
    const auto file = dir_ / "other.psf";
    ASSERT_TRUE(WriteProfileFile(other, file).ok());
    {
        // A command-line change is in progress: the import is taken at once but written after it.
        auto busy = ConfigLock::Acquire(dir_ / "config", 0);
        ASSERT_TRUE(busy.ok());
        platform_->files().answer(file);
        runAction(2, ProfileBar::kImport);
        EXPECT_EQ(app_->profiles[2].GetProfileName(), u"Imported");
        EXPECT_EQ(fileAscii("default2.psf").find("Imported"), std::string::npos);
    }
    Advance(ConfigSync::kRetryMs + 50);
    EXPECT_NE(fileAscii("default2.psf").find("Imported"), std::string::npos);
    EXPECT_TRUE(notices_.empty());
}

TEST_F(ProfileBarTest, AnExportThatCouldNotBeWrittenSaysSo) {
    StartQuiet();
    platform_->files().answer(dir_ / "no such folder" / "mine.psf");
    runAction(0, ProfileBar::kExport);
    EXPECT_EQ(notices_, (std::vector<Text>{entry(149)}));
}

TEST_F(ProfileBarTest, ACancelledChooserOrDialogChangesNothing) {
    StartQuiet();
    const Profile before = app_->profiles[1];
    runAction(1, ProfileBar::kImport);  // the chooser has no answer: cancelled
    runAction(1, ProfileBar::kExport);
    user_ = [&](FakeWindow& w, ui::CDlgBase& d) {
        typeName(d, u"X");
        clickOn(w, d, dialogs::CProfileNameDlg::kIdCancelButton);
    };
    runAction(1, ProfileBar::kRename);
    click(kAddProfile);
    EXPECT_EQ(app_->profiles[1], before);
    EXPECT_EQ(settings().GetProfileShowCount(), 3);
    EXPECT_EQ(platform_->files().calls().size(), 2u);
    EXPECT_TRUE(notices_.empty());
}

TEST_F(ProfileBarTest, RenameNamesTheRightClickedProfile) {
    StartQuiet();
    user_ = [&](FakeWindow& w, ui::CDlgBase& d) {
        EXPECT_EQ(static_cast<dialogs::CProfileNameDlg&>(d).NameField()->GetText(),
                  app_->profiles[2].GetProfileName());
        typeName(d, u" bis");
        clickOn(w, d, dialogs::kIdOkButton);
    };
    const Text old = app_->profiles[2].GetProfileName();
    runAction(2, ProfileBar::kRename);
    EXPECT_EQ(app_->profiles[2].GetProfileName(), old + u" bis");
    EXPECT_EQ(control<ui::CControlBase>(kFirstTab + 2)->GetText(), old + u" bis");
    EXPECT_NE(fileAscii("default2.psf").find(" bis"), std::string::npos);
}

TEST_F(ProfileBarTest, TheContextMenuOpensBesideItsTabAndClosesWhenTheFocusLeavesIt) {
    StartQuiet();
    const auto r = dlg().FindControl(kFirstTab + 1)->GetRect();
    const auto c = centre(kFirstTab + 1);
    window().moveTo(c.x, c.y);
    window().pointer(platform::PointerKind::RightUp, c.x, c.y);
    auto* menu = dlg().PopupSlot(ProfileBar::kProfileMenuSlot);
    ASSERT_NE(menu, nullptr);
    auto& w = *static_cast<FakeWindow*>(menu->GetWindow());
    const auto g = window().geometry();
    EXPECT_EQ(w.geometry().left, g.left + r.left + 161);
    EXPECT_EQ(w.geometry().top, g.top + r.bottom - 20);
    ASSERT_EQ(menu->Items().size(), 5u);
    EXPECT_EQ(menu->Items()[0].text, entry(90));
    // Losing the focus while the pointer is over it is not leaving it.
    w.moveTo(40, itemY(1));
    w.setActive(true);
    w.setActive(false);
    Settle();
    ASSERT_EQ(dlg().PopupSlot(ProfileBar::kProfileMenuSlot), menu);
    w.leave();
    w.setActive(true);
    w.setActive(false);
    Settle();
    EXPECT_EQ(dlg().PopupSlot(ProfileBar::kProfileMenuSlot), nullptr);

    // Escape closes it, with the pointer over it too.
    menu = openMenu(1);
    ASSERT_NE(menu, nullptr);
    auto& again = *static_cast<FakeWindow*>(menu->GetWindow());
    again.moveTo(40, itemY(1));
    EXPECT_TRUE(again.key(platform::kVkEscape));
    Settle();
    EXPECT_EQ(dlg().PopupSlot(ProfileBar::kProfileMenuSlot), nullptr);
}

TEST_F(ProfileBarTest, NearTheBottomOfTheScreenTheContextMenuMovesUp) {
    StartQuiet();
    const int32_t screenHeight = platform_->screen().fullScreen.height;
    const int32_t tabBottom = dlg().FindControl(kFirstTab + 1)->GetRect().bottom;
    const auto menuTop = [&](int32_t windowTop) {
        window().move({396, windowTop});
        const auto c = centre(kFirstTab + 1);
        window().moveTo(c.x, c.y);
        window().pointer(platform::PointerKind::RightUp, c.x, c.y);
        auto* menu = dlg().PopupSlot(ProfileBar::kProfileMenuSlot);
        return menu ? static_cast<FakeWindow*>(menu->GetWindow())->geometry().top : -1;
    };
    // It stays below the tab while its 116 pixels fit, then ends 96 pixels above the bottom.
    const int32_t lowest = screenHeight - (tabBottom - 20) - 116;
    EXPECT_EQ(menuTop(lowest), lowest + tabBottom - 20);
    EXPECT_EQ(menuTop(lowest + 1), screenHeight - 96);
}

TEST_F(ProfileBarTest, ProgramsChosenFromTheTabMenuAreStoredWithTheProfileAndATwiceTypedOneOnce) {
    StartQuiet();
    bool shown = false;
    platform_->onModal = [&](FakeWindow& w) {
        auto* d = dynamic_cast<dialogs::CProgramsDlg*>(&w.host());
        if (!d) return;
        shown = true;
        static_cast<platform::FakeEditField*>(d->SlotField(0)->Field())->type(u"shooter");
        static_cast<platform::FakeEditField*>(d->SlotField(2)->Field())->type(u"SHOOTER");
        clickOn(w, *d, dialogs::kIdOkButton);
    };
    runAction(1, ProfileBar::kPrograms);
    EXPECT_TRUE(shown);
    EXPECT_EQ(ProfilePrograms(app_->profiles[1]), std::vector<Text>{u"shooter"});
    EXPECT_TRUE(ProfilePrograms(app_->profiles[0]).empty());
    EXPECT_NE(fileAscii("default1.psf").find("GameFile0=shooter"), std::string::npos);
}

TEST_F(ProfileBarTest, ExportWritesTheRightClickedProfile) {
    StartQuiet();
    app_->profiles[2].SetProfileName(u"Third");
    app_->profiles[2].keys[5].KeyValue = {0x80, 0xE9, 0x00};
    const auto file = dir_ / "third.psf";
    platform_->files().answer(file);
    runAction(2, ProfileBar::kExport);
    auto exported = ReadProfileFileInto(file, Profile{});
    ASSERT_TRUE(exported.ok());
    EXPECT_EQ(exported.value(), app_->profiles[2]);
}

}  // namespace
}  // namespace orvane::test
