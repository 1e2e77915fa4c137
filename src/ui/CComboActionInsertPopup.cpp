#include "ui/CComboActionInsertPopup.h"

namespace orvane::ui {

namespace {
constexpr TablePopupEntry kEntries[] = {
    {20, {0}, 1}, {21, {1}, 1}, {22, {2}, 1}, {205, {3}, 1}, {206, {4}, 1},
};
// Pictures the application carries beside the skin.
constexpr const char16_t* kIcons[] = {
    u"skins\\res\\insert_left.png",  u"skins\\res\\insert_right.png", u"skins\\res\\insert_middle.png",
    u"skins\\res\\insert_delay.png", u"skins\\res\\insert_key.png",
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
