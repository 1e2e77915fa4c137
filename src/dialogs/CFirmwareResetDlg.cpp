#include "dialogs/CFirmwareResetDlg.h"

#include "ui/CStaticText.h"

namespace orvane::dialogs {

CFirmwareResetDlg::CFirmwareResetDlg(platform::Platform& platform, ui::CDlgBase* parent,
                                     const LanguageTable& language)
    : CPlainFramedDlg(platform, parent, language) {}

void CFirmwareResetDlg::CreateControls(const Rect&) {
    SetAccessibleTitle(language_.LanguageText(kTextFactoryResetName));
    AddCloseButton();
    AddPushButton(kIdOkButton, {260, 110, 329, 130}, kTextOk);
    AddPushButton(kIdCancelButton, {350, 110, 419, 130}, kTextCancel);
    Add<ui::CStaticText>(0, kIdQuestion, scaledRect(0, 60, 429, 108, Scale()), kDialogTextColour,
                         platform::kTextCenter | platform::kTextWordBreak)
        ->SetLabel(language_.LanguageText(kTextQuestion));
}

bool CFirmwareResetDlg::OnKeyDown(uint32_t vk) {
    if (vk == platform::kVkReturn) {
        EndDialog(ui::kIdOk);
        return true;
    }
    return vk == platform::kVkEscape;
}

intptr_t CFirmwareResetDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (lParam == ui::kCodeClicked) {
        if (msg == kIdOkButton) {
            EndDialog(ui::kIdOk);
            return 0;
        }
        if (msg == kIdCancelButton || msg == kIdClose) {
            EndDialog(ui::kIdCancel);
            return 0;
        }
    }
    return CDlgBase::OnMessage(msg, wParam, lParam);
}

}  // namespace orvane::dialogs
