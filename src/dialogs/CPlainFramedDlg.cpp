#include "dialogs/CPlainFramedDlg.h"

#include "ui/CImageButton.h"
#include "ui/Pictures.h"

namespace orvane::dialogs {

CPlainFramedDlg::CPlainFramedDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language)
    : CDlgBase(platform, parent), language_(language) {
    SetWindowSize(int32_t(float(kWidth) * Scale()), int32_t(float(kHeight) * Scale()));
}

void CPlainFramedDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    p.drawImage(Images().load(ui::pictures::kFrameCommon), client);
    DrawControls(p, client);
}

void CPlainFramedDlg::AddCloseButton() {
    Add<ui::CImageButton>(0, kIdClose, scaledRect(405, 4, 420, 19, Scale()), Text{})
        ->LoadImages({ui::pictures::kExitNr, ui::pictures::kExitOv});
    // The cross shows no text: readers say "Close".
    if (auto* close = FindControl(kIdClose)) close->SetAccessibleName(language_.LanguageText(kTextCloseName));
}

void CPlainFramedDlg::AddPushButton(uint32_t id, const Rect& d, int entry) {
    Add<ui::CImageButton>(0, id, scaledRect(d.left, d.top, d.right, d.bottom, Scale()), language_.LanguageText(entry))
        ->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});
}

}  // namespace orvane::dialogs
