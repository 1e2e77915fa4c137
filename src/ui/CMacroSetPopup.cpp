#include "ui/CMacroSetPopup.h"

namespace orvane::ui {

namespace {
constexpr int kMacroPrefixText = 190;
constexpr uint8_t kMacroFunction = 0x90;
}  // namespace

CMacroSetPopup::CMacroSetPopup(const LanguageTable& language, const MacroLibrary& library, int32_t setIndex)
    : CWndPopup(kTypeMacroSetBase + setIndex), language_(language), library_(library), setIndex_(setIndex) {}

void CMacroSetPopup::Init() {
    const MacroSet* set = setIndex_ >= 0 ? library_.FindSet(uint32_t(setIndex_)) : nullptr;
    if (!set) return;
    for (uint32_t k = 0; k < set->KeyCount(); ++k) AddItem(set->FindKey(k)->GetName(), Image{}, int32_t(k + 1), false);
}

bool CMacroSetPopup::OnChoose(const PopupItem& item) {
    // The key value has one byte for the set and one for the key; the library may have changed
    // since the menu opened, so the key is looked up again.
    const MacroSet* set = library_.FindSet(uint32_t(setIndex_));
    const int32_t k = item.id - 1;
    if (!set || k < 0 || uint32_t(k) >= set->KeyCount() || setIndex_ > 0xFF || k > 0xFF) return false;
    result_.text = language_.LanguageText(kMacroPrefixText) + set->FindKey(uint32_t(k))->GetName();
    result_.bytes = {kMacroFunction, uint8_t(setIndex_), uint8_t(k)};
    result_.byteCount = 3;
    return true;
}

}  // namespace orvane::ui
