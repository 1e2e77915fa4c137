#pragma once
// Builds a key-combination function from the keyboard. While the key field has the keyboard (as
// it has when the dialog opens, and again after a click anywhere), the key typed becomes the
// captured key (modifier keys alone are not keys), Enter, Escape, Space and the arrows included;
// only Tab and Shift+Tab leave the field for the boxes and buttons, which then take the keys as
// any dialog's controls do (Escape there cancels). Tab itself is captured with Ctrl or Alt held,
// and its box can be unticked afterwards. The modifiers are the ticked boxes, which a
// combination typed with held modifiers ticks for the user. OK sends the function to the parent
// (SendResult: message resultMsg, wParam the OK button's Id, the ui::PopupResult) and closes; Cancel
// and the close button close without one.
#include "dialogs/CFramedDlg.h"
#include "ui/CWndPopup.h"

namespace orvane::dialogs {

class CShortcutDlg : public CFramedDlg {
public:
    static constexpr uint32_t kIdCaption = 2013;
    static constexpr uint32_t kIdCancelButton = 2011;
    static constexpr uint32_t kIdKeyName = 2012;
    static constexpr uint32_t kIdShift = 2008;
    static constexpr uint32_t kIdCtrl = 2006;
    static constexpr uint32_t kIdAlt = 2007;
    static constexpr uint32_t kIdWin = 2009;

    CShortcutDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language, uint32_t resultMsg);

    // The captured key's virtual-key code, 0 for none.
    uint8_t CapturedKey() const { return key_; }
    // The field that shows the captured key and takes keys while it has the keyboard.
    ui::CControlBase* KeyField() const { return field_; }

protected:
    void CreateControls(const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    bool onKey(const platform::KeyEvent& e) override;
    bool OnKeyDown(uint32_t vk) override;

private:
    void Capture(const platform::KeyEvent& e);
    void Confirm();
    // The key field has the keyboard: it has the focus, or nothing has since a click.
    bool FieldHasKeys() const;

    uint32_t resultMsg_;
    uint8_t key_ = 0;
    ui::CControlBase* field_ = nullptr;
    ui::PopupResult result_;
};

// Keys that only modify others: the Windows keys, the generic and the sided Shift, Ctrl and Alt.
bool IsModifierKey(uint32_t vk);

}  // namespace orvane::dialogs
