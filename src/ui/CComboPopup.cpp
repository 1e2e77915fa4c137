#include "ui/CComboPopup.h"

#include "profile/ButtonFunctions.h"

namespace orvane::ui {

namespace {

enum class Action { KeyValue, Submenu, FireKeyDialog, ShortcutDialog };

struct ComboItem {
    int textIndex;
    Action action;
    uint32_t hoverMsg;  // sent when the item becomes hot
    intptr_t hoverParam;
};

// Item ids are positions + 1.
constexpr ComboItem kItems[] = {
    {20, Action::KeyValue, kMsgComboItemHovered, 1},
    {21, Action::KeyValue, kMsgComboItemHovered, 2},
    {22, Action::KeyValue, kMsgComboItemHovered, 3},
    {23, Action::KeyValue, kMsgComboItemHovered, 4},
    {24, Action::KeyValue, kMsgComboItemHovered, 5},
    {25, Action::Submenu, kMsgOpenDpiMenu, 6},
    {26, Action::FireKeyDialog, kMsgComboItemHovered, 7},
    {27, Action::KeyValue, kMsgComboItemHovered, 8},
    {28, Action::Submenu, kMsgOpenMacroSetMenu, 1},  // macro set 0
    {29, Action::ShortcutDialog, kMsgComboItemHovered, 10},
    {30, Action::Submenu, kMsgOpenMultimediaMenu, 11},
    {31, Action::Submenu, kMsgOpenOfficeMenu, 12},
    {32, Action::Submenu, kMsgOpenWindowsManageMenu, 13},
    {34, Action::KeyValue, kMsgComboItemHovered, 14},
};

const ComboItem* itemById(int32_t id) {
    return id >= 1 && size_t(id) <= std::size(kItems) ? &kItems[size_t(id - 1)] : nullptr;
}

}  // namespace

CComboPopup::CComboPopup(const LanguageTable& language) : CWndPopup(kTypeCombo), language_(language) {}

void CComboPopup::Init() {
    for (size_t i = 0; i < std::size(kItems); ++i)
        AddItem(language_.LanguageText(kItems[i].textIndex), Image{}, int32_t(i + 1),
                kItems[i].action == Action::Submenu);
}

void CComboPopup::OnHotChanged(int index) {
    if (index < 0 || size_t(index) >= Items().size()) return;
    if (const ComboItem* item = itemById(Items()[size_t(index)].id))
        SendToOwner(item->hoverMsg, Context(), item->hoverParam);
}

bool CComboPopup::OnPress(Point pt) {
    const bool changed = CWndPopup::OnPress(pt);
    // The mouse-button items tell the owner at once, so that it can bring open submenus
    // forward before the release.
    const int hot = HotItem();
    if (hot >= 0) {
        const int32_t id = Items()[size_t(hot)].id;
        if (id >= 1 && id <= 4) SendToOwner(SelectionMessage(), 0, 0);
    }
    return changed;
}

bool CComboPopup::OnChoose(const PopupItem& chosen) {
    const ComboItem* item = itemById(chosen.id);
    if (!item) return false;
    switch (item->action) {
    case Action::KeyValue: {
        // The item's function, from the one table of fixed functions.
        const auto value = FixedFunctionValue(item->textIndex);
        if (!value) return false;
        result_.text = chosen.text;
        result_.bytes = *value;
        result_.byteCount = 3;
        return true;
    }
    case Action::FireKeyDialog: SendToOwner(kMsgOpenFireKeyDialog, Context(), 0); return false;
    case Action::ShortcutDialog: SendToOwner(kMsgOpenShortcutDialog, Context(), 0); return false;
    case Action::Submenu: return false;
    }
    return false;
}

}  // namespace orvane::ui
