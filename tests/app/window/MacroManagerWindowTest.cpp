// The macro manager opened from the main window, against the virtual mouse: a macro recorded
// into a new key, put on button 2 from the window's macro list, reaches the mouse in its slot
// with the change counter after it.
#include "MainWindowFixture.h"
#include "app/ConfigSync.h"
#include "profile/ConfigLock.h"
#include "macro/CMacroKeyAddDlg.h"
#include "macro/CMacroManagerDlg.h"
#include "macro/MacroManagerIds.h"
#include "platform/FakeEditField.h"
#include "profile/MacroLibraryFile.h"
#include "ui/CEditControl.h"
#include "ui/CWndPopup.h"

namespace orvane::test {
namespace {

using namespace mainwnd;
using platform::FakeWindow;

class MacroManagerWindow : public MainWindowTest {
protected:
    static void clickIn(FakeWindow& w, ui::CDlgBase& d, uint32_t id) {
        const auto r = d.FindControl(id)->GetRect();
        w.click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // Frames of one command sent to the wired mouse.
    std::vector<std::vector<uint8_t>> framesOf(uint8_t command) {
        std::vector<std::vector<uint8_t>> out;
        for (const auto& f : sim_->log().sets(hid::DeviceRole::Wired))
            if (f.size() > 8 && f[2] == command) out.push_back(std::vector<uint8_t>(f.begin(), f.end()));
        return out;
    }
};

TEST_F(MacroManagerWindow, ARecordedMacroPutOnButtonTwoIsUploadedWithTheChangeCounter) {
    Start();
    Advance(SaveScheduler::kDelayMs + 500);
    MacroLibrary lib;
    lib.AddSet(u"Mine");
    ASSERT_TRUE(WriteLibraryFile(lib, app_->Config("MacroLibraryFile.mlf")).ok());

    // In the manager: a new macro "Hi", then A and B typed while recording.
    bool recorded = false;
    platform_->onModal = [&](FakeWindow& w) {
        if (auto* add = dynamic_cast<macro::CMacroKeyAddDlg*>(&w.host())) {
            static_cast<platform::FakeEditField*>(add->Field()->Field())->type(u"Hi");
            w.key(platform::KeyEvent{true, platform::kVkReturn, false, 0, 0, {}});
            return;
        }
        auto* mgr = dynamic_cast<macro::CMacroManagerDlg*>(&w.host());
        if (!mgr) return;
        clickIn(w, *mgr, macro::mgr::kNewKey);
        clickIn(w, *mgr, macro::mgr::kRecord);
        auto& keys = platform_->keyboard();
        keys.press('A', 1000);
        keys.release('A', 1100);
        keys.press('B', 1200);
        keys.release('B', 1300);
        clock().runPending();
        clickIn(w, *mgr, macro::mgr::kRecord);
        recorded = mgr->SelectedKey() && mgr->SelectedKey()->ActionCount == 7;
        clickIn(w, *mgr, macro::mgr::kClose);
    };
    click(kMacroManager);
    platform_->onModal = nullptr;
    Settle();
    EXPECT_TRUE(recorded);
    ASSERT_EQ(app_->library.FindSet(0)->KeyCount(), 1u);  // the window read the manager's file back
    sim_->log().clear();

    // Button 2 (row 1): the macro list of the first set, its first macro.
    click(kFirstCombo + 1);
    Settle();
    auto& panel = dlg().Buttons();
    auto& menu = *static_cast<FakeWindow*>(panel.MainMenu()->GetWindow());
    menu.moveTo(40, 1 + 22 * 8 + 11);  // "Macro", which opens the list
    Settle();
    ASSERT_NE(panel.MacroList(0), nullptr);
    auto& list = *static_cast<FakeWindow*>(panel.MacroList(0)->GetWindow());
    list.moveTo(40, 12);
    list.click(40, 12);
    Advance(DeviceLink::kSyncDelayMs + 2000);

    const auto buttons = framesOf(0x04);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0][7], 1);  // button 2
    EXPECT_EQ((std::vector<uint8_t>(buttons[0].begin() + 8, buttons[0].begin() + 11)),
              (std::vector<uint8_t>{0x90, 0x21, 0x01}));  // loop type 2, slot 1; once
    // Press A, 100 ms, release A, 100 ms, press B, 100 ms, release B: four events in one chunk.
    const auto chunks = framesOf(0x0E);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0][5], 0x01);
    EXPECT_EQ(chunks[0][6], 13);
    EXPECT_EQ(chunks[0][7], 1);
    EXPECT_EQ((std::vector<uint8_t>(chunks[0].begin() + 8, chunks[0].begin() + 20)),
              (std::vector<uint8_t>{0x30, 0x64, 0x04, 0xB0, 0x64, 0x04, 0x30, 0x64, 0x05, 0xB0, 0x00, 0x05}));
    EXPECT_EQ(framesOf(0x01).size(), 1u);  // the change counter, after the macro
}

TEST_F(MacroManagerWindow, WhatAnotherProgramSavesWhileTheManagerIsOpenIsKept) {
    Start();
    MacroLibrary lib;
    lib.AddSet(u"Mine").AddKey(u"One");
    ASSERT_TRUE(WriteLibraryFile(lib, app_->Config("MacroLibraryFile.mlf")).ok());
    Advance(ConfigSync::kCheckMs + 100);  // the window takes the file in
    ASSERT_EQ(app_->library.FindSet(0)->KeyCount(), 1u);

    bool sawTheirs = false;
    platform_->onModal = [&](FakeWindow& w) {
        if (auto* add = dynamic_cast<macro::CMacroKeyAddDlg*>(&w.host())) {
            static_cast<platform::FakeEditField*>(add->Field()->Field())->type(u"Ours");
            w.key(platform::KeyEvent{true, platform::kVkReturn, false, 0, 0, {}});
            return;
        }
        auto* mgr = dynamic_cast<macro::CMacroManagerDlg*>(&w.host());
        if (!mgr) return;
        {
            // orvanectl adds a macro while the manager is open, holding the folder's lock.
            auto lock = ConfigLock::Acquire(app_->configDir, 0);
            ASSERT_TRUE(lock.ok());
            MacroLibrary theirs = lib;
            theirs.FindSet(0)->AddKey(u"Theirs");
            ASSERT_TRUE(WriteLibraryFile(theirs, app_->Config("MacroLibraryFile.mlf")).ok());
            // The manager saves its new macro while the folder is busy: kept, not lost.
            clickIn(w, *mgr, macro::mgr::kNewKey);
            EXPECT_TRUE(dlg().Files().WritesKept());
        }
        clock().advanceMs(ConfigSync::kRetryMs + 10);  // the folder is free again
        Settle();
        clickIn(w, *mgr, macro::mgr::kClose);
        sawTheirs = mgr->Library().FindSet(0)->ContainsKey(u"Theirs");
    };
    click(kMacroManager);
    platform_->onModal = nullptr;
    Settle();
    EXPECT_TRUE(sawTheirs);  // the manager took the other program's macro in
    MacroLibrary saved;
    ASSERT_TRUE(ReadLibraryFile(saved, app_->Config("MacroLibraryFile.mlf")).ok());
    const MacroSet& set = *saved.FindSet(0);
    EXPECT_TRUE(set.ContainsKey(u"One") && set.ContainsKey(u"Ours") && set.ContainsKey(u"Theirs"));
    EXPECT_EQ(set.KeyCount(), 3u);
}

}  // namespace
}  // namespace orvane::test
