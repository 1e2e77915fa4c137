#pragma once
// The interface font chosen with the language, read by every control and dialog when it makes
// its font. Set once at start-up, before windows are created.
#include "platform/Font.h"

namespace orvane::ui {

void SetUiFontChoice(const platform::FontChoice& choice);
const platform::FontChoice& UiFontChoice();

}  // namespace orvane::ui
