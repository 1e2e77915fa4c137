#include "dialogs/CFirmwareResetDlg.h"

#include "dialogs/CFramedDlg.h"
#include "dialogs/DialogLayout.h"
#include "ui/CImageButton.h"
#include "ui/CStaticText.h"
#include "ui/Pictures.h"

namespace orvane::dialogs {

CFirmwareResetDlg::CFirmwareResetDlg(platform::Platform& platform, ui::CDlgBase* parent,
                                     const LanguageTable& language)
    : CDlgBase(platform, parent), language_(language) {
    SetWindowSize(int32_t(float(kWidth) * Scale()), int32_t(float(kHeight) * Scale()));
}

void CFirmwareResetDlg::CreateControls(const Rect&) {
    SetAccessibleTitle(language_.LanguageText(kTextFactoryResetName));
    const float s = Scale();
    auto* close = Add<ui::CImageButton>(0, kIdClose, scaledRect(405, 4, 420, 19, s), Text{});
    close->SetAccessibleName(language_.LanguageText(CFramedDlg::kTextCloseName));
    close->LoadImages({ui::pictures::kExitNr, ui::pictures::kExitOv});
    Add<ui::CImageButton>(0, kIdOkButton, scaledRect(260, 110, 329, 130, s), language_.LanguageText(4))
        ->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});
    Add<ui::CImageButton>(0, kIdCancelButton, scaledRect(350, 110, 419, 130, s), language_.LanguageText(5))
        ->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});
    Add<ui::CStaticText>(0, kIdQuestion, scaledRect(0, 60, 429, 108, s), kDialogTextColour,
                         platform::kTextCenter | platform::kTextWordBreak)
        ->SetLabel(language_.LanguageText(140));
}

void CFirmwareResetDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    p.drawImage(Images().load(ui::pictures::kFrameCommon), client);
    DrawControls(p, client);
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
