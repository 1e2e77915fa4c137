#include "dialogs/CProfileNameDlg.h"

#include "dialogs/CAttentionDlg.h"
#include "profile/NameRules.h"
#include "ui/CEditControl.h"
#include "ui/CStaticText.h"

namespace orvane::dialogs {

namespace {

constexpr int kEnterAName = 147, kNameTooLong = 153, kInvisibleCharacters = 154;

// The notice for what is wrong with a name (0: nothing).
int NoticeFor(const NameCheck& check) {
    switch (check.problem) {
        case NameProblem::None: return 0;
        case NameProblem::Empty: return kEnterAName;
        case NameProblem::TooLong: return kNameTooLong;
        case NameProblem::LineBreak:
        case NameProblem::ControlCharacter:
        case NameProblem::BrokenText: return kInvisibleCharacters;
    }
    return kInvisibleCharacters;
}

}  // namespace

CProfileNameDlg::CProfileNameDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                                 Layout layout)
    : CFramedDlg(platform, parent, language), layout_(std::move(layout)) {}

bool CProfileNameDlg::OnInitDialog() {
    if (!CFramedDlg::OnInitDialog()) return false;
    // Typing goes to the name at once.
    if (field_) field_->Focus();
    return true;
}

void CProfileNameDlg::CreateControls(const Rect&) {
    const float s = Scale();
    SetAccessibleTitle(language_.LanguageText(layout_.title));
    const Rect t = layout_.titleRect;
    Add<ui::CStaticText>(0, kIdTitle, scaledRect(t.left, t.top, t.right, t.bottom, s), kDialogTextColour,
                         platform::kTextLeft | platform::kTextSingleLine)
        ->SetLabel(language_.LanguageText(layout_.title));
    AddCloseButton();
    AddPushButton(kIdOkButton, {260, 110, 329, 130}, kTextOk);
    AddPushButton(kIdCancelButton, {350, 110, 419, 130}, kTextCancel);
    const Rect f = layout_.fieldRect;
    field_ = Add<ui::CEditControl>(0, kIdName, scaledRect(f.left, f.top, f.right, f.bottom, s), layout_.initialName);
}

bool CProfileNameDlg::OnKeyDown(uint32_t vk) {
    if (vk == platform::kVkReturn) {
        Confirm();
        return true;
    }
    return vk == platform::kVkEscape;
}

void CProfileNameDlg::Confirm() {
    const Text name = field_ ? field_->GetText() : Text{};
    // A name the profile file could not carry is refused here, where it was typed.
    if (const int notice = NoticeFor(CheckProfileName(name))) {
        CAttentionDlg dlg(GetPlatform(), this, language_, language_.LanguageText(notice));
        (void)dlg.DoModal();
        return;
    }
    Accept(name);
    Close(ui::kIdOk);
}

intptr_t CProfileNameDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (lParam == ui::kCodeClicked && msg == kIdOkButton) {
        Confirm();
        return 0;
    }
    if (lParam == ui::kCodeClicked && (msg == kIdClose || msg == kIdCancelButton)) {
        Close(ui::kIdCancel);
        return 0;
    }
    return CDlgBase::OnMessage(msg, wParam, lParam);
}

}  // namespace orvane::dialogs
