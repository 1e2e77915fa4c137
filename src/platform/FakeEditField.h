#pragma once
// The text field of the in-memory windows. Tests type into it as a user would: each key goes
// through the owner's key filter first, then into the text.
#include "platform/EditField.h"

namespace orvane::platform {

class FakeEditField : public EditField {
public:
    explicit FakeEditField(const EditFieldOptions& options) : options_(options) {}

    Text text() const override { return text_; }
    void setText(const Text& text) override { text_ = text; }
    void setRect(const Rect& r) override { options_.rect = r; }
    void setVisible(bool visible) override { visible_ = visible; }
    void focus() override { focused_ = true; }
    bool hasFocus() const override { return focused_; }
    void giveBackFocus() override { focused_ = false; }
    void setAccessibleName(const Text& name) override { accessibleName_ = name; }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        if (!enabled) focused_ = false;
    }
    bool isEnabled() const override { return enabled_; }

    // ---- Test side ----
    // Types the characters one by one (u'\b' is Backspace).
    void type(const Text& characters);
    // A key without text (Enter, Escape, ...): only the filter sees it.
    bool key(uint32_t vk, uint32_t mods = 0);
    const EditFieldOptions& options() const { return options_; }
    bool visible() const { return visible_; }
    const Text& accessibleName() const { return accessibleName_; }

private:
    EditFieldOptions options_;
    Text text_;
    Text accessibleName_;
    bool visible_ = true;
    bool focused_ = false;
    bool enabled_ = true;
};

}  // namespace orvane::platform
