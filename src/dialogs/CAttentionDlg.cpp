#include "dialogs/CAttentionDlg.h"

#include "dialogs/CFramedDlg.h"

#include "dialogs/DialogLayout.h"
#include "ui/CImageButton.h"
#include "ui/CStaticText.h"
#include "ui/Pictures.h"

namespace orvane::dialogs {

CAttentionDlg::CAttentionDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                             Text message)
    : CDlgBase(platform, parent), language_(language), message_(std::move(message)) {
    SetWindowSize(int32_t(float(kWidth) * Scale()), int32_t(float(kHeight) * Scale()));
}

void CAttentionDlg::CreateControls(const Rect&) {
    const float s = Scale();
    SetAccessibleTitle(language_.LanguageText(kTextAttentionName));
    auto* close = Add<ui::CImageButton>(0, kIdClose, scaledRect(300, 4, 315, 19, s), Text{});
    close->SetAccessibleName(language_.LanguageText(CFramedDlg::kTextCloseName));
    close->LoadImages({ui::pictures::kExitNr, ui::pictures::kExitOv});
    auto* ok = Add<ui::CImageButton>(0, kIdOkButton, scaledRect(240, 70, 309, 90, s), language_.LanguageText(kTextOk));
    ok->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});
    auto* text = Add<ui::CStaticText>(0, kIdMessage, scaledRect(0, 40, 319, 60, s), kDialogTextColour,
                                      platform::kTextCenter | platform::kTextWordBreak | platform::kTextShrinkToFit);
    text->SetLabel(message_);
}

void CAttentionDlg::PlaceMessage(Painter& p) {
    auto* text = FindControlAs<ui::CStaticText>(kIdMessage);
    if (!text) return;
    // A message of one line sits on the band between the title bar and OK. A longer one takes
    // the whole space above the buttons, between margins that keep it clear of the close button
    // and centred on the dialog, and is drawn smaller if it still needs more lines than that
    // space holds.
    const float s = Scale();
    const Rect band = scaledRect(0, 40, 319, 60, s);
    const bool oneLine = p.textSize(text->Label(), text->Font()).width <= band.width() - int32_t(12 * s);
    text->SetRect(oneLine ? band : scaledRect(20, 6, 299, 66, s));
}

void CAttentionDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    p.drawImage(Images().load(ui::pictures::kFrameWarning), client);
    PlaceMessage(p);
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
