#pragma once
// The macro manager's insert menu: left, right or middle click, delay, key. A choice yields one
// byte, 0 to 4, the kind of action to append.
#include "ui/CTablePopup.h"

namespace orvane::ui {

class CComboActionInsertPopup : public CTablePopup {
public:
    static constexpr int32_t kItemWidth = 117;

    explicit CComboActionInsertPopup(const LanguageTable& language);

    void Init() override;
    void DrawIcons(Painter& p, const Rect&) override { DrawItemIcons(p); }
};

}  // namespace orvane::ui
