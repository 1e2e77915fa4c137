#include "macro/CActionTimeModifyDlg.h"

#include <algorithm>
#include <string>

#include "macro/MacroText.h"
#include "ui/CEditControl.h"

namespace orvane::macro {

CActionTimeModifyDlg::CActionTimeModifyDlg(platform::Platform& platform, ui::CDlgBase* parent,
                                           const LanguageTable& language, ActionBytes& action,
                                           uint32_t currentDelayMs)
    : CMacroFieldDlg(platform, parent, language, kIdTitle, kTextTitle, 220), action_(action), initial_(currentDelayMs) {}

void CActionTimeModifyDlg::CreateValue(const Rect& rect) {
    field_ = AddField(rect, fromUtf8(std::to_string(initial_)));
    field_->SetKeyFilter([this](const platform::KeyEvent& e) {
        // A warning, then the character lands all the same: the number is read up to it.
        if (e.down && !e.text.empty() && isNonDigitCharacter(e.text.front())) ShowAttention(kTextNotDigit);
        return false;
    });
}

bool CActionTimeModifyDlg::OnInitDialog() {
    entry_ = std::make_unique<dialogs::PopupWindowEntry>(this);
    return CMacroFieldDlg::OnInitDialog();
}

bool CActionTimeModifyDlg::OnKeyDown(uint32_t vk) {
    if (vk == platform::kVkReturn) {
        Confirm();
        return true;
    }
    return vk == platform::kVkEscape;  // does nothing here
}

void CActionTimeModifyDlg::Confirm() {
    const uint32_t ms = std::min(leadingNumber(field_ ? field_->GetText() : Text{}), kMaxDelayMs);
    action_ = delayAction(ms);
    EndDialog(ui::kIdOk);
}

}  // namespace orvane::macro
