#pragma once
// A one-line text field: the desktop's own edit (typing, caret, selection, clipboard, input
// methods), placed at the control's rectangle. Enter and Escape typed in it go to the owner's
// key handling, as they do in a dialog; an owner's key filter sees every key first. It is in its
// dialog's Tab order: Tab and Shift+Tab typed in it move on, and the keyboard focus coming to it
// gives the desktop's field the keyboard.
#include <functional>
#include <memory>

#include "platform/EditField.h"
#include "ui/CControlBase.h"

namespace orvane::ui {

class CEditControl : public CControlBase {
public:
    // Black on white, centred, "Tahoma" at 10 points times the display scale.
    CEditControl(CDlgBase* owner, uint32_t id, const Rect& rect, Text initial);
    // With the look of look (font, colours, alignment); its rectangle is rect.
    CEditControl(CDlgBase* owner, uint32_t id, const Rect& rect, Text initial, const platform::EditFieldOptions& look);
    ~CEditControl() override;

    // Drawn only where the desktop's field is not (off-screen pictures of the window).
    void Draw(Painter& p, const Rect& clip) override;
    void SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void SetVisible(bool visible) override;
    void SetText(const Text& text) override;
    const Text& GetText() const override;

    // Runs before the owner's key handling; returning true keeps the key from the field.
    void SetKeyFilter(std::function<bool(const platform::KeyEvent&)> filter) { filter_ = std::move(filter); }
    // Gives the field the keyboard and makes it the dialog's focused control.
    void Focus();
    platform::EditField* Field() const { return field_.get(); }
    // The field's name for screen readers (the field itself is what readers see).
    void NameForReaders(const Text& name);
    void FocusChanged(bool has) override;
    bool ShowsFocusMark() const override { return false; }

protected:
    bool TakesFocus() const override { return true; }
    // Readers see the desktop's field itself, named by NameForReaders; the control is no item.
    void DescribeInto(AccessibleNode& n) const override { n.role = AccessibleRole::None; }

private:
    void CreateField(platform::EditFieldOptions options);
    bool FilterKey(const platform::KeyEvent& e);

    std::unique_ptr<platform::EditField> field_;
    std::function<bool(const platform::KeyEvent&)> filter_;
    mutable Text cached_;
};

}  // namespace orvane::ui
