#include "ui/CTablePopup.h"

#include <array>
#include <vector>

namespace orvane::ui {

std::span<const TablePopupEntry> FunctionMenuEntries(FunctionMenu menu) {
    static const auto menus = [] {
        std::array<std::vector<TablePopupEntry>, size_t(FunctionMenu::WindowsManage) + 1> all;
        for (const FixedFunction& f : FixedFunctions()) all[size_t(f.menu)].push_back({f.entry, f.value, 3});
        return all;
    }();
    return menus[size_t(menu)];
}

CTablePopup::CTablePopup(int type, const LanguageTable& language, std::span<const TablePopupEntry> entries)
    : CWndPopup(type), language_(language), entries_(entries) {}

void CTablePopup::Init() {
    for (size_t i = 0; i < entries_.size(); ++i)
        AddItem(language_.LanguageText(entries_[i].textIndex), Image{}, int32_t(i + 1), false);
}

void CTablePopup::DrawItems(Painter& p, const Rect&) { DrawImageItems(p); }

bool CTablePopup::OnChoose(const PopupItem& item) {
    if (item.id < 1 || size_t(item.id) > entries_.size()) return false;
    const TablePopupEntry& e = entries_[size_t(item.id - 1)];
    result_.text = item.text;
    result_.bytes = e.bytes;
    result_.byteCount = e.byteCount;
    return true;
}

}  // namespace orvane::ui
