#pragma once
// The frame the small macro dialogs share: a title, the close button, OK and Cancel, and one
// value in the middle (a key name or a text field) on the warning frame, 319 × 102.
#include "dialogs/DialogLayout.h"
#include "macro/MacroLayout.h"
#include "profile/LanguageTable.h"
#include "ui/CDlgBase.h"

namespace orvane::ui {
class CEditControl;
}

namespace orvane::macro {

class CMacroFieldDlg : public ui::CDlgBase {
public:
    static constexpr int32_t kWidth = 319;
    static constexpr int32_t kHeight = 102;
    static constexpr uint32_t kIdClose = 2004;
    static constexpr uint32_t kIdOk = 2010;
    static constexpr uint32_t kIdCancel = 2011;
    static constexpr int kTextOk = 4;
    static constexpr int kTextCancel = 5;
    static constexpr int kTextNotDigit = 175;

    CMacroFieldDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                   uint32_t titleId, int titleText, int32_t titleRight);

    const LanguageTable& Language() const { return language_; }
    // Runs the attention dialog with a language entry over this dialog.
    void ShowAttention(int entry);

protected:
    void CreateControls(const Rect& client) override;
    void DrawWindow(Painter& p, const Rect& client) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    // The value in the middle, (11,40)-(306,62).
    virtual void CreateValue(const Rect& rect) = 0;
    // A text field in the value's place: centred, "Tahoma" 10 points scaled, black on white.
    ui::CEditControl* AddField(const Rect& rect, const Text& initial);
    // OK (button or Enter): end with kIdOk when the value is good.
    virtual void Confirm() = 0;

private:
    const LanguageTable& language_;
    uint32_t titleId_;
    int titleText_;
    int32_t titleRight_;
};

}  // namespace orvane::macro
