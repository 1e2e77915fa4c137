#include "ui/CWindowsManagePopup.h"

namespace orvane::ui {

namespace {
constexpr TablePopupEntry kEntries[] = {
    {75, {0x80, 0x94, 0x01}, 3},
    {76, {0x70, 0x04, 0x3D}, 3},
    {77, {0x70, 0x08, 0x07}, 3},
    {78, {0x70, 0x08, 0x15}, 3},
    {79, {0x70, 0x08, 0x51}, 3},
    {80, {0x70, 0x08, 0x52}, 3},
};
}  // namespace

CWindowsManagePopup::CWindowsManagePopup(const LanguageTable& language) : CTablePopup(kTypeWindowsManage, language, kEntries) {}

}  // namespace orvane::ui
