#pragma once
// The multimedia submenu: each item is a consumer-control key (0x80, usage low, usage high).
#include "ui/CTablePopup.h"

namespace orvane::ui {

class CMultimediaPopup : public CTablePopup {
public:
    explicit CMultimediaPopup(const LanguageTable& language);
};

}  // namespace orvane::ui
