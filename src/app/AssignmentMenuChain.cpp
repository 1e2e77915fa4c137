#include "app/AssignmentMenuChain.h"

#include <string>

#include "app/MainIds.h"
#include "ui/CComboButton.h"
#include "ui/CComboPopup.h"
#include "ui/CDPIPopup.h"
#include "ui/CMacroSetPopup.h"
#include "ui/CMultimediaPopup.h"
#include "ui/COfficePopup.h"
#include "ui/CWindowsManagePopup.h"
#include "ui/Pictures.h"

namespace orvane {

using namespace mainwnd;
using platform::Point;
using platform::Rect;

namespace {

// The submenus of the chain: which request opens which, where, and what it answers with.
struct SubmenuKind {
    uint32_t request;
    AssignmentMenuChain::Slot slot;
    int down, up;  // design offsets below the combo, or below a main menu moved up
    uint32_t result;
    uint32_t closed;
};
constexpr SubmenuKind kSubmenus[] = {
    {ui::kMsgOpenDpiMenu, AssignmentMenuChain::kSlotDpi, 102, 118, kMsgDpiResult, ui::kMsgDpiPopupDeactivated},
    {ui::kMsgOpenMultimediaMenu, AssignmentMenuChain::kSlotMultimedia, 213, 89, kMsgMultimediaResult,
     ui::kMsgMultimediaPopupDeactivated},
    {ui::kMsgOpenWindowsManageMenu, AssignmentMenuChain::kSlotWindowsManage, 257, 176, kMsgWindowsManageResult,
     ui::kMsgWindowsManagePopupDeactivated},
    {ui::kMsgOpenOfficeMenu, AssignmentMenuChain::kSlotOffice, 235, 110, kMsgOfficeResult,
     ui::kMsgOfficePopupDeactivated},
};
constexpr int kMacroListDown = 161;
constexpr int kMacroListUp = 180;

const SubmenuKind* submenuBy(uint32_t msg, uint32_t SubmenuKind::*field) {
    for (const auto& k : kSubmenus)
        if (k.*field == msg) return &k;
    return nullptr;
}

void setMenuImages(ui::CWndPopup& menu) {
    menu.SetImages(ui::pictures::kMenuNr, ui::pictures::kMenuOv, ui::pictures::kMenusubNr,
                   ui::pictures::kMenusubOv);
}

}  // namespace

bool AssignmentMenuChain::IsSubmenuRequest(uint32_t msg) { return submenuBy(msg, &SubmenuKind::request); }
bool AssignmentMenuChain::IsSubmenuDeactivation(uint32_t msg) { return submenuBy(msg, &SubmenuKind::closed); }

ui::CControlBase* AssignmentMenuChain::Row(uint32_t combo) const {
    const bool isRow = combo >= kFirstCombo && combo < kFirstCombo + uint32_t(kKeyCount);
    return isRow ? dlg_.FindControlAs<ui::CComboButton>(combo) : nullptr;
}

// ---- Placement ----

Point AssignmentMenuChain::ToScreen(Point client) const {
    const Rect g = dlg_.GetWindow() ? dlg_.GetWindow()->geometry() : Rect{};
    return {g.left + client.x, g.top + client.y};
}

Point AssignmentMenuChain::MainMenuOrigin(const Rect& combo, bool* movedUp) const {
    const float s = dlg_.Scale();
    const int32_t windowTop = dlg_.GetWindow() ? dlg_.GetWindow()->geometry().top : 0;
    const int32_t screenHeight = dlg_.GetPlatform().screen().fullScreen.height;
    int32_t top = combo.bottom - int32_t(20.0f * s);
    const bool up = windowTop + top + int32_t(314.0f * s) > screenHeight;
    if (up) top = screenHeight - windowTop - int32_t(294.0f * s);
    if (movedUp) *movedUp = up;
    return {combo.left + int32_t(161.0f * s), top};
}

Point AssignmentMenuChain::SubmenuOrigin(const Rect& combo, int down, int up) const {
    const float s = dlg_.Scale();
    // Beside the main menu, which may have moved up to stay on screen.
    bool movedUp = false;
    const Point main = MainMenuOrigin(combo, &movedUp);
    const int32_t top = movedUp ? main.y + int32_t(float(up) * s) : combo.bottom + int32_t(float(down) * s);
    return {combo.right + int32_t(161.0f * s), top};
}

// ---- What is open ----

ui::CWndPopup* AssignmentMenuChain::MainMenu() const { return dlg_.PopupSlot(kSlotMain); }
ui::CWndPopup* AssignmentMenuChain::Submenu(Slot slot) const { return dlg_.PopupSlot(slot); }

ui::CWndPopup* AssignmentMenuChain::MacroList(size_t set) const {
    auto& lists = dlg_.MacroSetPopups();
    return set < lists.size() ? lists[set] : nullptr;
}

bool AssignmentMenuChain::AnySubmenuOpen() const {
    for (const auto& k : kSubmenus)
        if (Submenu(k.slot)) return true;
    return false;
}

bool AssignmentMenuChain::AnyMacroListOpen() const {
    for (auto* list : dlg_.MacroSetPopups())
        if (list) return true;
    return false;
}

void AssignmentMenuChain::ActivateMainMenu() {
    if (auto* menu = MainMenu(); menu && menu->GetWindow()) menu->GetWindow()->activate();
}

void AssignmentMenuChain::ActivateSubmenus() {
    for (const auto& k : kSubmenus)
        if (auto* sub = Submenu(k.slot); sub && sub->GetWindow()) sub->GetWindow()->activate();
}

// ---- Opening ----

void AssignmentMenuChain::OpenMainMenu(uint32_t combo) {
    auto* c = Row(combo);
    if (!c) return;
    // A chain opened from another row goes first, with its mark.
    for (uint32_t id = kFirstCombo; id < kFirstCombo + uint32_t(kKeyCount); ++id)
        if (id != combo) mark_(id, false);
    CloseSubmenusAndLists();
    dlg_.ClosePopup(kSlotMain);
    mark_(combo, true);
    const float s = dlg_.Scale();
    const Point at = ToScreen(MainMenuOrigin(c->GetRect(), nullptr));
    auto menu = std::make_unique<ui::CComboPopup>(app_.language);
    {
        Text title = app_.language.LanguageText(mainwnd::kTextReaderAssignmentMenu);
        const Text row = fromUtf8(std::to_string(combo - kFirstCombo + 1));
        if (const size_t at = title.find(u"%d"); at != Text::npos) title.replace(at, 2, row);
        menu->SetAccessibleTitle(title);
    }
    setMenuImages(*menu);
    auto* popup = dlg_.AdoptPopup(std::move(menu));
    dlg_.PopupSlot(kSlotMain) = popup;
    const int32_t size = int32_t(300.0f * s);
    if (!popup->Create(&dlg_, at.x, at.y, size, size, kMsgMainMenuResult, combo)) {
        dlg_.PopupSlot(kSlotMain) = nullptr;
        mark_(combo, false);
    }
}

Text AssignmentMenuChain::ParentItemText() const {
    // A submenu opens when its item in the assignment menu becomes hot: it is named after it.
    const ui::CWndPopup* main = MainMenu();
    if (!main || main->HotItem() < 0) return {};
    return main->Items()[size_t(main->HotItem())].text;
}

void AssignmentMenuChain::OpenSubmenu(uint32_t requestMsg, uint32_t combo) {
    const SubmenuKind* kind = submenuBy(requestMsg, &SubmenuKind::request);
    auto* c = Row(combo);
    if (!kind || !c || Submenu(kind->slot)) return;
    CloseSubmenusAndLists();
    std::unique_ptr<ui::CWndPopup> menu;
    switch (kind->slot) {
        case kSlotDpi: menu = std::make_unique<ui::CDPIPopup>(app_.language); break;
        case kSlotMultimedia: menu = std::make_unique<ui::CMultimediaPopup>(app_.language); break;
        case kSlotWindowsManage: menu = std::make_unique<ui::CWindowsManagePopup>(app_.language); break;
        case kSlotOffice: menu = std::make_unique<ui::COfficePopup>(app_.language); break;
        case kSlotMain: return;
    }
    menu->SetAccessibleTitle(ParentItemText());
    setMenuImages(*menu);
    const Point at = ToScreen(SubmenuOrigin(c->GetRect(), kind->down, kind->up));
    auto* popup = dlg_.AdoptPopup(std::move(menu));
    dlg_.PopupSlot(kind->slot) = popup;
    const int32_t size = int32_t(300.0f * dlg_.Scale());
    if (!popup->Create(&dlg_, at.x, at.y, size, size, kind->result, combo)) dlg_.PopupSlot(kind->slot) = nullptr;
}

void AssignmentMenuChain::OpenMacroList(uint32_t combo, int set) {
    auto* c = Row(combo);
    if (!c || set < 0 || MacroList(size_t(set))) return;
    const MacroSet* macros = app_.library.FindSet(uint32_t(set));
    // An empty list would be a menu without items: there is nothing to offer.
    if (!macros || macros->KeyCount() == 0) return;
    CloseSubmenusAndLists();
    const float s = dlg_.Scale();
    Point client = SubmenuOrigin(c->GetRect(), kMacroListDown, kMacroListUp);
    // A long list ends at the bottom of the screen.
    const int32_t windowTop = dlg_.GetWindow() ? dlg_.GetWindow()->geometry().top : 0;
    const int32_t screenHeight = dlg_.GetPlatform().screen().fullScreen.height;
    const int32_t listHeight = int32_t(macros->KeyCount()) * int32_t(22.0f * s);
    if (windowTop + client.y + listHeight > screenHeight) client.y = screenHeight - windowTop - listHeight;
    const Point at = ToScreen(client);
    auto menu = std::make_unique<ui::CMacroSetPopup>(app_.language, app_.library, set);
    menu->SetAccessibleTitle(ParentItemText());
    setMenuImages(*menu);
    auto* popup = dlg_.AdoptPopup(std::move(menu));
    auto& lists = dlg_.MacroSetPopups();
    if (lists.size() <= size_t(set)) lists.resize(size_t(set) + 1, nullptr);
    lists[size_t(set)] = popup;
    const int32_t size = int32_t(300.0f * s);
    if (!popup->Create(&dlg_, at.x, at.y, size, size, kMsgMacroListResult, combo)) lists[size_t(set)] = nullptr;
}

// ---- Closing ----

void AssignmentMenuChain::CloseSubmenusAndLists() {
    for (const auto& k : kSubmenus) dlg_.ClosePopup(k.slot);
    for (size_t set = 0; set < dlg_.MacroSetPopups().size(); ++set) dlg_.CloseMacroSetPopup(set);
}

void AssignmentMenuChain::CloseChain(uint32_t combo) {
    mark_(combo, false);
    CloseSubmenusAndLists();
    dlg_.ClosePopup(kSlotMain);
}

bool AssignmentMenuChain::OnEscape(int popupType) {
    bool closed = false;
    for (const auto& k : kSubmenus)
        if (auto* sub = Submenu(k.slot); sub && sub->Type() == popupType) {
            dlg_.ClosePopup(k.slot);
            closed = true;
        }
    if (popupType >= ui::CWndPopup::kTypeMacroSetBase) {
        const auto set = size_t(popupType - ui::CWndPopup::kTypeMacroSetBase);
        if (MacroList(set)) {
            dlg_.CloseMacroSetPopup(set);
            closed = true;
        }
    }
    if (!closed) return false;
    ActivateMainMenu();
    return true;
}

void AssignmentMenuChain::MainMenuClosed(uint32_t combo) {
    if (SubmenuOrListOpen()) return;
    mark_(combo, false);
    dlg_.ClosePopup(kSlotMain);
}

void AssignmentMenuChain::SubmenuClosed(uint32_t deactivationMsg, uint32_t combo) {
    const SubmenuKind* kind = submenuBy(deactivationMsg, &SubmenuKind::closed);
    if (!kind || !Submenu(kind->slot)) return;
    // Moving from the submenu back onto the main menu is not leaving the chain.
    if (auto* main = MainMenu(); main && main->Tracking()) return;
    if (auto* c = Row(combo)) dlg_.InvalidateRect(c->GetRect());
    dlg_.ClosePopup(kind->slot);
    if (SubmenuOrListOpen()) return;
    mark_(combo, false);
    dlg_.ClosePopup(kSlotMain);
}

void AssignmentMenuChain::MacroListClosed(uint32_t combo, intptr_t popupType) {
    if (popupType < ui::CWndPopup::kTypeMacroSetBase) return;
    const auto set = size_t(popupType - ui::CWndPopup::kTypeMacroSetBase);
    if (!MacroList(set)) return;
    dlg_.CloseMacroSetPopup(set);
    if (AnySubmenuOpen()) return;
    mark_(combo, false);
    dlg_.ClosePopup(kSlotMain);
}

}  // namespace orvane
