#pragma once
// The menus a button row opens: the assignment menu beside the row plus at most one submenu
// beside it (DPI functions, multimedia, office, window management, or the macro list of a macro
// set). It opens them where they fit on the screen, keeps them in the window's popup slots and
// decides what closes with what: a menu that loses activation, Escape, a submenu the pointer left
// for the main menu. What a choice means is the button panel's business.
#include <cstdint>
#include <functional>

#include "platform/Geometry.h"
#include "profile/AppData.h"
#include "ui/CDlgBase.h"
#include "ui/CWndPopup.h"

namespace orvane {

class AssignmentMenuChain {
public:
    // The window's popup slots of the chain's menus.
    enum Slot { kSlotMain = 0, kSlotDpi, kSlotMultimedia, kSlotWindowsManage, kSlotOffice };
    // Shows or clears the mark of a row whose menu is open (combo: the row's Id).
    using MarkRow = std::function<void(uint32_t combo, bool on)>;

    AssignmentMenuChain(ui::CDlgBase& dlg, const AppData& app, MarkRow mark)
        : dlg_(dlg), app_(app), mark_(std::move(mark)) {}

    // The requests and deactivations of the submenus (kMsgOpenDpiMenu, kMsgDpiPopupDeactivated...).
    static bool IsSubmenuRequest(uint32_t msg);
    static bool IsSubmenuDeactivation(uint32_t msg);

    // ---- Opening ----
    // Closes any other row's chain and opens the assignment menu of this one.
    void OpenMainMenu(uint32_t combo);
    // The submenu requestMsg asks for, beside the main menu, in place of any other.
    void OpenSubmenu(uint32_t requestMsg, uint32_t combo);
    // The list of the macros of one set; none for an empty set.
    void OpenMacroList(uint32_t combo, int set);
    // The keyboard goes back to the main menu (its plain item became hot).
    void ActivateMainMenu();
    // What is open beside the main menu comes forward (a mouse-button item pressed in it).
    void ActivateSubmenus();

    // ---- Closing ----
    void CloseSubmenusAndLists();
    // The whole chain and the row's mark.
    void CloseChain(uint32_t combo);
    // Escape in a submenu or macro list closes just that one and gives the keyboard back to the
    // assignment menu; false for a menu that is not one of those.
    bool OnEscape(int popupType);
    // A menu lost activation (a click elsewhere): what it takes with it.
    void MainMenuClosed(uint32_t combo);
    void SubmenuClosed(uint32_t deactivationMsg, uint32_t combo);
    void MacroListClosed(uint32_t combo, intptr_t popupType);

    // ---- What is open ----
    ui::CWndPopup* MainMenu() const;
    ui::CWndPopup* Submenu(Slot slot) const;
    ui::CWndPopup* MacroList(size_t set) const;
    bool SubmenuOrListOpen() const { return AnySubmenuOpen() || AnyMacroListOpen(); }

private:
    ui::CControlBase* Row(uint32_t combo) const;
    // Where the main menu of a row goes (client coordinates), and whether it had to move up to
    // stay on screen.
    platform::Point MainMenuOrigin(const platform::Rect& combo, bool* movedUp) const;
    platform::Point SubmenuOrigin(const platform::Rect& combo, int down, int up) const;
    platform::Point ToScreen(platform::Point client) const;
    // The text of the assignment menu's hot item: the name of the submenu it opens.
    Text ParentItemText() const;
    bool AnySubmenuOpen() const;
    bool AnyMacroListOpen() const;

    ui::CDlgBase& dlg_;
    const AppData& app_;
    MarkRow mark_;
};

}  // namespace orvane
