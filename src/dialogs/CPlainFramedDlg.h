#pragma once
// The look of the small modal dialogs: 429 x 140 design pixels on the common frame picture,
// with a close button at the top right and push buttons captioned from the Language table.
// CFramedDlg adds the popup window table and the keyboard on opening; the dialogs that end
// themselves without either use this part alone.
#include "dialogs/DialogLayout.h"
#include "profile/LanguageTable.h"
#include "ui/CDlgBase.h"

namespace orvane::dialogs {

class CPlainFramedDlg : public ui::CDlgBase {
public:
    static constexpr int32_t kWidth = 429;
    static constexpr int32_t kHeight = 140;
    // The name screen readers give the close cross.
    static constexpr int kTextCloseName = 406;

protected:
    CPlainFramedDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language);

    void DrawWindow(Painter& p, const Rect& client) override;
    // The close button, and a push button captioned with a Language table entry, at design
    // coordinates.
    void AddCloseButton();
    void AddPushButton(uint32_t id, const Rect& design, int entry);

    const LanguageTable& language_;
};

}  // namespace orvane::dialogs
