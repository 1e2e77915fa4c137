#include "ui/COfficePopup.h"

namespace orvane::ui {

COfficePopup::COfficePopup(const LanguageTable& language)
    : CTablePopup(kTypeOffice, language, FunctionMenuEntries(FunctionMenu::Office)) {}

}  // namespace orvane::ui
