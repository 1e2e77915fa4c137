#pragma once
// The office submenu: key combinations (0x70, modifier mask, key usage).
#include "ui/CTablePopup.h"

namespace orvane::ui {

class COfficePopup : public CTablePopup {
public:
    explicit COfficePopup(const LanguageTable& language);
};

}  // namespace orvane::ui
