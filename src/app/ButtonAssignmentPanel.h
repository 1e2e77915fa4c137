#pragma once
// The button rows of the main window: six combos, one per programmable button, each opening
// the assignment menu. A menu chain is the main menu plus at most one submenu (DPI functions,
// multimedia, office, window management, or the macro list of the first macro set); a choice,
// from a menu or from the fire-key or shortcut dialog, goes into the current profile and the
// change pipeline. Some button must always keep the left click. The row under the pointer is
// shown on the mouse picture. The panel also opens the macro manager.
#include <array>
#include <cstdint>
#include <functional>

#include "platform/Geometry.h"
#include "platform/Painter.h"
#include "profile/Profile.h"
#include "ui/CWndPopup.h"

namespace orvane {

class CTevrinDlg;

namespace ui {
class CComboButton;
}

class ButtonAssignmentPanel {
public:
    // The window's popup slots of the chain's menus.
    enum Slot { kSlotMain = 0, kSlotDpi, kSlotMultimedia, kSlotWindowsManage, kSlotOffice };

    explicit ButtonAssignmentPanel(CTevrinDlg& window) : w_(window) {}

    void Create();
    void Refresh(const Profile& profile);
    bool Handles(uint32_t msg) const;
    void OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // A choice from one of the chain's menus or capture dialogs (msg its result message).
    void OnResult(uint32_t msg, uintptr_t wParam, const ui::PopupResult& result);
    // Escape in a submenu or macro list of the chain closes just that one and gives the keyboard
    // back to the assignment menu; false for a menu that is not one of those.
    bool OnEscape(int popupType);
    // Over the mouse picture, after the controls.
    void DrawHighlight(platform::Painter& p) const;

    // The rules of the panel, also reached by tests.
    // Stores a function for the button of combo (2013-2018); other Ids store nothing.
    void StoreAssignment(uint32_t combo, const Text& text, std::array<uint8_t, 3> value, const MacroKey* macro);
    // Puts the left click back on combo when it held the last one; else sends the change.
    void EnforceLeftClick(uint32_t combo);

    int Highlight() const { return highlight_; }
    ui::CWndPopup* MainMenu() const;
    ui::CWndPopup* Submenu(Slot slot) const;
    ui::CWndPopup* MacroList(size_t set) const;
    uint32_t CaptureTarget() const { return captureTarget_; }
    // A submenu or macro list is open beside the main menu.
    bool SubmenuOrListOpen() const { return AnySubmenuOpen() || AnyMacroListOpen(); }

private:
    ui::CComboButton* Combo(uint32_t id) const;
    void OpenMainMenu(uint32_t combo);
    // The text of the assignment menu's hot item: the name of the submenu it opens.
    Text ParentItemText() const;
    void OpenSubmenu(uint32_t requestMsg, uint32_t combo);
    void OpenMacroList(uint32_t combo, int set);
    void OpenCaptureDialog(uint32_t requestMsg, uint32_t combo);
    void RunCaptureDialog(uint32_t postedMsg);
    void MainMenuClosed(uint32_t combo);
    void SubmenuClosed(uint32_t msg, uint32_t combo);
    void MacroListClosed(uint32_t combo, intptr_t type);
    void RunMacroManager();

    // Where the main menu of a combo goes (client coordinates), and whether it had to move up
    // to stay on screen.
    platform::Point MainMenuOrigin(const platform::Rect& combo, bool* movedUp) const;
    platform::Point SubmenuOrigin(const platform::Rect& combo, int down, int up) const;
    platform::Point ToScreen(platform::Point client) const;
    void CloseSubmenusAndLists();
    void CloseChain(uint32_t combo);
    bool AnySubmenuOpen() const;
    bool AnyMacroListOpen() const;
    void RedrawCombo(uint32_t combo);
    void SetMark(uint32_t combo, bool on);
    void SetHighlight(int row);

    CTevrinDlg& w_;
    int highlight_ = 0;
    uint32_t captureTarget_ = 0;
};

}  // namespace orvane
