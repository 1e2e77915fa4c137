#pragma once
// The macro manager's field for how many times a macro runs, shown while the selected macro
// runs a counted number of times. It takes digits (a warning for anything else, the number read
// up to it) and holds the count to 1-255; the count reaches the macro as it is typed.
#include <functional>

#include "platform/EditField.h"
#include "profile/MacroKey.h"

namespace orvane::ui {
class CEditControl;
}  // namespace orvane::ui

namespace orvane::macro {

class LoopCountInput {
public:
    // Wires itself to control's typing.
    LoopCountInput(ui::CEditControl& control, std::function<MacroKey*()> selectedKey,
                   std::function<void(int textEntry)> attention);

    [[nodiscard]] ui::CEditControl& Control() const { return control_; }
    // The desktop's field; none where the platform has no edit fields.
    [[nodiscard]] platform::EditField* Field() const { return field_; }
    [[nodiscard]] bool Shown() const { return shown_; }
    void Show(bool show);
    // Shows the selected macro's count (empty with none selected).
    void Fill();
    // Takes what is typed as the selected counted macro's count.
    void TakeTyped();

private:
    bool FilterKey(const platform::KeyEvent& e);

    ui::CEditControl& control_;
    platform::EditField* field_;
    std::function<MacroKey*()> selectedKey_;
    std::function<void(int)> attention_;
    bool shown_ = false;
};

}  // namespace orvane::macro
