#pragma once
// The button-assignment menu. Direct items yield a key value; items with a submenu ask the
// owner to open it as soon as the pointer rests on them; the fire-key and shortcut items ask
// the owner to open their dialogs. Resting on a plain item tells the owner (1033) so it can
// close any open submenu.
#include "profile/LanguageTable.h"
#include "ui/CWndPopup.h"

namespace orvane::ui {

// The menu sends its owner the kMsgOpen... messages and kMsgComboItemHovered of ui/Messages.h
// (wParam = the menu's context).

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
