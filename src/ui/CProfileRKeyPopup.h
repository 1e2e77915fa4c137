#pragma once
// The profile tab's context menu: import, export, rename, remove, programs (one byte, 0 to 4).
#include "ui/CTablePopup.h"

namespace orvane::ui {

class CProfileRKeyPopup : public CTablePopup {
public:
    explicit CProfileRKeyPopup(const LanguageTable& language);
};

}  // namespace orvane::ui
