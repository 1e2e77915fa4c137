#include "app/ButtonAssignmentPanel.h"

#include <string>

#include "app/MacroManagerLauncher.h"
#include "app/MainIds.h"
#include "dialogs/CFireKeyDlg.h"
#include "dialogs/CShortcutDlg.h"
#include "profile/ButtonNames.h"
#include "ui/CComboButton.h"
#include "ui/CImageButton.h"
#include "ui/CStaticImage.h"
#include "ui/Pictures.h"

namespace orvane {

using namespace mainwnd;
using platform::Point;
using platform::Rect;

namespace {

constexpr int kRows = kKeyCount;
constexpr std::array<uint8_t, 3> kLeftClick{0x10, 0x01, 0x00};

struct Row {
    const char16_t* number;
    Rect numberRect;
    Rect comboRect;
};
constexpr Row kRowsLayout[kRows] = {
    {ui::pictures::kMouseSerialNumber1, {52, 82, 73, 101}, {82, 81, 244, 102}},
    {ui::pictures::kMouseSerialNumber2, {52, 112, 73, 131}, {82, 111, 244, 132}},
    {ui::pictures::kMouseSerialNumber3, {52, 141, 73, 160}, {82, 140, 244, 161}},
    {ui::pictures::kMouseSerialNumber4, {52, 170, 73, 189}, {82, 169, 244, 190}},
    {ui::pictures::kMouseSerialNumber5, {52, 199, 73, 218}, {82, 198, 244, 219}},
    {ui::pictures::kMouseSerialNumber6, {52, 228, 73, 247}, {82, 227, 244, 248}},
};

// Where the number of the hovered row is drawn over the mouse picture (row 6 has none).
constexpr Point kHighlightAt[5] = {{496, 247}, {607, 247}, {552, 247}, {478, 367}, {478, 317}};
constexpr Rect kPictureArea{457, 171, 672, 569};

constexpr uint32_t kChainMessages[] = {
    kMsgComboRow, kMsgMainMenuResult, ui::kMsgComboPopupDeactivated, ui::kMsgComboItemHovered,
    kMsgRunShortcutDialog, ui::kMsgOpenShortcutDialog, kMsgShortcutResult, ui::kMsgOpenDpiMenu, kMsgDpiResult,
    ui::kMsgDpiPopupDeactivated, ui::kMsgOpenMultimediaMenu, kMsgMultimediaResult, ui::kMsgMultimediaPopupDeactivated,
    ui::kMsgOpenMacroSetMenu, ui::kMsgMacroSetPopupDeactivated, kMsgMacroListResult, kMsgRunFireKeyDialog,
    ui::kMsgOpenFireKeyDialog, kMsgFireKeyResult, ui::kMsgOpenWindowsManageMenu, kMsgWindowsManageResult,
    ui::kMsgWindowsManagePopupDeactivated, ui::kMsgOpenOfficeMenu, kMsgOfficeResult, ui::kMsgOfficePopupDeactivated,
    kMacroManager,
};

bool isCombo(uintptr_t id) { return id >= kFirstCombo && id < kFirstCombo + kRows; }

}  // namespace

// ---- Controls ----

void ButtonAssignmentPanel::Create() {
    for (int k = 0; k < kRows; ++k) {
        const Rect n = kRowsLayout[k].numberRect;
        dlg_.Add<ui::CStaticImage>(0, 0, dlg_.Scaled(n.left, n.top, n.right, n.bottom))
            ->LoadImageFile(kRowsLayout[k].number);
        const Rect c = kRowsLayout[k].comboRect;
        auto* combo = dlg_.Add<ui::CComboButton>(0, kFirstCombo + uint32_t(k),
                                                 dlg_.Scaled(c.left, c.top, c.right, c.bottom), u"Disable",
                                                 kMsgComboRow);
        combo->LoadImages({ui::pictures::kCombo2Nr, ui::pictures::kCombo2Ov});
    }
    dlg_.Add<ui::CImageButton>(0, kMacroManager, dlg_.Scaled(36, 320, 266, 345),
                               app_.language.LanguageText(kTextMacroManager))
        ->LoadImages({ui::pictures::kButton1Nr, ui::pictures::kButton1Ov});
}

void ButtonAssignmentPanel::Refresh(const Profile& profile) {
    for (int k = 0; k < kRows; ++k)
        if (auto* combo = Combo(kFirstCombo + uint32_t(k)))
            combo->SetText(ShownButtonName(profile.keys[size_t(k)], app_.language));
}

ui::CComboButton* ButtonAssignmentPanel::Combo(uint32_t id) const {
    return isCombo(id) ? dlg_.FindControlAs<ui::CComboButton>(id) : nullptr;
}

void ButtonAssignmentPanel::SetMark(uint32_t combo, bool on) {
    if (auto* c = Combo(combo)) {
        // The row's number stayed over the picture while its menu was open (the box does not
        // report leaving then); with the menu gone it goes too, whether or not the pointer
        // still moves over the window.
        if (!on && c->MenuOpen() && highlight_ == int(combo - kFirstCombo) + 1) SetHighlight(0);
        c->SetMenuOpen(on);
        dlg_.InvalidateRect(c->GetRect());
    }
}

// ---- Messages ----

bool ButtonAssignmentPanel::Handles(uint32_t msg) const {
    for (uint32_t m : kChainMessages)
        if (m == msg) return true;
    return false;
}

void ButtonAssignmentPanel::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    const auto combo = uint32_t(wParam);
    switch (msg) {
        case kMsgComboRow:
            if (lParam == ui::kCodeEntered || lParam == ui::kCodeLeft)
                SetHighlight(lParam == ui::kCodeEntered && isCombo(wParam) ? int(wParam - kFirstCombo) + 1 : 0);
            else if (lParam == ui::kCodeClicked && isCombo(wParam))
                menus_.OpenMainMenu(combo);
            return;
        case kMacroManager:
            if (lParam == ui::kCodeClicked) RunMacroManager();
            return;
        case ui::kMsgComboItemHovered:
            menus_.CloseSubmenusAndLists();
            menus_.ActivateMainMenu();
            return;
        case ui::kMsgOpenMacroSetMenu: menus_.OpenMacroList(combo, int(lParam) - 1); return;
        case ui::kMsgOpenShortcutDialog:
        case ui::kMsgOpenFireKeyDialog: OpenCaptureDialog(msg, combo); return;
        case kMsgRunShortcutDialog:
        case kMsgRunFireKeyDialog: RunCaptureDialog(msg); return;
        case ui::kMsgComboPopupDeactivated: menus_.MainMenuClosed(combo); return;
        case ui::kMsgMacroSetPopupDeactivated: menus_.MacroListClosed(combo, lParam); return;
        case kMsgMainMenuResult:
            // A mouse-button item was pressed: what is open beside the menu comes forward.
            if (wParam == 0) menus_.ActivateSubmenus();
            return;
        default: break;
    }
    if (AssignmentMenuChain::IsSubmenuRequest(msg)) {
        menus_.OpenSubmenu(msg, combo);
    } else if (AssignmentMenuChain::IsSubmenuDeactivation(msg)) {
        menus_.SubmenuClosed(msg, combo);
    }
}

void ButtonAssignmentPanel::SetHighlight(int row) {
    highlight_ = row;
    dlg_.InvalidateRect(dlg_.Scaled(kPictureArea.left, kPictureArea.top, kPictureArea.right, kPictureArea.bottom));
}

// ---- Capture dialogs ----

void ButtonAssignmentPanel::OpenCaptureDialog(uint32_t requestMsg, uint32_t combo) {
    if (!Combo(combo)) return;
    menus_.CloseChain(combo);
    captureTarget_ = combo;
    dlg_.PostMessage(requestMsg == ui::kMsgOpenShortcutDialog ? kMsgRunShortcutDialog : kMsgRunFireKeyDialog);
}

void ButtonAssignmentPanel::RunCaptureDialog(uint32_t postedMsg) {
    if (!captureTarget_) return;
    if (postedMsg == kMsgRunShortcutDialog) {
        dialogs::CShortcutDlg dlg(dlg_.GetPlatform(), &dlg_, app_.language, kMsgShortcutResult);
        (void)dlg.DoModal();
    } else {
        dialogs::CFireKeyDlg dlg(dlg_.GetPlatform(), &dlg_, app_.language, kMsgFireKeyResult);
        (void)dlg.DoModal();
    }
    captureTarget_ = 0;
}

// ---- A choice ----

void ButtonAssignmentPanel::OnResult(uint32_t msg, uintptr_t wParam, const ui::PopupResult& result) {
    const bool fromDialog = msg == kMsgShortcutResult || msg == kMsgFireKeyResult;
    const uint32_t combo = fromDialog ? captureTarget_ : uint32_t(wParam);
    auto* c = Combo(combo);
    if (!c) return;
    c->SetText(result.text);
    const MacroKey* macro = nullptr;
    if (msg == kMsgMacroListResult) {
        const MacroSet* set = app_.library.FindSet(result.bytes[1]);
        macro = set ? set->FindKey(result.bytes[2]) : nullptr;
    }
    StoreAssignment(combo, result.text, result.bytes, macro);
    menus_.CloseChain(combo);
    EnforceLeftClick(combo);
}

void ButtonAssignmentPanel::StoreAssignment(uint32_t combo, const Text& text, std::array<uint8_t, 3> value,
                                            const MacroKey* macro) {
    if (!isCombo(combo)) return;
    KeyAssignment& key = app_.Current().keys[combo - kFirstCombo];
    key.KeyName = text;
    key.KeyValue = value;
    AssignMacro(key, macro);
}

void ButtonAssignmentPanel::EnforceLeftClick(uint32_t combo) {
    int leftClicks = 0;
    for (const auto& key : app_.Current().keys)
        leftClicks += key.KeyValue[0] == kLeftClick[0] && key.KeyValue[1] == kLeftClick[1];
    if (leftClicks > 0) {
        host_.MarkDirty(SyncGroup::Buttons);
        host_.ArmSync();
        return;
    }
    // The change took the last left click: the button keeps it, so the mouse needs nothing.
    const Text leftClick = app_.language.LanguageText(kTextLeftClick);
    if (auto* c = Combo(combo)) c->SetText(leftClick);
    StoreAssignment(combo, leftClick, kLeftClick, nullptr);
    dlg_.SetTimer(kTimerLeftClickNotice, 100);
}

// ---- Macro manager ----

void ButtonAssignmentPanel::RunMacroManager() {
    // Every save of the manager hands its library to the window's records (and through the
    // window's files to disk), so the buttons' macros are already the manager's. Reading the
    // file again here would write an empty library beside the folder's lock if it had become
    // unreadable meanwhile.
    host_.OpenMacroManager(kMacroManagerStartMode);
    bool usesMacro = false;
    for (const auto& key : app_.Current().keys) usesMacro |= key.KeyValue[0] == 0x90;
    if (usesMacro) {
        host_.MarkDirty(SyncGroup::Buttons);
        host_.SyncNow();
    }
    host_.refreshPages();
}

// ---- Mouse picture ----

void ButtonAssignmentPanel::DrawHighlight(platform::Painter& p) const {
    if (highlight_ < 1 || highlight_ > 5) return;
    const platform::Image number =
        dlg_.Images().load(Text(ui::pictures::kMouseNumbers[static_cast<size_t>(highlight_ - 1)]));
    if (!number) return;
    const float s = dlg_.Scale();
    const Point at = kHighlightAt[highlight_ - 1];
    const Rect dst = Rect::fromSize(int32_t(float(at.x) * s), int32_t(float(at.y) * s),
                                    int32_t(float(number.width()) * s), int32_t(float(number.height()) * s));
    p.drawImage(number, dst, platform::Interpolation::Nearest);
}

}  // namespace orvane
