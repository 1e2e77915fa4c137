#pragma once
// What a window reports to the object it shows (a dialog or a popup menu).
#include <cstdint>

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
};

}  // namespace orvane::platform
