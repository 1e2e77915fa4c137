#pragma once
// Picks the key of one key action: the last key pressed or released while the dialog is up
// (in any program, where the desktop lets us hear it) is the one OK stores. Enter and Escape
// keep their meaning of OK and Cancel and are not taken as the key.
#include <memory>

#include "dialogs/PopupWindowTable.h"
#include "macro/CMacroFieldDlg.h"
#include "macro/MacroActions.h"
#include "platform/KeyboardHook.h"

namespace orvane::ui {
class CStaticText;
}

namespace orvane::macro {

class CActionKeyModifyDlg : public CMacroFieldDlg {
public:
    static constexpr uint32_t kIdTitle = 2013;
    static constexpr uint32_t kIdKeyName = 2012;
    static constexpr int kTextTitle = 221;

    // OK stores the chosen code in byte 0 of action; the other bytes are never touched.
    CActionKeyModifyDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                        ActionBytes& action);
    ~CActionKeyModifyDlg() override;

    bool OnInitDialog() override;
    bool OnKeyDown(uint32_t vk) override;
    bool OnKeyUp(uint32_t vk) override;
    void OnOK() override { Confirm(); }
    void OnCancel() override;

    uint8_t Chosen() const { return chosen_; }
    bool HookRunning() const { return hook_ && hook_->Running(); }

protected:
    // Any key typed is the key chosen.
    bool TypedKeyIsTheAnswer() const override { return true; }
    void CreateValue(const Rect& rect) override;
    void Confirm() override;

private:
    void Pick(uint32_t vk);
    void StopHook();

    ActionBytes& action_;
    uint8_t chosen_;
    ui::CStaticText* name_ = nullptr;
    std::unique_ptr<platform::KeyboardHook> hook_;
    std::unique_ptr<dialogs::PopupWindowEntry> entry_;  // closed with the application
};

}  // namespace orvane::macro
