#pragma once
// A skinned menu whose items are fixed: each item is a Language table entry and a choice
// yields that text with the item's bytes (a key value, or one byte). Items are numbered from 1
// in table order.
#include <array>
#include <cstdint>
#include <span>

#include "profile/ButtonFunctions.h"
#include "profile/LanguageTable.h"
#include "ui/CWndPopup.h"

namespace orvane::ui {

struct TablePopupEntry {
    int textIndex;  // Language table entry
    std::array<uint8_t, 3> bytes;
    int byteCount;  // 3 for a key value, 1 for a menu that yields one byte
};

// The items of one of the assignment menu's function submenus, from the one table of fixed
// functions.
std::span<const TablePopupEntry> FunctionMenuEntries(FunctionMenu menu);

class CTablePopup : public CWndPopup {
public:
    CTablePopup(int type, const LanguageTable& language, std::span<const TablePopupEntry> entries);

    void Init() override;
    void DrawItems(Painter& p, const Rect& r) override;

protected:
    bool OnChoose(const PopupItem& item) override;
    const LanguageTable& language_;

private:
    std::span<const TablePopupEntry> entries_;
};

}  // namespace orvane::ui
