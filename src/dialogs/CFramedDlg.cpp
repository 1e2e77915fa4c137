#include "dialogs/CFramedDlg.h"

namespace orvane::dialogs {

CFramedDlg::CFramedDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language)
    : CPlainFramedDlg(platform, parent, language) {}

CFramedDlg::~CFramedDlg() = default;

bool CFramedDlg::OnInitDialog() {
    entry_ = std::make_unique<PopupWindowEntry>(this);
    if (!CDlgBase::OnInitDialog()) return false;
    // What is typed now is meant for the dialog.
    if (GetWindow()) GetWindow()->activate();
    return true;
}

void CFramedDlg::Close(intptr_t result) {
    entry_.reset();
    EndDialog(result);
}

}  // namespace orvane::dialogs
