#include "dialogs/PopupWindowTable.h"

#include <algorithm>
#include <vector>

namespace orvane::dialogs {

PopupWindowTable& PopupWindowTable::instance() {
    static PopupWindowTable table;
    return table;
}

void PopupWindowTable::enter(ui::CDlgBase* dialog) {
    for (auto& e : entries_)
        if (e == nullptr) {
            e = dialog;
            return;
        }
}

void PopupWindowTable::leave(ui::CDlgBase* dialog) {
    auto it = std::find(entries_.begin(), entries_.end(), dialog);
    if (it == entries_.end()) return;
    std::move(it + 1, entries_.end(), it);
    entries_.back() = nullptr;
}

void PopupWindowTable::closeAll() {
    // A dialog that closes leaves the table, so work on a copy.
    std::vector<ui::CDlgBase*> open;
    for (auto* e : entries_)
        if (e) open.push_back(e);
    for (auto* d : open)
        if (std::find(entries_.begin(), entries_.end(), d) != entries_.end()) d->SendMessage(ui::kMsgClose);
}

size_t PopupWindowTable::count() const {
    return size_t(std::count_if(entries_.begin(), entries_.end(), [](auto* e) { return e != nullptr; }));
}

}  // namespace orvane::dialogs
