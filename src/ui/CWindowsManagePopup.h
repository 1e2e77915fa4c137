#pragma once
// The window-management submenu: a consumer key or a key combination per item.
#include "ui/CTablePopup.h"

namespace orvane::ui {

class CWindowsManagePopup : public CTablePopup {
public:
    explicit CWindowsManagePopup(const LanguageTable& language);
};

}  // namespace orvane::ui
