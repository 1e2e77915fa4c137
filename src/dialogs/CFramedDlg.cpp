#include "dialogs/CFramedDlg.h"

#include "ui/CImageButton.h"
#include "ui/Pictures.h"

namespace orvane::dialogs {

CFramedDlg::CFramedDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language)
    : CDlgBase(platform, parent), language_(language) {
    SetWindowSize(int32_t(float(kWidth) * Scale()), int32_t(float(kHeight) * Scale()));
}

CFramedDlg::~CFramedDlg() = default;

bool CFramedDlg::OnInitDialog() {
    entry_ = std::make_unique<PopupWindowEntry>(this);
    if (!CDlgBase::OnInitDialog()) return false;
    // What is typed now is meant for the dialog.
    if (GetWindow()) GetWindow()->activate();
    return true;
}

void CFramedDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    p.drawImage(Images().load(ui::pictures::kFrameCommon), client);
    DrawControls(p, client);
}

void CFramedDlg::Close(intptr_t result) {
    entry_.reset();
    EndDialog(result);
}

void CFramedDlg::AddCloseButton() {
    Add<ui::CImageButton>(0, kIdClose, scaledRect(405, 4, 420, 19, Scale()), Text{})
        ->LoadImages({ui::pictures::kExitNr, ui::pictures::kExitOv});
    // The cross shows no text: readers say "Close".
    if (auto* close = FindControl(kIdClose)) close->SetAccessibleName(language_.LanguageText(kTextCloseName));
}

void CFramedDlg::AddPushButton(uint32_t id, const Rect& d, int entry) {
    Add<ui::CImageButton>(0, id, scaledRect(d.left, d.top, d.right, d.bottom, Scale()), language_.LanguageText(entry))
        ->LoadImages({ui::pictures::kButton2Nr, ui::pictures::kButton2Ov});
}

}  // namespace orvane::dialogs
