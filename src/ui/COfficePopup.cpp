#include "ui/COfficePopup.h"

namespace orvane::ui {

namespace {
constexpr TablePopupEntry kEntries[] = {
    {60, {0x70, 0x01, 0x06}, 3},
    {61, {0x70, 0x01, 0x19}, 3},
    {62, {0x70, 0x01, 0x1B}, 3},
    {63, {0x70, 0x01, 0x04}, 3},
    {64, {0x70, 0x01, 0x11}, 3},
    {65, {0x70, 0x01, 0x16}, 3},
    {66, {0x70, 0x01, 0x13}, 3},
    {67, {0x70, 0x08, 0x08}, 3},
    {68, {0x70, 0x01, 0x1D}, 3},
};
}  // namespace

COfficePopup::COfficePopup(const LanguageTable& language) : CTablePopup(kTypeOffice, language, kEntries) {}

}  // namespace orvane::ui
