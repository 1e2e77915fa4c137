#include "macro/LoopCountInput.h"

#include <string>

#include "macro/MacroManagerIds.h"
#include "macro/MacroText.h"
#include "ui/CEditControl.h"

namespace orvane::macro {

using namespace mgr;

LoopCountInput::LoopCountInput(ui::CEditControl& control, std::function<MacroKey*()> selectedKey,
                               std::function<void(int textEntry)> attention)
    : control_(control),
      field_(control.Field()),
      selectedKey_(std::move(selectedKey)),
      attention_(std::move(attention)) {
    control_.SetKeyFilter([this](const platform::KeyEvent& e) { return FilterKey(e); });
    if (field_) field_->onEdited = [this] { TakeTyped(); };
}

void LoopCountInput::Show(bool show) {
    shown_ = show;
    control_.SetVisible(show);
}

void LoopCountInput::Fill() {
    if (!field_) return;
    const MacroKey* key = selectedKey_();
    field_->setText(key ? fromUtf8(std::to_string(key->LoopNum)) : Text{});
}

bool LoopCountInput::FilterKey(const platform::KeyEvent& e) {
    if (e.vk == platform::kVkReturn || e.vk == platform::kVkEscape) return true;  // swallowed
    const MacroKey* key = selectedKey_();
    if (e.down && !e.text.empty() && isNonDigitCharacter(e.text.front()) && key &&
        key->LoopType == kLoopTypeCount) {
        // A warning; the character still lands and is read only up to it.
        attention_(kTextNotDigit);
    }
    return false;
}

void LoopCountInput::TakeTyped() {
    MacroKey* key = selectedKey_();
    if (!key || key->LoopType != kLoopTypeCount || !field_) return;
    uint32_t n = leadingNumber(field_->text());
    if (n >= 256 || n == 0) {
        n = n == 0 ? 1 : 255;
        field_->setText(fromUtf8(std::to_string(n)));
    }
    // Kept in memory; the file is written with the next change of structure or on close.
    key->LoopNum = uint8_t(n);
}

}  // namespace orvane::macro
