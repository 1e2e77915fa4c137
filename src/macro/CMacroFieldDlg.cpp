#include "macro/CMacroFieldDlg.h"

#include "dialogs/CAttentionDlg.h"
#include "ui/CEditControl.h"
#include "ui/CImageButton.h"
#include "ui/CStaticText.h"
#include "ui/Pictures.h"

namespace orvane::macro {

using dialogs::scaledRect;

CMacroFieldDlg::CMacroFieldDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                               uint32_t titleId, int titleText, int32_t titleRight)
    : CDlgBase(platform, parent),
      language_(language),
      titleId_(titleId),
      titleText_(titleText),
      titleRight_(titleRight) {
    SetWindowSize(int32_t(float(kWidth) * Scale()), int32_t(float(kHeight) * Scale()));
}

void CMacroFieldDlg::CreateControls(const Rect&) {
    const float s = Scale();
    auto* title = Add<ui::CStaticText>(0, titleId_, scaledRect(10, 3, titleRight_, 21, s), dialogs::kDialogTextColour,
                                       platform::kTextLeft | platform::kTextSingleLine);
    title->SetLabel(language_.LanguageText(titleText_));
    auto* close = Add<ui::CImageButton>(0, kIdClose, scaledRect(300, 4, 315, 19, s), Text{});
    close->LoadImages({ui::pictures::kExitNr, ui::pictures::kExitOv});
    auto* ok = Add<ui::CImageButton>(0, kIdOk, scaledRect(170, 70, 235, 93, s), language_.LanguageText(kTextOk));
    ok->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});
    auto* cancel =
        Add<ui::CImageButton>(0, kIdCancel, scaledRect(240, 70, 305, 93, s), language_.LanguageText(kTextCancel));
    cancel->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});
    CreateValue(scaledRect(11, 40, 306, 62, s));
}

ui::CEditControl* CMacroFieldDlg::AddField(const Rect& rect, const Text& initial) {
    auto* field = Add<ui::CEditControl>(1, 2017, rect, initial);
    field->Focus();
    return field;
}

void CMacroFieldDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    p.drawImage(Images().load(ui::pictures::kFrameWarning), client);
    DrawControls(p, client);
}

void CMacroFieldDlg::ShowAttention(int entry) {
    dialogs::CAttentionDlg dlg(GetPlatform(), this, language_, language_.LanguageText(entry));
    (void)dlg.DoModal();
}

intptr_t CMacroFieldDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (lParam == ui::kCodeClicked) {
        switch (msg) {
            case kIdOk: Confirm(); return 0;
            case kIdCancel:
            case kIdClose: OnCancel(); return 0;
            default: break;
        }
    }
    return CDlgBase::OnMessage(msg, wParam, lParam);
}

}  // namespace orvane::macro
