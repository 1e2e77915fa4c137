#pragma once
// The list of the MacroKeys of one macro set, offered as button functions. Plain look (no item
// pictures). Choosing key k of set s yields Language table entry 190 followed by the key's
// name, and the key value 0x90, s, k.
#include "profile/LanguageTable.h"
#include "profile/MacroLibrary.h"
#include "ui/CWndPopup.h"

namespace orvane::ui {

class CMacroSetPopup : public CWndPopup {
public:
    CMacroSetPopup(const LanguageTable& language, const MacroLibrary& library, int32_t setIndex);

    void Init() override;
    void DrawItems(Painter& p, const Rect&) override { DrawPlainItems(p); }
    int32_t SetIndex() const { return setIndex_; }

protected:
    bool OnChoose(const PopupItem& item) override;

private:
    const LanguageTable& language_;
    const MacroLibrary& library_;
    int32_t setIndex_;
};

}  // namespace orvane::ui
