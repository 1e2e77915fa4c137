#pragma once
// The application's message box: one message, OK ("yes") and the close button ("no"). Run
// modally it returns kIdOk or kIdCancel; shown modeless (the connection notices) its buttons
// simply close it.
#include "profile/LanguageTable.h"
#include "dialogs/DialogLayout.h"
#include "ui/CDlgBase.h"

namespace orvane::dialogs {

class CAttentionDlg : public ui::CDlgBase {
public:
    static constexpr int32_t kWidth = 319;
    static constexpr int32_t kHeight = 102;
    static constexpr uint32_t kIdMessage = 2013;

    CAttentionDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language, Text message);

    const Text& Message() const { return message_; }

protected:
    void CreateControls(const Rect& client) override;
    void DrawWindow(Painter& p, const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

private:
    void PlaceMessage(Painter& p);

    const LanguageTable& language_;
    Text message_;
};

}  // namespace orvane::dialogs
