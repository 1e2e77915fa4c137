#pragma once
// What a window reports to the object it shows (a dialog or a popup menu).
#include <cstdint>
#include <vector>

#include "platform/Accessible.h"
#include "platform/Geometry.h"
#include "platform/Input.h"
#include "platform/Painter.h"

namespace orvane::platform {

class WindowHost {
public:
    virtual ~WindowHost() = default;
    // Paint the whole client area; dirty says what must change, drawing outside it is allowed.
    virtual void onPaint(Painter& p, const Rect& dirty) = 0;
    virtual void onPointer(const PointerEvent& e) = 0;
    // Returns true when the key was used.
    virtual bool onKey(const KeyEvent&) { return false; }
    // Numbered messages, sent or posted (Window::sendMessage/postMessage).
    virtual intptr_t onMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) = 0;
    virtual void onTimer(int) {}
    virtual void onActivate(bool) {}
    // The user or the desktop asked the window to close.
    virtual void onCloseRequest() {}

    // ---- Accessibility ----
    // The window itself (a dialog or a menu) and the items it draws, in reading order.
    virtual AccessibleNode accessibleWindow() const { return {}; }
    virtual std::vector<AccessibleNode> accessibleItems() const { return {}; }
    // Asks item index (of accessibleItems) to act or to take the keyboard focus; false when it
    // cannot.
    virtual bool accessibleAct(int, AccessibleAction) { return false; }
    virtual bool accessibleFocus(int) { return false; }
    // Moves a ranged item to value; false when it has no range.
    virtual bool accessibleSetValue(int, int32_t) { return false; }
    // Selects row child of list item index, as a click on the row does; false when it cannot.
    virtual bool accessibleSelect(int, int) { return false; }
};

}  // namespace orvane::platform
