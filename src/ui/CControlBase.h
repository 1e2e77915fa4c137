#pragma once
// Base of the windowless controls: a rectangle of its owner dialog that paints itself through
// our Painter and reacts to pointer input routed by the owner. Handlers return true when the
// control's look changed, so the owner repaints its rectangle.
#include <cstdint>

#include "base/Text.h"
#include "platform/Accessible.h"
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Image.h"
#include "platform/Painter.h"

namespace orvane::ui {

using platform::bgr;
using platform::AccessibleNode;
using platform::AccessibleRole;
using platform::Color;
using platform::FontSpec;
using platform::Image;
using platform::Interpolation;
using platform::Painter;
using platform::Point;
using platform::Rect;
using platform::Size;
using platform::TextFormat;

class CDlgBase;

class CControlBase {
public:
    CControlBase(CDlgBase* owner, uint32_t id, const Rect& rect, Text text, bool visible = true, bool active = true,
                 bool disabled = false, bool mouseAware = true);
    virtual ~CControlBase();
    CControlBase(const CControlBase&) = delete;
    CControlBase& operator=(const CControlBase&) = delete;

    virtual void Draw(Painter& p, const Rect& clip) = 0;
    // Another control was pressed.
    virtual int KillFocus(int flag);
    virtual void SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    virtual Rect GetRect() const { return rect_; }
    // Stores a different text and repaints the control.
    virtual void SetText(const Text& text);
    virtual const Text& GetText() const { return text_; }
    virtual void SetVisible(bool visible) { visible_ = visible; }
    virtual void SetActive(bool active) { active_ = active; }
    virtual bool OnMouseMove(uint32_t flags, Point pt);
    virtual bool OnLButtonDown(uint32_t flags, Point pt);
    virtual bool OnLButtonUp(uint32_t flags, Point pt);
    virtual bool OnRButtonUp(uint32_t flags, Point pt);
    virtual bool OnLButtonDblClk(uint32_t flags, Point pt);
    virtual void ReleaseImages() {}

    // ---- Keyboard and assistive technology ----
    // What the control is to a reader: the common part (name, value, rectangle, disabled and
    // focused) filled here, the role and the rest by the class (DescribeInto).
    AccessibleNode Describe() const;
    // Takes part in the Tab order: shown, enabled and something to do.
    bool Focusable() const { return Shown() && !disabled_ && TakesFocus(); }
    // Does what a click does; false when the control has nothing to do.
    virtual bool Activate() { return false; }
    // Arrow and page keys while the control has the focus; true when used.
    virtual bool OnNavigationKey(uint32_t) { return false; }
    // Steps a ranged control by delta; false when it has no range.
    virtual bool StepBy(int32_t) { return false; }
    // Moves a ranged control to value; false when it has no range.
    virtual bool SetAccessibleValue(int32_t) { return false; }
    // Controls sharing a non-zero focus group (the options of a radio group) are one Tab stop:
    // Tab enters the group at the member that says so (the checked option), the arrows move
    // within it and the next Tab leaves it.
    virtual uint32_t FocusGroup() const { return 0; }
    virtual bool EntersFocusGroup() const { return false; }
    // Selects row of a list as a click on it does; false when the control has no such row.
    virtual bool SelectItem(int32_t) { return false; }
    // The keyboard focus came to the control or left it (controls holding a desktop text field
    // hand the keyboard to it and take it back).
    virtual void FocusChanged(bool) {}
    // Whether the dialog frames the control while it has the focus (a text field shows its caret).
    virtual bool ShowsFocusMark() const { return true; }
    // A name for readers when the control shows no text of its own (or a better one).
    void SetAccessibleName(Text name) { accessibleName_ = std::move(name); }
    // The value as read aloud, for controls whose value is shown elsewhere (a slider's label).
    void SetValueText(Text value) { valueText_ = std::move(value); }

    void SetRect(const Rect& r) { SetRect(r.left, r.top, r.right, r.bottom); }
    // Replaces the font: the UI face's character set stays, height and face change.
    void SetFont(int32_t height, const Text& face);
    const FontSpec& Font() const { return font_; }

    uint32_t Id() const { return id_; }
    bool Visible() const { return visible_; }
    bool Active() const { return active_; }
    bool Disabled() const { return disabled_; }
    void SetDisabled(bool disabled) { disabled_ = disabled; }
    bool MouseAware() const { return mouseAware_; }
    void SetMouseAware(bool aware) { mouseAware_ = aware; }
    // Drawn and reachable by the pointer.
    bool Shown() const { return visible_ && active_; }
    CDlgBase* Owner() const { return owner_; }

protected:
    // The class's part of Describe: the role and what only it knows.
    virtual void DescribeInto(AccessibleNode& node) const;
    // Whether the class acts on keys at all (Focusable adds shown and enabled).
    virtual bool TakesFocus() const { return false; }
    // Sends the control's own message (number = Id) to the owner with code as lParam.
    intptr_t Notify(intptr_t code, uintptr_t wParam = 0);
    intptr_t SendToOwner(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // Repaints the control's rectangle.
    void Invalidate();
    // A skin image by its relative path; null when it cannot be loaded.
    Image LoadImage(const Text& path) const;
    float Scale() const;
    // A design length in device pixels: d × display scale, truncated.
    int32_t Scaled(int32_t d) const { return int32_t(float(d) * Scale()); }

    CDlgBase* owner_;
    uint32_t id_;
    Rect rect_;
    bool visible_;
    bool active_;
    bool disabled_;
    bool mouseAware_;
    Text text_;
    FontSpec font_;
    Text accessibleName_;
    Text valueText_;
};

}  // namespace orvane::ui
