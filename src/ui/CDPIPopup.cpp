#include "ui/CDPIPopup.h"

namespace orvane::ui {

namespace {
constexpr TablePopupEntry kEntries[] = {
    {40, {0x40, 0x02, 0x00}, 3},
    {41, {0x40, 0x03, 0x00}, 3},
    {42, {0x40, 0x01, 0x00}, 3},
};
}  // namespace

CDPIPopup::CDPIPopup(const LanguageTable& language) : CTablePopup(kTypeDpi, language, kEntries) {}

}  // namespace orvane::ui
