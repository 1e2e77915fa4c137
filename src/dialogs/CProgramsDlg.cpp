#include "dialogs/CProgramsDlg.h"

#include "dialogs/CAttentionDlg.h"
#include "dialogs/CProgramList.h"
#include "profile/NameRules.h"
#include "ui/CEditControl.h"
#include "ui/CImageButton.h"
#include "ui/CStaticText.h"
#include "ui/Pictures.h"

namespace orvane::dialogs {

namespace {

constexpr int kTitle = 381, kListCaption = 382, kUnavailable = 383, kNameTooLong = 384, kInvisibleCharacters = 385;
// Names for readers: a slot's field and its cross, and which slot the list fills.
constexpr int kReaderSlot = 430, kReaderClearSlot = 431, kReaderListFills = 436;
constexpr uint32_t kMarkedColour = 0x35A0DE;  // the skin's accent (0x00BBGGRR)

// Design rectangles: three slot rows on the left, the running programs on the right.
constexpr int32_t kSlotTop = 40, kSlotPitch = 32, kSlotHeight = 22;
const Rect kListRect{236, 50, 419, 178};

Rect slotRow(int slot, int32_t left, int32_t right) {
    const int32_t top = kSlotTop + slot * kSlotPitch;
    return {left, top, right, top + kSlotHeight};
}

// The cross that clears a slot: the close button's picture and size, centred on the row.
Rect clearRect(int slot) {
    const Rect row = slotRow(slot, 203, 218);
    return {row.left, row.top + 3, row.right, row.top + 18};
}

// Spaces at either end of a typed name are slips: no program is found by them.
Text trimmed(const Text& t) {
    const size_t first = t.find_first_not_of(u' ');
    if (first == Text::npos) return {};
    return t.substr(first, t.find_last_not_of(u' ') - first + 1);
}

int NoticeFor(const NameCheck& check) {
    if (check.ok() || check.problem == NameProblem::Empty) return 0;
    return check.problem == NameProblem::TooLong ? kNameTooLong : kInvisibleCharacters;
}

}  // namespace

CProgramsDlg::CProgramsDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                           ProgramSlots current, platform::FocusWatcher* watcher)
    : CFramedDlg(platform, parent, language), initial_(std::move(current)), result_(initial_), watcher_(watcher) {
    SetWindowSize(int32_t(float(kWidth) * Scale()), int32_t(float(kHeight) * Scale()));
    marked_ = 0;
    for (int i = 2; i >= 0; --i)
        if (initial_[size_t(i)].empty()) marked_ = i;
}

std::optional<ProgramSlots> CProgramsDlg::Choose(platform::Platform& platform, ui::CDlgBase* parent,
                                                 const LanguageTable& language, const ProgramSlots& current,
                                                 platform::FocusWatcher* watcher) {
    CProgramsDlg dlg(platform, parent, language, current, watcher);
    if (dlg.DoModal() != ui::kIdOk) return std::nullopt;
    return dlg.Result();
}

bool CProgramsDlg::OnInitDialog() {
    if (!CFramedDlg::OnInitDialog()) return false;
    if (fields_[size_t(marked_)]) fields_[size_t(marked_)]->Focus();
    return true;
}

void CProgramsDlg::CreateControls(const Rect&) {
    const float s = Scale();
    auto scaled = [s](const Rect& r) { return scaledRect(r.left, r.top, r.right, r.bottom, s); };
    const auto flags = platform::kTextLeft | platform::kTextSingleLine | platform::kTextVCenter;
    Add<ui::CStaticText>(0, kIdTitle, scaled({10, 5, 380, 23}), kDialogTextColour, flags)
        ->SetLabel(language_.LanguageText(kTitle));
    AddCloseButton();
    for (int i = 0; i < 3; ++i) {
        const uint32_t k = uint32_t(i);
        Add<ui::CStaticText>(0, kIdSlotNumber + k, scaled(slotRow(i, 10, 26)), kDialogTextColour,
                             platform::kTextCenter | platform::kTextSingleLine | platform::kTextVCenter)
            ->SetLabel(Text(1, char16_t(u'1' + i)));
        fields_[size_t(i)] = Add<ui::CEditControl>(0, kIdSlotField + k, scaled(slotRow(i, 30, 196)), initial_[size_t(i)]);
        auto* clear = Add<ui::CImageButton>(0, kIdSlotClear + k, scaled(clearRect(i)), Text{});
        clear->LoadImages({ui::pictures::kExitNr, ui::pictures::kExitOv});
        fields_[size_t(i)]->NameForReaders(withNumber(language_.LanguageText(kReaderSlot), i + 1));
        clear->SetAccessibleName(withNumber(language_.LanguageText(kReaderClearSlot), i + 1));
    }
    const bool available = watcher_ && watcher_->available();
    Add<ui::CStaticText>(0, kIdListCaption, scaled({236, 30, 419, 48}), kDialogTextColour, flags)
        ->SetLabel(language_.LanguageText(kListCaption));
    list_ = Add<CProgramList>(0, kIdList, scaled(kListRect));
    if (watcher_) list_->SetPrograms(watcher_->runningPrograms());
    list_->SetAccessibleName(language_.LanguageText(kListCaption));
    list_->SetValueText(withNumber(language_.LanguageText(kReaderListFills), marked_ + 1));
    auto* note = Add<ui::CStaticText>(0, kIdUnavailable, scaled({10, 140, 226, 188}), kDialogTextColour,
                                      platform::kTextLeft | platform::kTextWordBreak);
    note->SetLabel(language_.LanguageText(kUnavailable));
    note->SetVisible(!available);
    AddPushButton(kIdOkButton, {260, 196, 329, 216}, kTextOk);
    AddPushButton(kIdCancelButton, {350, 196, 419, 216}, kTextCancel);
}

void CProgramsDlg::DrawWindow(Painter& p, const Rect& client) {
    CFramedDlg::DrawWindow(p, client);
    // The slot a click on a running program fills.
    const Rect mark = slotRow(marked_, 10, 26);
    const float s = Scale();
    const Rect r = scaledRect(mark.left, mark.bottom - 2, mark.right, mark.bottom, s);
    p.fillRect(r, platform::bgr(kMarkedColour));
}

void CProgramsDlg::MarkSlot(int slot) {
    if (slot < 0 || slot > 2 || slot == marked_) return;
    marked_ = slot;
    if (list_) list_->SetValueText(withNumber(language_.LanguageText(kReaderListFills), slot + 1));
    Invalidate();
}

void CProgramsDlg::FillMarkedSlot(const Text& name) {
    if (auto* f = fields_[size_t(marked_)]) f->SetText(name);
    // The next click fills the next empty slot, if any.
    for (int k = 1; k <= 2; ++k) {
        const int next = (marked_ + k) % 3;
        if (fields_[size_t(next)] && fields_[size_t(next)]->GetText().empty()) {
            MarkSlot(next);
            break;
        }
    }
    Invalidate();
}

void CProgramsDlg::OnLButtonDown(uint32_t flags, Point pt) {
    for (int i = 0; i < 3; ++i)
        if (auto* number = FindControl(kIdSlotNumber + uint32_t(i)); number && number->GetRect().contains(pt)) MarkSlot(i);
    CFramedDlg::OnLButtonDown(flags, pt);
}

void CProgramsDlg::OnMouseWheel(uint32_t, int32_t delta, Point pt) {
    if (!list_ || !list_->GetRect().contains(pt) || delta == 0) return;
    list_->Scroll(delta > 0 ? -1 : 1);
}

bool CProgramsDlg::OnKeyDown(uint32_t vk) {
    if (vk == platform::kVkReturn) {
        Confirm();
        return true;
    }
    // Outside the fields 1, 2 and 3 mark the slot the list fills (as a click on the number does).
    if (vk >= uint32_t{'1'} && vk <= uint32_t{'3'}) {
        const int slot = int(vk - uint32_t{'1'});
        if (list_ && FocusedControl() == list_) return ActOn(list_, [this, slot](ui::CControlBase&) {
            MarkSlot(slot);
            return true;
        });
        MarkSlot(slot);
        return true;
    }
    return vk == platform::kVkEscape;
}

void CProgramsDlg::Confirm() {
    ProgramSlots names;
    for (size_t i = 0; i < 3; ++i) {
        names[i] = fields_[i] ? trimmed(fields_[i]->GetText()) : Text{};
        if (const int notice = NoticeFor(CheckProgramName(names[i]))) {
            MarkSlot(int(i));
            CAttentionDlg dlg(GetPlatform(), this, language_, language_.LanguageText(notice));
            (void)dlg.DoModal();
            return;
        }
    }
    result_ = names;
    Close(ui::kIdOk);
}

intptr_t CProgramsDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (lParam == ui::kCodeClicked) {
        if (msg == kIdOkButton) {
            Confirm();
            return 0;
        }
        if (msg == kIdClose || msg == kIdCancelButton) {
            Close(ui::kIdCancel);
            return 0;
        }
        if (msg >= kIdSlotClear && msg < kIdSlotClear + 3) {
            const int slot = int(msg - kIdSlotClear);
            fields_[size_t(slot)]->SetText(Text{});
            MarkSlot(slot);
            return 0;
        }
        if (msg == kIdList && list_ && wParam < list_->Programs().size()) {
            FillMarkedSlot(list_->Programs()[wParam].id.name);
            return 0;
        }
    }
    return CFramedDlg::OnMessage(msg, wParam, lParam);
}

}  // namespace orvane::dialogs
