#include "ui/CWindowsManagePopup.h"

namespace orvane::ui {

CWindowsManagePopup::CWindowsManagePopup(const LanguageTable& language)
    : CTablePopup(kTypeWindowsManage, language, FunctionMenuEntries(FunctionMenu::WindowsManage)) {}

}  // namespace orvane::ui
