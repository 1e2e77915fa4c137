#include "macro/CMacroKeyNameDlg.h"

#include "macro/MacroText.h"
#include "ui/CEditControl.h"

namespace orvane::macro {

CMacroKeyNameDlg::CMacroKeyNameDlg(platform::Platform& platform, ui::CDlgBase* parent,
                                   const LanguageTable& language, MacroLibrary& library, uint32_t setIndex,
                                   int titleText, Text initial)
    : CMacroFieldDlg(platform, parent, language, kIdTitle, titleText, 300),
      library_(library),
      setIndex_(setIndex),
      initial_(std::move(initial)) {}

void CMacroKeyNameDlg::CreateValue(const Rect& rect) { field_ = AddField(rect, initial_); }

bool CMacroKeyNameDlg::OnKeyDown(uint32_t vk) {
    if (vk == platform::kVkReturn) {
        Confirm();
        return true;
    }
    return vk == platform::kVkEscape;  // neither cancels nor closes
}

void CMacroKeyNameDlg::Confirm() {
    MacroSet* set = library_.FindSet(setIndex_);
    if (!set) {
        EndDialog(ui::kIdCancel);
        return;
    }
    const Text name = field_ ? field_->GetText() : Text{};
    if (const int problem = macroNameProblem(*set, name, OwnName())) {
        ShowAttention(problem);
        return;
    }
    Apply(*set, name);
    EndDialog(ui::kIdOk);
}

}  // namespace orvane::macro
