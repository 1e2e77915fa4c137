#include "ui/CComboActionInsertPopup.h"
#include "ui/Pictures.h"

namespace orvane::ui {

namespace {
constexpr TablePopupEntry kEntries[] = {
    {20, {0}, 1}, {21, {1}, 1}, {22, {2}, 1}, {205, {3}, 1}, {206, {4}, 1},
};
// Pictures the application carries beside the skin.
constexpr const char16_t* kIcons[] = {
    ui::pictures::kResInsertLeft,  ui::pictures::kResInsertRight, ui::pictures::kResInsertMiddle,
    ui::pictures::kResInsertDelay, ui::pictures::kResInsertKey,
};
}  // namespace

CComboActionInsertPopup::CComboActionInsertPopup(const LanguageTable& language)
    : CTablePopup(kTypeActionInsert, language, kEntries) {}

void CComboActionInsertPopup::Init() {
    SetItemWidth(kItemWidth);
    for (size_t i = 0; i < std::size(kEntries); ++i)
        AddItem(language_.LanguageText(kEntries[i].textIndex), LoadImage(kIcons[i]), int32_t(i + 1), false);
}

}  // namespace orvane::ui
