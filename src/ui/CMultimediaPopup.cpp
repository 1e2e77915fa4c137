#include "ui/CMultimediaPopup.h"

namespace orvane::ui {

CMultimediaPopup::CMultimediaPopup(const LanguageTable& language)
    : CTablePopup(kTypeMultimedia, language, FunctionMenuEntries(FunctionMenu::Multimedia)) {}

}  // namespace orvane::ui
