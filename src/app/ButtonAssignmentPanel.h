#pragma once
// The button rows of the main window: six combos, one per programmable button, each opening
// the assignment menu and its submenus (AssignmentMenuChain); a choice, from a menu or from the
// fire-key or shortcut dialog, goes into the current profile and the change pipeline. Some
// button must always keep the left click. The row under the pointer is shown on the mouse
// picture. The panel also opens the macro manager.
#include <array>
#include <cstdint>
#include <functional>

#include "app/AssignmentMenuChain.h"
#include "app/SectionHost.h"
#include "platform/Geometry.h"
#include "platform/Painter.h"
#include "profile/AppData.h"
#include "ui/CDlgBase.h"
#include "ui/CWndPopup.h"

namespace orvane {

namespace ui {
class CComboButton;
}

class ButtonAssignmentPanel {
public:
    // The window's popup slots of the chain's menus.
    using Slot = AssignmentMenuChain::Slot;
    static constexpr Slot kSlotMain = AssignmentMenuChain::kSlotMain;
    static constexpr Slot kSlotDpi = AssignmentMenuChain::kSlotDpi;
    static constexpr Slot kSlotMultimedia = AssignmentMenuChain::kSlotMultimedia;
    static constexpr Slot kSlotWindowsManage = AssignmentMenuChain::kSlotWindowsManage;
    static constexpr Slot kSlotOffice = AssignmentMenuChain::kSlotOffice;

    ButtonAssignmentPanel(ui::CDlgBase& dlg, AppData& app, SectionHost& host)
        : dlg_(dlg),
          app_(app),
          host_(host),
          menus_(dlg, app, [this](uint32_t combo, bool on) { SetMark(combo, on); }) {}

    void Create();
    void Refresh(const Profile& profile);
    bool Handles(uint32_t msg) const;
    void OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // A choice from one of the chain's menus or capture dialogs (msg its result message).
    void OnResult(uint32_t msg, uintptr_t wParam, const ui::PopupResult& result);
    // Escape in a submenu or macro list of the chain closes just that one and gives the keyboard
    // back to the assignment menu; false for a menu that is not one of those.
    bool OnEscape(int popupType) { return menus_.OnEscape(popupType); }
    // Over the mouse picture, after the controls.
    void DrawHighlight(platform::Painter& p) const;

    // The rules of the panel, also reached by tests.
    // Stores a function for the button of combo (2013-2018); other Ids store nothing.
    void StoreAssignment(uint32_t combo, const Text& text, std::array<uint8_t, 3> value, const MacroKey* macro);
    // Puts the left click back on combo when it held the last one; else sends the change.
    void EnforceLeftClick(uint32_t combo);

    int Highlight() const { return highlight_; }
    ui::CWndPopup* MainMenu() const { return menus_.MainMenu(); }
    ui::CWndPopup* Submenu(Slot slot) const { return menus_.Submenu(slot); }
    ui::CWndPopup* MacroList(size_t set) const { return menus_.MacroList(set); }
    uint32_t CaptureTarget() const { return captureTarget_; }
    // A submenu or macro list is open beside the main menu.
    bool SubmenuOrListOpen() const { return menus_.SubmenuOrListOpen(); }

private:
    ui::CComboButton* Combo(uint32_t id) const;
    void OpenCaptureDialog(uint32_t requestMsg, uint32_t combo);
    void RunCaptureDialog(uint32_t postedMsg);
    void RunMacroManager();
    void SetMark(uint32_t combo, bool on);
    void SetHighlight(int row);

    ui::CDlgBase& dlg_;
    AppData& app_;
    SectionHost& host_;
    AssignmentMenuChain menus_;
    int highlight_ = 0;
    uint32_t captureTarget_ = 0;
};

}  // namespace orvane
