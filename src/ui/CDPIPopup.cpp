#include "ui/CDPIPopup.h"

namespace orvane::ui {

CDPIPopup::CDPIPopup(const LanguageTable& language)
    : CTablePopup(kTypeDpi, language, FunctionMenuEntries(FunctionMenu::Dpi)) {}

}  // namespace orvane::ui
