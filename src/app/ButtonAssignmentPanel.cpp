#include "app/ButtonAssignmentPanel.h"

#include <string>

#include "app/CTevrinDlg.h"
#include "app/MacroManagerLauncher.h"
#include "app/MainIds.h"
#include "dialogs/CFireKeyDlg.h"
#include "dialogs/CShortcutDlg.h"
#include "profile/ButtonNames.h"
#include "ui/CComboButton.h"
#include "ui/CComboPopup.h"
#include "ui/CDPIPopup.h"
#include "ui/CImageButton.h"
#include "ui/CMacroSetPopup.h"
#include "ui/CMultimediaPopup.h"
#include "ui/COfficePopup.h"
#include "ui/CStaticImage.h"
#include "ui/CWindowsManagePopup.h"
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

// The submenus of the chain: which request opens which, where, and what it answers with.
struct SubmenuKind {
    uint32_t request;
    ButtonAssignmentPanel::Slot slot;
    int down, up;  // design offsets below the combo, or below a main menu moved up
    uint32_t result;
    uint32_t closed;
};
constexpr SubmenuKind kSubmenus[] = {
    {ui::kMsgOpenDpiMenu, ButtonAssignmentPanel::kSlotDpi, 102, 118, kMsgDpiResult, ui::kMsgDpiPopupDeactivated},
    {ui::kMsgOpenMultimediaMenu, ButtonAssignmentPanel::kSlotMultimedia, 213, 89, kMsgMultimediaResult,
     ui::kMsgMultimediaPopupDeactivated},
    {ui::kMsgOpenWindowsManageMenu, ButtonAssignmentPanel::kSlotWindowsManage, 257, 176, kMsgWindowsManageResult,
     ui::kMsgWindowsManagePopupDeactivated},
    {ui::kMsgOpenOfficeMenu, ButtonAssignmentPanel::kSlotOffice, 235, 110, kMsgOfficeResult,
     ui::kMsgOfficePopupDeactivated},
};
constexpr int kMacroListDown = 161;
constexpr int kMacroListUp = 180;

const SubmenuKind* submenuBy(uint32_t msg, uint32_t SubmenuKind::*field) {
    for (const auto& k : kSubmenus)
        if (k.*field == msg) return &k;
    return nullptr;
}

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
        w_.Add<ui::CStaticImage>(0, 0, w_.Scaled(n.left, n.top, n.right, n.bottom))
            ->LoadImageFile(kRowsLayout[k].number);
        const Rect c = kRowsLayout[k].comboRect;
        auto* combo = w_.Add<ui::CComboButton>(0, kFirstCombo + uint32_t(k), w_.Scaled(c.left, c.top, c.right, c.bottom),
                                               u"Disable", kMsgComboRow);
        combo->LoadImages({ui::pictures::kCombo2Nr, ui::pictures::kCombo2Ov});
    }
    w_.Add<ui::CImageButton>(0, kMacroManager, w_.Scaled(36, 320, 266, 345), w_.Language().LanguageText(kTextMacroManager))
        ->LoadImages({ui::pictures::kButton1Nr, ui::pictures::kButton1Ov});
}

void ButtonAssignmentPanel::Refresh(const Profile& profile) {
    for (int k = 0; k < kRows; ++k)
        if (auto* combo = Combo(kFirstCombo + uint32_t(k)))
            combo->SetText(ShownButtonName(profile.keys[size_t(k)], w_.Language()));
}

ui::CComboButton* ButtonAssignmentPanel::Combo(uint32_t id) const {
    return isCombo(id) ? w_.FindControlAs<ui::CComboButton>(id) : nullptr;
}

void ButtonAssignmentPanel::RedrawCombo(uint32_t combo) {
    if (auto* c = Combo(combo)) w_.InvalidateRect(c->GetRect());
}

void ButtonAssignmentPanel::SetMark(uint32_t combo, bool on) {
    if (auto* c = Combo(combo)) {
        // The row's number stayed over the picture while its menu was open (the box does not
        // report leaving then); with the menu gone it goes too, whether or not the pointer
        // still moves over the window.
        if (!on && c->MenuOpen() && highlight_ == int(combo - kFirstCombo) + 1) SetHighlight(0);
        c->SetMenuOpen(on);
        w_.InvalidateRect(c->GetRect());
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
                OpenMainMenu(combo);
            return;
        case kMacroManager:
            if (lParam == ui::kCodeClicked) RunMacroManager();
            return;
        case ui::kMsgComboItemHovered:
            CloseSubmenusAndLists();
            if (auto* menu = MainMenu(); menu && menu->GetWindow()) menu->GetWindow()->activate();
            return;
        case ui::kMsgOpenMacroSetMenu: OpenMacroList(combo, int(lParam) - 1); return;
        case ui::kMsgOpenShortcutDialog:
        case ui::kMsgOpenFireKeyDialog: OpenCaptureDialog(msg, combo); return;
        case kMsgRunShortcutDialog:
        case kMsgRunFireKeyDialog: RunCaptureDialog(msg); return;
        case ui::kMsgComboPopupDeactivated: MainMenuClosed(combo); return;
        case ui::kMsgMacroSetPopupDeactivated: MacroListClosed(combo, lParam); return;
        case kMsgMainMenuResult:
            if (wParam == 0) {
                // A mouse-button item was pressed: what is open beside the menu comes forward.
                for (const auto& k : kSubmenus)
                    if (auto* sub = Submenu(k.slot); sub && sub->GetWindow()) sub->GetWindow()->activate();
            }
            return;
        default: break;
    }
    if (submenuBy(msg, &SubmenuKind::request)) {
        OpenSubmenu(msg, combo);
    } else if (submenuBy(msg, &SubmenuKind::closed)) {
        SubmenuClosed(msg, combo);
    }
}

void ButtonAssignmentPanel::SetHighlight(int row) {
    highlight_ = row;
    w_.InvalidateRect(w_.Scaled(kPictureArea.left, kPictureArea.top, kPictureArea.right, kPictureArea.bottom));
}

// ---- Placement ----

Point ButtonAssignmentPanel::ToScreen(Point client) const {
    const Rect g = w_.GetWindow() ? w_.GetWindow()->geometry() : Rect{};
    return {g.left + client.x, g.top + client.y};
}

Point ButtonAssignmentPanel::MainMenuOrigin(const Rect& combo, bool* movedUp) const {
    const float s = w_.Scale();
    const int32_t windowTop = w_.GetWindow() ? w_.GetWindow()->geometry().top : 0;
    const int32_t screenHeight = w_.GetPlatform().screen().fullScreen.height;
    int32_t top = combo.bottom - int32_t(20.0f * s);
    const bool up = windowTop + top + int32_t(314.0f * s) > screenHeight;
    if (up) top = screenHeight - windowTop - int32_t(294.0f * s);
    if (movedUp) *movedUp = up;
    return {combo.left + int32_t(161.0f * s), top};
}

Point ButtonAssignmentPanel::SubmenuOrigin(const Rect& combo, int down, int up) const {
    const float s = w_.Scale();
    // Beside the main menu, which may have moved up to stay on screen.
    bool movedUp = false;
    const Point main = MainMenuOrigin(combo, &movedUp);
    const int32_t top = movedUp ? main.y + int32_t(float(up) * s) : combo.bottom + int32_t(float(down) * s);
    return {combo.right + int32_t(161.0f * s), top};
}

// ---- The chain ----

ui::CWndPopup* ButtonAssignmentPanel::MainMenu() const { return w_.PopupSlot(kSlotMain); }
ui::CWndPopup* ButtonAssignmentPanel::Submenu(Slot slot) const { return w_.PopupSlot(slot); }

ui::CWndPopup* ButtonAssignmentPanel::MacroList(size_t set) const {
    auto& lists = w_.MacroSetPopups();
    return set < lists.size() ? lists[set] : nullptr;
}

bool ButtonAssignmentPanel::AnySubmenuOpen() const {
    for (const auto& k : kSubmenus)
        if (Submenu(k.slot)) return true;
    return false;
}

bool ButtonAssignmentPanel::AnyMacroListOpen() const {
    for (auto* list : w_.MacroSetPopups())
        if (list) return true;
    return false;
}

void ButtonAssignmentPanel::CloseSubmenusAndLists() {
    for (const auto& k : kSubmenus) w_.ClosePopup(k.slot);
    for (size_t set = 0; set < w_.MacroSetPopups().size(); ++set) w_.CloseMacroSetPopup(set);
}

void ButtonAssignmentPanel::CloseChain(uint32_t combo) {
    SetMark(combo, false);
    CloseSubmenusAndLists();
    w_.ClosePopup(kSlotMain);
}

void ButtonAssignmentPanel::OpenMainMenu(uint32_t combo) {
    auto* c = Combo(combo);
    if (!c) return;
    // A chain opened from another row goes first, with its mark.
    for (uint32_t id = kFirstCombo; id < kFirstCombo + kRows; ++id)
        if (id != combo) SetMark(id, false);
    CloseSubmenusAndLists();
    w_.ClosePopup(kSlotMain);
    SetMark(combo, true);
    const float s = w_.Scale();
    const Point at = ToScreen(MainMenuOrigin(c->GetRect(), nullptr));
    auto menu = std::make_unique<ui::CComboPopup>(w_.Language());
    {
        Text title = w_.Language().LanguageText(mainwnd::kTextReaderAssignmentMenu);
        const Text row = fromUtf8(std::to_string(combo - kFirstCombo + 1));
        if (const size_t at = title.find(u"%d"); at != Text::npos) title.replace(at, 2, row);
        menu->SetAccessibleTitle(title);
    }
    menu->SetImages(ui::pictures::kMenuNr, ui::pictures::kMenuOv, ui::pictures::kMenusubNr, ui::pictures::kMenusubOv);
    auto* popup = w_.AdoptPopup(std::move(menu));
    w_.PopupSlot(kSlotMain) = popup;
    const int32_t size = int32_t(300.0f * s);
    if (!popup->Create(&w_, at.x, at.y, size, size, kMsgMainMenuResult, combo)) {
        w_.PopupSlot(kSlotMain) = nullptr;
        SetMark(combo, false);
    }
}

Text ButtonAssignmentPanel::ParentItemText() const {
    // A submenu opens when its item in the assignment menu becomes hot: it is named after it.
    const ui::CWndPopup* main = MainMenu();
    if (!main || main->HotItem() < 0) return {};
    return main->Items()[size_t(main->HotItem())].text;
}

void ButtonAssignmentPanel::OpenSubmenu(uint32_t requestMsg, uint32_t combo) {
    const SubmenuKind* kind = submenuBy(requestMsg, &SubmenuKind::request);
    auto* c = Combo(combo);
    if (!kind || !c || Submenu(kind->slot)) return;
    CloseSubmenusAndLists();
    std::unique_ptr<ui::CWndPopup> menu;
    switch (kind->slot) {
        case kSlotDpi: menu = std::make_unique<ui::CDPIPopup>(w_.Language()); break;
        case kSlotMultimedia: menu = std::make_unique<ui::CMultimediaPopup>(w_.Language()); break;
        case kSlotWindowsManage: menu = std::make_unique<ui::CWindowsManagePopup>(w_.Language()); break;
        case kSlotOffice: menu = std::make_unique<ui::COfficePopup>(w_.Language()); break;
        case kSlotMain: return;
    }
    menu->SetAccessibleTitle(ParentItemText());
    menu->SetImages(ui::pictures::kMenuNr, ui::pictures::kMenuOv, ui::pictures::kMenusubNr, ui::pictures::kMenusubOv);
    const Point at = ToScreen(SubmenuOrigin(c->GetRect(), kind->down, kind->up));
    auto* popup = w_.AdoptPopup(std::move(menu));
    w_.PopupSlot(kind->slot) = popup;
    const int32_t size = int32_t(300.0f * w_.Scale());
    if (!popup->Create(&w_, at.x, at.y, size, size, kind->result, combo)) w_.PopupSlot(kind->slot) = nullptr;
}

void ButtonAssignmentPanel::OpenMacroList(uint32_t combo, int set) {
    auto* c = Combo(combo);
    if (!c || set < 0 || MacroList(size_t(set))) return;
    const MacroSet* macros = w_.App().library.FindSet(uint32_t(set));
    // An empty list would be a menu without items: there is nothing to offer.
    if (!macros || macros->KeyCount() == 0) return;
    CloseSubmenusAndLists();
    const float s = w_.Scale();
    Point client = SubmenuOrigin(c->GetRect(), kMacroListDown, kMacroListUp);
    // A long list ends at the bottom of the screen.
    const int32_t windowTop = w_.GetWindow() ? w_.GetWindow()->geometry().top : 0;
    const int32_t screenHeight = w_.GetPlatform().screen().fullScreen.height;
    const int32_t listHeight = int32_t(macros->KeyCount()) * int32_t(22.0f * s);
    if (windowTop + client.y + listHeight > screenHeight) client.y = screenHeight - windowTop - listHeight;
    const Point at = ToScreen(client);
    auto menu = std::make_unique<ui::CMacroSetPopup>(w_.Language(), w_.App().library, set);
    menu->SetAccessibleTitle(ParentItemText());
    menu->SetImages(ui::pictures::kMenuNr, ui::pictures::kMenuOv, ui::pictures::kMenusubNr, ui::pictures::kMenusubOv);
    auto* popup = w_.AdoptPopup(std::move(menu));
    auto& lists = w_.MacroSetPopups();
    if (lists.size() <= size_t(set)) lists.resize(size_t(set) + 1, nullptr);
    lists[size_t(set)] = popup;
    const int32_t size = int32_t(300.0f * s);
    if (!popup->Create(&w_, at.x, at.y, size, size, kMsgMacroListResult, combo)) lists[size_t(set)] = nullptr;
}

// ---- Closed without a choice ----

bool ButtonAssignmentPanel::OnEscape(int popupType) {
    bool closed = false;
    for (const auto& k : kSubmenus)
        if (auto* sub = Submenu(k.slot); sub && sub->Type() == popupType) {
            w_.ClosePopup(k.slot);
            closed = true;
        }
    if (popupType >= ui::CWndPopup::kTypeMacroSetBase) {
        const auto set = size_t(popupType - ui::CWndPopup::kTypeMacroSetBase);
        if (MacroList(set)) {
            w_.CloseMacroSetPopup(set);
            closed = true;
        }
    }
    if (!closed) return false;
    if (auto* menu = MainMenu(); menu && menu->GetWindow()) menu->GetWindow()->activate();
    return true;
}

void ButtonAssignmentPanel::MainMenuClosed(uint32_t combo) {
    if (SubmenuOrListOpen()) return;
    SetMark(combo, false);
    w_.ClosePopup(kSlotMain);
}

void ButtonAssignmentPanel::SubmenuClosed(uint32_t msg, uint32_t combo) {
    const SubmenuKind* kind = submenuBy(msg, &SubmenuKind::closed);
    if (!kind || !Submenu(kind->slot)) return;
    // Moving from the submenu back onto the main menu is not leaving the chain.
    if (auto* main = MainMenu(); main && main->Tracking()) return;
    RedrawCombo(combo);
    w_.ClosePopup(kind->slot);
    if (SubmenuOrListOpen()) return;
    SetMark(combo, false);
    w_.ClosePopup(kSlotMain);
}

void ButtonAssignmentPanel::MacroListClosed(uint32_t combo, intptr_t type) {
    if (type < ui::CWndPopup::kTypeMacroSetBase) return;
    const auto set = size_t(type - ui::CWndPopup::kTypeMacroSetBase);
    if (!MacroList(set)) return;
    w_.CloseMacroSetPopup(set);
    if (AnySubmenuOpen()) return;
    SetMark(combo, false);
    w_.ClosePopup(kSlotMain);
}

// ---- Capture dialogs ----

void ButtonAssignmentPanel::OpenCaptureDialog(uint32_t requestMsg, uint32_t combo) {
    if (!Combo(combo)) return;
    CloseChain(combo);
    captureTarget_ = combo;
    w_.PostMessage(requestMsg == ui::kMsgOpenShortcutDialog ? kMsgRunShortcutDialog : kMsgRunFireKeyDialog);
}

void ButtonAssignmentPanel::RunCaptureDialog(uint32_t postedMsg) {
    if (!captureTarget_) return;
    if (postedMsg == kMsgRunShortcutDialog) {
        dialogs::CShortcutDlg dlg(w_.GetPlatform(), &w_, w_.Language(), kMsgShortcutResult);
        (void)dlg.DoModal();
    } else {
        dialogs::CFireKeyDlg dlg(w_.GetPlatform(), &w_, w_.Language(), kMsgFireKeyResult);
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
        const MacroSet* set = w_.App().library.FindSet(result.bytes[1]);
        macro = set ? set->FindKey(result.bytes[2]) : nullptr;
    }
    StoreAssignment(combo, result.text, result.bytes, macro);
    CloseChain(combo);
    EnforceLeftClick(combo);
}

void ButtonAssignmentPanel::StoreAssignment(uint32_t combo, const Text& text, std::array<uint8_t, 3> value,
                                            const MacroKey* macro) {
    if (!isCombo(combo)) return;
    KeyAssignment& key = w_.App().Current().keys[combo - kFirstCombo];
    key.KeyName = text;
    key.KeyValue = value;
    AssignMacro(key, macro);
}

void ButtonAssignmentPanel::EnforceLeftClick(uint32_t combo) {
    int leftClicks = 0;
    for (const auto& key : w_.App().Current().keys)
        leftClicks += key.KeyValue[0] == kLeftClick[0] && key.KeyValue[1] == kLeftClick[1];
    if (leftClicks > 0) {
        w_.MarkDirty(SyncGroup::Buttons);
        w_.ArmSync();
        return;
    }
    // The change took the last left click: the button keeps it, so the mouse needs nothing.
    const Text leftClick = w_.Language().LanguageText(kTextLeftClick);
    if (auto* c = Combo(combo)) c->SetText(leftClick);
    StoreAssignment(combo, leftClick, kLeftClick, nullptr);
    w_.SetTimer(kTimerLeftClickNotice, 100);
}

// ---- Macro manager ----

void ButtonAssignmentPanel::RunMacroManager() {
    // Every save of the manager hands its library to the window's records (and through the
    // window's files to disk), so the buttons' macros are already the manager's. Reading the
    // file again here would write an empty library beside the folder's lock if it had become
    // unreadable meanwhile.
    w_.OpenMacroManager(kMacroManagerStartMode);
    bool usesMacro = false;
    for (const auto& key : w_.App().Current().keys) usesMacro |= key.KeyValue[0] == 0x90;
    if (usesMacro) {
        w_.MarkDirty(SyncGroup::Buttons);
        w_.Link().syncNow();
    }
    w_.refreshPages();
}

// ---- Mouse picture ----

void ButtonAssignmentPanel::DrawHighlight(platform::Painter& p) const {
    if (highlight_ < 1 || highlight_ > 5) return;
    const platform::Image number =
        w_.Images().load(Text(ui::pictures::kMouseNumbers[static_cast<size_t>(highlight_ - 1)]));
    if (!number) return;
    const float s = w_.Scale();
    const Point at = kHighlightAt[highlight_ - 1];
    const Rect dst = Rect::fromSize(int32_t(float(at.x) * s), int32_t(float(at.y) * s),
                                    int32_t(float(number.width()) * s), int32_t(float(number.height()) * s));
    p.drawImage(number, dst, platform::Interpolation::Nearest);
}

}  // namespace orvane
