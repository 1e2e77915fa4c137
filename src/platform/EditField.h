#pragma once
// A one-line text field of the desktop, placed in one of our windows: typing, the caret,
// selection, the clipboard and input methods are the desktop's. The window owning the field
// may look at every key first.
#include <functional>

#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Input.h"

namespace orvane::platform {

struct EditFieldOptions {
    Rect rect;  // client coordinates of the window
    FontSpec font;
    bool centred = true;
    Color text{0, 0, 0, 255};
    Color background{255, 255, 255, 255};
};

class EditField {
public:
    virtual ~EditField() = default;
    virtual Text text() const = 0;
    // Replaces the text and puts the caret after it.
    virtual void setText(const Text& text) = 0;
    virtual void setRect(const Rect& r) = 0;
    virtual void setVisible(bool visible) = 0;
    // Gives the field the keyboard.
    virtual void focus() = 0;
    virtual bool hasFocus() const = 0;
    // Hands the keyboard back to the window the field is in (when the field has it).
    virtual void giveBackFocus() = 0;
    // What screen readers call the field (the field shows no caption of its own).
    virtual void setAccessibleName(const Text& name) = 0;
    // A disabled field shows its text but takes no input and gives up the keyboard.
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;

    // Every key the field receives is offered here first; returning true keeps it from the
    // field.
    std::function<bool(const KeyEvent&)> keyFilter;
    // The user changed the text (typing, deleting, pasting); setText does not call it.
    std::function<void()> onEdited;
};

}  // namespace orvane::platform
