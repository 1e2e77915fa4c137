#include "ui/UiFont.h"

namespace orvane::ui {

namespace {
platform::FontChoice& current() {
    static platform::FontChoice choice;
    return choice;
}
}  // namespace

void SetUiFontChoice(const platform::FontChoice& choice) { current() = choice; }
const platform::FontChoice& UiFontChoice() { return current(); }

}  // namespace orvane::ui
