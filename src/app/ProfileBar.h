#pragma once
// The profile bar of the main window: the tabs of the shown profiles in their stored order, the
// current one selected; a click switches the current profile, a right click offers import,
// export, rename, remove and the programs that select the profile; the add button shows the first hidden profile as a new one.
#include <cstdint>
#include <filesystem>

#include "app/ButtonAssignmentPanel.h"
#include "app/ProgramFollowing.h"
#include "app/SectionHost.h"
#include "profile/AppData.h"
#include "ui/CDlgBase.h"
#include "ui/PopupResult.h"

namespace orvane {

class ProfileBar {
public:
    // The context menu's actions, run from timer 60 once the menu is gone.
    enum Action { kImport = 0, kExport = 1, kRename = 2, kRemove = 3, kPrograms = 4 };
    static constexpr int kProfileMenuSlot = 5;  // the window's popup slot of the context menu

    // buttons: a tab menu that goes takes the assignment menu with it unless that has a submenu
    // open. following: hears of a tab clicked, and lists the programs to choose from.
    ProfileBar(ui::CDlgBase& dlg, AppData& app, SectionHost& host, const ButtonAssignmentPanel& buttons,
               ProgramFollowing& following)
        : dlg_(dlg), app_(app), host_(host), buttons_(buttons), following_(following) {}

    void Create();
    // Tabs of the shown profiles top to bottom, the add button below them (every paint).
    void Place();
    // Tab texts and which tabs are shown.
    void Refresh();
    bool Handles(uint32_t msg) const;
    void OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // A choice in a tab's menu (kMsgProfileMenuResult, wParam the tab).
    void MenuChosen(uint32_t tab, const ui::PopupResult& result);
    void OnActionTimer();

    // The operations, also reached by tests.
    void SwitchTo(int profile);
    void Import(int profile);
    void Export(int profile);
    void Rename(int profile);
    void Remove(int profile);
    // The programs whose focus makes the profile current.
    void Programs(int profile);
    void Add();

private:
    void OpenContextMenu(uint32_t tab);
    void MenuClosed(uint32_t tab);
    // Saves everything and refreshes the pages after profile q changed.
    void SaveAndRefresh(int q);

    ui::CDlgBase& dlg_;
    AppData& app_;
    SectionHost& host_;
    const ButtonAssignmentPanel& buttons_;
    ProgramFollowing& following_;
    int action_ = -1;
    int actionProfile_ = -1;
};

}  // namespace orvane
