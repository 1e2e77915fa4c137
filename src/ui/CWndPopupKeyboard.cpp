// The popup menus' keys and what they tell assistive technology about their items.
#include <algorithm>

#include "ui/CDlgBase.h"
#include "ui/CWndPopup.h"

namespace orvane::ui {

std::vector<int> CWndPopup::ExposedItems() const {
    std::vector<int> exposed;
    for (size_t i = 0; i < items_.size(); ++i)
        if (!items_[i].separator) exposed.push_back(int(i));
    return exposed;
}

void CWndPopup::SetHotFromKeyboard(int index) {
    if (index < 0 || size_t(index) >= items_.size() || items_[size_t(index)].separator) return;
    if (hot_ == index) return;
    hot_ = index;
    // A submenu item opens its menu only when asked (Right or Enter): opening it on the way
    // would take the keyboard from this menu.
    if (!items_[size_t(index)].submenu) OnHotChanged(hot_);
    Render();
    if (!window_) return;
    const auto exposed = ExposedItems();
    const auto it = std::find(exposed.begin(), exposed.end(), index);
    window_->announce(platform::AccessibleEvent::Focus, int(it - exposed.begin()));
}

bool CWndPopup::ActivateItem(int index) {
    if (index < 0 || size_t(index) >= items_.size() || items_[size_t(index)].separator) return false;
    if (hot_ != index) {
        hot_ = index;
        Render();
    }
    // The owner opens a submenu when its item becomes hot, as under the pointer. Asked for from
    // the keyboard or by a reader, the new menu starts on its first item, so that the next key
    // acts there and the reader says where the focus went.
    if (items_[size_t(index)].submenu) {
        CWndPopup* const before = owner_ ? owner_->NewestPopup() : nullptr;
        OnHotChanged(index);
        CWndPopup* const opened = owner_ ? owner_->NewestPopup() : nullptr;
        if (opened && opened != before && opened != this && opened->IsWindow()) opened->FocusFirstItem();
        return true;
    }
    const PopupItem item = items_[size_t(index)];
    if (OnChoose(item)) SendResultToOwner();
    return true;
}

void CWndPopup::FocusFirstItem() {
    const auto exposed = ExposedItems();
    if (!exposed.empty()) SetHotFromKeyboard(exposed.front());
}

bool CWndPopup::OnNavigationKey(uint32_t vk) {
    const auto exposed = ExposedItems();
    if (exposed.empty()) return false;
    const int n = int(exposed.size());
    const auto it = std::find(exposed.begin(), exposed.end(), hot_);
    const int at = it == exposed.end() ? -1 : int(it - exposed.begin());
    switch (vk) {
        case platform::kVkDown: SetHotFromKeyboard(exposed[size_t(at < 0 ? 0 : (at + 1) % n)]); return true;
        case platform::kVkUp: SetHotFromKeyboard(exposed[size_t(at < 0 ? n - 1 : (at + n - 1) % n)]); return true;
        case platform::kVkHome: SetHotFromKeyboard(exposed.front()); return true;
        case platform::kVkEnd: SetHotFromKeyboard(exposed.back()); return true;
        case platform::kVkReturn:
        case platform::kVkSpace: return at >= 0 && ActivateItem(hot_);
        case platform::kVkRight: return at >= 0 && items_[size_t(hot_)].submenu && ActivateItem(hot_);
        // In a submenu Left steps back to the menu that opened it (the owner closes this one and
        // brings the parent forward, its item still hot); in the first menu it does nothing.
        case platform::kVkLeft: return SendToOwner(kMsgPopupEscape, context_, type_) != 0;
        default: return false;
    }
}

platform::AccessibleNode CWndPopup::accessibleWindow() const {
    platform::AccessibleNode n;
    n.role = platform::AccessibleRole::Menu;
    n.name = accessibleTitle_;
    n.rect = window_ ? Rect{0, 0, window_->geometry().width(), window_->geometry().height()} : Rect{};
    return n;
}

std::vector<platform::AccessibleNode> CWndPopup::accessibleItems() const {
    std::vector<platform::AccessibleNode> nodes;
    for (int i : ExposedItems()) {
        const PopupItem& item = items_[size_t(i)];
        platform::AccessibleNode n;
        n.role = platform::AccessibleRole::MenuItem;
        n.name = item.text;
        n.rect = item.rect;
        n.defaultAction = platform::AccessibleAction::Press;
        n.state = platform::kAccessibleFocusable;
        if (item.submenu) n.state |= platform::kAccessibleHasPopup;
        if (i == hot_) n.state |= platform::kAccessibleFocused | platform::kAccessibleSelected;
        nodes.push_back(std::move(n));
    }
    return nodes;
}

bool CWndPopup::accessibleAct(int item, platform::AccessibleAction action) {
    const auto exposed = ExposedItems();
    if (action != platform::AccessibleAction::Press || item < 0 || size_t(item) >= exposed.size()) return false;
    return ActivateItem(exposed[size_t(item)]);
}

bool CWndPopup::accessibleFocus(int item) {
    const auto exposed = ExposedItems();
    if (item < 0 || size_t(item) >= exposed.size()) return false;
    SetHotFromKeyboard(exposed[size_t(item)]);
    return true;
}

}  // namespace orvane::ui
