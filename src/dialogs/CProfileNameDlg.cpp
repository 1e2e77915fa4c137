#include "dialogs/CProfileNameDlg.h"

#include "dialogs/CAttentionDlg.h"
#include "profile/NameRules.h"
#include "ui/CEditControl.h"
#include "ui/CImageButton.h"
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
    : CDlgBase(platform, parent), language_(language), layout_(std::move(layout)) {
    SetWindowSize(int32_t(float(kWidth) * Scale()), int32_t(float(kHeight) * Scale()));
}

CProfileNameDlg::~CProfileNameDlg() = default;

bool CProfileNameDlg::OnInitDialog() {
    entry_ = std::make_unique<PopupWindowEntry>(this);
    if (!CDlgBase::OnInitDialog()) return false;
    // Typing goes to the name at once.
    if (GetWindow()) GetWindow()->activate();
    if (field_) field_->Focus();
    return true;
}

void CProfileNameDlg::CreateControls(const Rect&) {
    const float s = Scale();
    const Rect t = layout_.titleRect;
    Add<ui::CStaticText>(0, kIdTitle, scaledRect(t.left, t.top, t.right, t.bottom, s), kDialogTextColour,
                         platform::kTextLeft | platform::kTextSingleLine)
        ->SetLabel(language_.LanguageText(layout_.title));
    Add<ui::CImageButton>(0, kIdClose, scaledRect(405, 4, 420, 19, s), Text{})
        ->LoadImages({u"skins\\exit_nr.png", u"skins\\exit_ov.png"});
    Add<ui::CImageButton>(0, kIdOkButton, scaledRect(260, 110, 329, 130, s), language_.LanguageText(4))
        ->LoadImages({u"skins\\button2_nr.png", u"skins\\button2_ov.png"});
    Add<ui::CImageButton>(0, kIdCancelButton, scaledRect(350, 110, 419, 130, s), language_.LanguageText(5))
        ->LoadImages({u"skins\\button2_nr.png", u"skins\\button2_ov.png"});
    const Rect f = layout_.fieldRect;
    field_ = Add<ui::CEditControl>(0, kIdName, scaledRect(f.left, f.top, f.right, f.bottom, s), layout_.initialName);
}

void CProfileNameDlg::DrawWindow(Painter& p, const Rect& client) {
    p.fillRect(client, platform::bgr(BackgroundColor()));
    p.drawImage(Images().load(u"skins\\Frame_common.bmp"), client);
    DrawControls(p, client);
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
    Finish(ui::kIdOk);
}

void CProfileNameDlg::Finish(intptr_t result) {
    entry_.reset();
    EndDialog(result);
}

intptr_t CProfileNameDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (lParam == ui::kCodeClicked && msg == kIdOkButton) {
        Confirm();
        return 0;
    }
    if (lParam == ui::kCodeClicked && (msg == kIdClose || msg == kIdCancelButton)) {
        Finish(ui::kIdCancel);
        return 0;
    }
    return CDlgBase::OnMessage(msg, wParam, lParam);
}

}  // namespace orvane::dialogs
