#pragma once
// The button-assignment menu. Direct items yield a key value; items with a submenu ask the
// owner to open it as soon as the pointer rests on them; the fire-key and shortcut items ask
// the owner to open their dialogs. Resting on a plain item tells the owner (1033) so it can
// close any open submenu.
#include "profile/LanguageTable.h"
#include "ui/CWndPopup.h"

namespace orvane::ui {

// Messages the menu sends its owner (wParam = the menu's context).
inline constexpr uint32_t kMsgComboItemHovered = 1033;     // lParam = item id
inline constexpr uint32_t kMsgOpenShortcutDialog = 1035;
inline constexpr uint32_t kMsgOpenDpiMenu = 1040;          // lParam 6
inline constexpr uint32_t kMsgOpenMultimediaMenu = 1043;   // lParam 11
inline constexpr uint32_t kMsgOpenMacroSetMenu = 1048;     // lParam = macro set index + 1
inline constexpr uint32_t kMsgOpenWindowsManageMenu = 1157;  // lParam 13
inline constexpr uint32_t kMsgOpenOfficeMenu = 1160;       // lParam 12
inline constexpr uint32_t kMsgOpenFireKeyDialog = 1062;

class CComboPopup : public CWndPopup {
public:
    explicit CComboPopup(const LanguageTable& language);

    void Init() override;
    void DrawItems(Painter& p, const Rect&) override { DrawImageItems(p); }
    bool OnPress(Point pt) override;

protected:
    void OnHotChanged(int index) override;
    bool OnChoose(const PopupItem& item) override;

private:
    const LanguageTable& language_;
};

}  // namespace orvane::ui
