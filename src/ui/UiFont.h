#pragma once
// The interface font chosen with the language, read by every control and dialog when it makes
// its font. Set once at start-up, before windows are created.
// It stays one value for the process rather than state handed down: every control and popup
// reads it in its constructor, most of them built where no window is at hand (menus, list rows,
// the gallery's sheets), and there is only ever one interface language and so one font at a time.
#include "platform/Font.h"

namespace orvane::ui {

void SetUiFontChoice(const platform::FontChoice& choice);
const platform::FontChoice& UiFontChoice();

}  // namespace orvane::ui
