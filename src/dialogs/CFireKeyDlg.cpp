#include "dialogs/CFireKeyDlg.h"

#include "dialogs/CAttentionDlg.h"
#include "ui/CEditControl.h"
#include "ui/CStaticText.h"

namespace orvane::dialogs {

namespace {
constexpr int kTitle = 170, kIntervalCaption = 171, kCountCaption = 172, kNote = 173;
constexpr int kIntervalRange = 174, kDigitsOnly = 175, kCountTooLarge = 176;
constexpr int kFireKeyName = 26, kOkCaption = 4;
constexpr uint8_t kFireKeyType = 0x30;
// Posted so the character that caused it reaches its field first.
using ui::kMsgDigitsOnly;
}  // namespace

int FieldNumber(const Text& text) {
    int value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        value = value * 10 + (c - u'0');
        if (value > 999) return 1000;
    }
    return value;
}

CFireKeyDlg::CFireKeyDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                         uint32_t resultMsg)
    : CFramedDlg(platform, parent, language), resultMsg_(resultMsg) {}

bool CFireKeyDlg::OnInitDialog() {
    if (!CFramedDlg::OnInitDialog()) return false;
    SetTimer(kCheckTimer, kCheckMs);
    if (interval_) interval_->Focus();
    return true;
}

void CFireKeyDlg::CreateControls(const Rect&) {
    const float s = Scale();
    auto text = [&](Rect r, int entry, platform::TextFormat format) {
        Add<ui::CStaticText>(0, kIdText, scaledRect(r.left, r.top, r.right, r.bottom, s), kDialogTextColour, format)
            ->SetLabel(language_.LanguageText(entry));
    };
    // Added in reading order, which Tab follows: each field after its caption, then OK.
    text({20, 3, 230, 27}, kTitle, platform::kTextLeft | platform::kTextSingleLine);
    AddCloseButton();
    text({70, 30, 280, 48}, kIntervalCaption, platform::kTextLeft | platform::kTextSingleLine);
    interval_ = Add<ui::CEditControl>(0, kIdNumber, scaledRect(70, 50, 168, 72, s), u"50");
    text({250, 30, 460, 48}, kCountCaption, platform::kTextLeft | platform::kTextSingleLine);
    count_ = Add<ui::CEditControl>(0, kIdNumber, scaledRect(250, 50, 348, 72, s), u"0");
    text({70, 75, 420, 111}, kNote, platform::kTextLeft | platform::kTextWordBreak);
    AddPushButton(kIdOkButton, {350, 110, 419, 130}, kOkCaption);
    interval_->NameForReaders(language_.LanguageText(kIntervalCaption));
    count_->NameForReaders(language_.LanguageText(kCountCaption));
    for (auto* field : {interval_, count_})
        field->SetKeyFilter([this](const platform::KeyEvent& e) { return FilterKey(e); });
}

bool CFireKeyDlg::FilterKey(const platform::KeyEvent& e) {
    if (!e.down || e.text.empty()) return false;
    const char16_t c = e.text.front();
    // Characters typed with Ctrl (copy, paste) are commands, not characters.
    const bool command = c < u' ' && c != u'\b';
    if (!command && c != u'\b' && (c < u'0' || c > u'9')) PostMessage(kMsgDigitsOnly);
    return false;
}

bool CFireKeyDlg::OnKeyDown(uint32_t vk) {
    // Neither Enter nor Escape closes the dialog: only OK and the close button do.
    return vk == platform::kVkReturn || vk == platform::kVkEscape;
}

void CFireKeyDlg::OnTimer(int id) {
    if (id == kCheckTimer) ClampFields();
}

bool CFireKeyDlg::ClampFields() {
    bool rewritten = false;
    // The text is rewritten before the notice shows, so the ticks during the notice find 255.
    if (interval_ && FieldNumber(interval_->GetText()) >= 256) {
        interval_->SetText(u"255");
        ShowNotice(kIntervalRange);
        rewritten = true;
    }
    if (count_ && FieldNumber(count_->GetText()) > 255) {
        count_->SetText(u"255");
        ShowNotice(kCountTooLarge);
        rewritten = true;
    }
    return rewritten;
}

void CFireKeyDlg::ShowNotice(int entry) {
    CAttentionDlg notice(GetPlatform(), this, language_, language_.LanguageText(entry));
    (void)notice.DoModal();
}

void CFireKeyDlg::Confirm() {
    if (ClampFields()) return;  // the user sees the corrected number before it is sent
    const int interval = interval_ ? FieldNumber(interval_->GetText()) : 0;
    if (interval < kMinInterval) {
        ShowNotice(kIntervalRange);
        return;
    }
    const int count = count_ ? FieldNumber(count_->GetText()) : 0;
    Text name = language_.LanguageText(kFireKeyName);
    if (!name.empty() && name.back() == u'+') name.pop_back();
    if (Parent() && !name.empty()) {
        result_.text = name;
        result_.bytes = {kFireKeyType, uint8_t(interval), uint8_t(count)};
        result_.byteCount = 3;
        Parent()->SendResult(resultMsg_, kIdOkButton, result_);
    }
    Close(ui::kIdOk);
}

void CFireKeyDlg::Close(intptr_t result) {
    KillTimer(kCheckTimer);
    CFramedDlg::Close(result);
}

intptr_t CFireKeyDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (msg == kMsgDigitsOnly) {
        ShowNotice(kDigitsOnly);
        return 0;
    }
    if (lParam == ui::kCodeClicked && msg == kIdOkButton) {
        Confirm();
        return 0;
    }
    if (lParam == ui::kCodeClicked && msg == kIdClose) {
        Close(ui::kIdCancel);
        return 0;
    }
    if (msg == ui::kMsgClose) {
        Close(ui::kIdCancel);
        return 0;
    }
    return CDlgBase::OnMessage(msg, wParam, lParam);
}

}  // namespace orvane::dialogs
