#pragma once
// Asks whether the mouse and the current profile are to be reset. OK or Enter confirm; Cancel
// and the close button refuse; Escape does nothing.
#include "dialogs/CPlainFramedDlg.h"

namespace orvane::dialogs {

class CFirmwareResetDlg : public CPlainFramedDlg {
public:
    static constexpr uint32_t kIdCancelButton = 2011;
    static constexpr uint32_t kIdQuestion = 3001;
    // "Reset the mouse and the current profile to the factory settings?"
    static constexpr int kTextQuestion = 140;

    CFirmwareResetDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language);

    bool OnKeyDown(uint32_t vk) override;

protected:
    void CreateControls(const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
};

}  // namespace orvane::dialogs
