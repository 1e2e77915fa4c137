#pragma once
// The DPI function submenu of the button-assignment menu.
#include "ui/CTablePopup.h"

namespace orvane::ui {

class CDPIPopup : public CTablePopup {
public:
    explicit CDPIPopup(const LanguageTable& language);
};

}  // namespace orvane::ui
