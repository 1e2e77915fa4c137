#include "macro/CActionKeyModifyDlg.h"

#include "device/KeyTables.h"
#include "ui/CStaticText.h"

namespace orvane::macro {

namespace {
constexpr uint32_t kKeyNameColour = 0xFFFFFF;
constexpr int32_t kKeyNameHeight = 22;  // pixels at scale 1
}  // namespace

CActionKeyModifyDlg::CActionKeyModifyDlg(platform::Platform& platform, ui::CDlgBase* parent,
                                         const LanguageTable& language, ActionBytes& action)
    : CMacroFieldDlg(platform, parent, language, kIdTitle, kTextTitle, 220), action_(action), chosen_(action[0]) {}

CActionKeyModifyDlg::~CActionKeyModifyDlg() { StopHook(); }

void CActionKeyModifyDlg::CreateValue(const Rect& rect) {
    name_ = Add<ui::CStaticText>(0, kIdKeyName, rect, kKeyNameColour, platform::kTextCenter | platform::kTextSingleLine);
    name_->SetFont(int32_t(float(kKeyNameHeight) * Scale()), u"Tahoma");
    name_->SetLabel(keyName(chosen_));
}

bool CActionKeyModifyDlg::OnInitDialog() {
    entry_ = std::make_unique<dialogs::PopupWindowEntry>(this);
    if (!CMacroFieldDlg::OnInitDialog()) return false;
    hook_ = GetPlatform().createKeyboardHook();
    if (hook_) {
        // Keys typed into this dialog arrive through its own key handling as well.
        (void)hook_->Start([this](const platform::HookKey& k) {
            if (k.vk != platform::kVkReturn && k.vk != platform::kVkEscape) Pick(k.vk);
        });
    }
    return true;
}

void CActionKeyModifyDlg::Pick(uint32_t vk) {
    if (vk == 0 || vk > 0xFF) return;
    chosen_ = uint8_t(vk);
    if (name_) {
        name_->SetLabel(keyName(chosen_));
        InvalidateRect(name_->GetRect());
    }
}

bool CActionKeyModifyDlg::OnKeyDown(uint32_t vk) {
    if (vk == platform::kVkReturn || vk == platform::kVkEscape) return CMacroFieldDlg::OnKeyDown(vk);
    Pick(vk);
    return true;
}

bool CActionKeyModifyDlg::OnKeyUp(uint32_t vk) {
    if (vk == platform::kVkReturn || vk == platform::kVkEscape) return false;
    Pick(vk);
    return true;
}

void CActionKeyModifyDlg::StopHook() {
    if (hook_) hook_->Stop();
}

void CActionKeyModifyDlg::Confirm() {
    action_[0] = chosen_;
    StopHook();
    EndDialog(ui::kIdOk);
}

void CActionKeyModifyDlg::OnCancel() {
    StopHook();
    EndDialog(ui::kIdCancel);
}

}  // namespace orvane::macro
