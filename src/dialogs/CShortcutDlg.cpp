#include "dialogs/CShortcutDlg.h"

#include "device/KeyTables.h"
#include "ui/CCheckButton.h"
#include "ui/CStaticText.h"
#include "ui/Pictures.h"

namespace orvane::dialogs {

namespace {

constexpr int kTitle = 180, kOkCaption = 4, kCancelCaption = 5, kPressAKey = 346, kKeyFieldName = 435;
// The prompt stands in the key's place, dimmer than a captured key's name.
constexpr uint32_t kPromptColour = 0x808080;
constexpr uint8_t kShortcutType = 0x70;

// In the order their prefixes are written: Ctrl, Shift, Alt, Win.
struct Modifier {
    uint32_t id;
    uint8_t bit;
    uint32_t keyMod;
    const char16_t* prefix;
};
constexpr Modifier kModifiers[] = {
    {CShortcutDlg::kIdCtrl, 0x01, platform::kKeyModCtrl, u"Ctrl+"},
    {CShortcutDlg::kIdShift, 0x02, platform::kKeyModShift, u"Shift+"},
    {CShortcutDlg::kIdAlt, 0x04, platform::kKeyModAlt, u"Alt+"},
    {CShortcutDlg::kIdWin, 0x08, platform::kKeyModWin, u"Win+"},
};

// The boxes and their captions, left to right.
struct Box {
    uint32_t id;
    int32_t left;
    const char16_t* caption;
};
constexpr Box kBoxes[] = {
    {CShortcutDlg::kIdShift, 25, u"Shift"},
    {CShortcutDlg::kIdCtrl, 82, u"Ctrl"},
    {CShortcutDlg::kIdAlt, 139, u"Alt"},
    {CShortcutDlg::kIdWin, 196, u"Win"},
};

// The captured key's name (or the prompt) where readers and Tab find it: a field that takes a
// key combination, its value the name shown.
class CKeyField : public ui::CStaticText {
public:
    CKeyField(ui::CDlgBase* owner, uint32_t id, const Rect& rect)
        : CStaticText(owner, id, rect, kDialogTextColour, platform::kTextLeft | platform::kTextSingleLine) {
        SetDisabled(false);
    }

protected:
    bool TakesFocus() const override { return true; }
    void DescribeInto(platform::AccessibleNode& n) const override {
        n.role = platform::AccessibleRole::HotkeyField;
        n.value = Label();
    }
};

}  // namespace

bool IsModifierKey(uint32_t vk) { return vk <= 0xFF && isModifierKey(uint8_t(vk)); }

CShortcutDlg::CShortcutDlg(platform::Platform& platform, ui::CDlgBase* parent, const LanguageTable& language,
                           uint32_t resultMsg)
    : CFramedDlg(platform, parent, language), resultMsg_(resultMsg) {}

void CShortcutDlg::CreateControls(const Rect&) {
    const float s = Scale();
    Add<ui::CStaticText>(0, kIdCaption, scaledRect(20, 3, 230, 27, s), kDialogTextColour,
                         platform::kTextLeft | platform::kTextSingleLine)
        ->SetLabel(language_.LanguageText(kTitle));
    AddCloseButton();
    // Added in reading order: the key, its modifiers, then the buttons.
    auto* name = Add<CKeyField>(0, kIdKeyName, scaledRect(25, 35, 183, 57, s));
    name->SetAccessibleName(language_.LanguageText(kKeyFieldName));
    field_ = name;
    name->SetFont(int32_t(-13.0f * s), u"Tahoma");
    name->SetLabel(language_.LanguageText(kPressAKey));
    name->SetTextColour(kPromptColour);
    for (const Box& b : kBoxes) {
        auto* box = Add<ui::CCheckButton>(0, b.id, scaledRect(b.left, 72, b.left + 11, 83, s), Text{});
        box->LoadImages({ui::pictures::kCheckNr, ui::pictures::kCheckOv, ui::pictures::kCheckDn});
        box->SetAccessibleName(b.caption);
        // The captions run up to the next box (30 pixels would cut "Shift" in wider faces).
        Add<ui::CStaticText>(0, kIdCaption, scaledRect(b.left + 15, 70, b.left + 55, 88, s), kDialogTextColour,
                             platform::kTextLeft | platform::kTextSingleLine)
            ->SetLabel(b.caption);
    }
    AddPushButton(kIdOkButton, {260, 110, 329, 130}, kOkCaption);
    AddPushButton(kIdCancelButton, {350, 110, 419, 130}, kCancelCaption);
}


bool CShortcutDlg::FieldHasKeys() const { return !FocusedControl() || FocusedControl() == field_; }

bool CShortcutDlg::onKey(const platform::KeyEvent& e) {
    if (!FieldHasKeys()) return CFramedDlg::onKey(e);
    if (e.vk == platform::kVkTab && !(e.mods & (platform::kKeyModCtrl | platform::kKeyModAlt))) {
        // Tab leaves the field (its release, wherever the press came from, is no key either).
        if (e.down) {
            SetFocusedControl(field_);
            MoveFocus(!(e.mods & platform::kKeyModShift));
        }
        return true;
    }
    // Every other key is the user's answer, Enter and Escape included; none closes the dialog.
    Capture(e);
    return true;
}

bool CShortcutDlg::OnKeyDown(uint32_t vk) {
    // Outside the key field Escape cancels as the close button does; Enter alone does nothing,
    // so that a key meant for the field never sends a half-made shortcut.
    if (vk == platform::kVkEscape) {
        Close(ui::kIdCancel);
        return true;
    }
    return vk == platform::kVkReturn;
}

void CShortcutDlg::Capture(const platform::KeyEvent& e) {
    // A modifier is ticked, not taken as the key; a key the mouse cannot send (F13 and above, the
    // media keys, mouse buttons) would make a shortcut that sends nothing. The command line holds
    // its keys to the same rule.
    if (!e.vk || e.vk > 0xFF || !canBeShortcutKey(uint8_t(e.vk))) return;
    key_ = uint8_t(e.vk);
    // A combination typed with modifiers held ticks exactly those; a key typed alone keeps the
    // boxes as the user ticked them.
    const uint32_t held = e.mods & (platform::kKeyModCtrl | platform::kKeyModShift | platform::kKeyModAlt |
                                    platform::kKeyModWin);
    if (e.down && held)
        for (const Modifier& m : kModifiers)
            if (auto* box = FindControlAs<ui::CCheckButton>(m.id)) {
                box->SetChecked(held & m.keyMod);
                InvalidateRect(box->GetRect());
            }
    if (auto* name = FindControlAs<ui::CStaticText>(kIdKeyName)) {
        name->SetLabel(keyName(key_));
        name->SetTextColour(kDialogTextColour);
        InvalidateRect(name->GetRect());
    }
}

void CShortcutDlg::Confirm() {
    if (Parent()) {
        Text name;
        uint8_t bits = 0;
        for (const Modifier& m : kModifiers)
            if (auto* box = FindControlAs<ui::CCheckButton>(m.id); box && box->Checked()) {
                name += m.prefix;
                bits |= m.bit;
            }
        if (key_) name += keyName(key_);
        if (!name.empty() && name.back() == u'+') name.pop_back();
        if (!name.empty()) {
            result_.text = name;
            result_.bytes = {kShortcutType, bits, key_ ? keyUsage(key_) : uint8_t(0)};
            result_.byteCount = 3;
            Parent()->SendResult(resultMsg_, kIdOkButton, result_);
        }
    }
    Close(ui::kIdOk);
}

intptr_t CShortcutDlg::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (lParam == ui::kCodeClicked && msg == kIdOkButton) {
        Confirm();
        return 0;
    }
    if ((lParam == ui::kCodeClicked && (msg == kIdClose || msg == kIdCancelButton)) || msg == ui::kMsgClose) {
        Close(ui::kIdCancel);
        return 0;
    }
    return CDlgBase::OnMessage(msg, wParam, lParam);
}

}  // namespace orvane::dialogs
