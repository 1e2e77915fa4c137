#include "dialogs/CAttentionDlg.h"

#include "dialogs/DialogLayout.h"
#include "ui/CImageButton.h"
#include "ui/CStaticText.h"

namespace orvane::dialogs {

CAttentionDlg::CAttentionDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                             Text message)
    : CDlgBase(platform, parent), language_(language), message_(std::move(message)) {
    SetWindowSize(int32_t(float(kWidth) * Scale()), int32_t(float(kHeight) * Scale()));
}

void CAttentionDlg::CreateControls(const Rect&) {
    const float s = Scale();
    auto* close = Add<ui::CImageButton>(0, kIdClose, scaledRect(300, 4, 315, 19, s), Text{});
    close->LoadImages({u"skins\\exit_nr.png", u"skins\\exit_ov.png"});
    auto* ok = Add<ui::CImageButton>(0, kIdOkButton, scaledRect(240, 70, 309, 90, s), language_.LanguageText(4));
    ok->LoadImages({u"skins\\button2_nr.png", u"skins\\button2_ov.png"});
    // The message is centred on the design's one-line band (y 40-60) but may use the whole space
    // between the title and the buttons, so a long notice wraps instead of being cut off.
    auto* text = Add<ui::CStaticText>(0, kIdMessage, scaledRect(6, 26, 313, 74, s), kDialogTextColour,
                                      platform::kTextCenter | platform::kTextWordBreak);
    text->SetLabel(message_);
}

void CAttentionDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    p.drawImage(Images().load(u"skins\\Frame_warning.bmp"), client);
    DrawControls(p, client);
}

intptr_t CAttentionDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (lParam == ui::kCodeClicked && msg == kIdOkButton) {
        EndDialog(ui::kIdOk);
        return 0;
    }
    if (lParam == ui::kCodeClicked && msg == kIdClose) {
        EndDialog(ui::kIdCancel);
        return 0;
    }
    return CDlgBase::OnMessage(msg, wParam, lParam);
}

}  // namespace orvane::dialogs
