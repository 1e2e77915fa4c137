#pragma once
// A top-level window of our own little window system: fixed-size, frameless, painted entirely
// by its host. Messages, timers and pointer tracking are implemented here on the injected
// event loop, so every backend (Qt, the fake used by tests) behaves alike; the backend supplies
// the screen side.
#include <cstdint>
#include <memory>
#include <set>

#include "base/EventLoop.h"
#include "base/Text.h"
#include "platform/Accessible.h"
#include "platform/EditField.h"
#include "platform/Geometry.h"
#include "platform/Image.h"
#include "platform/WindowHost.h"

namespace orvane::platform {

enum class WindowKind {
    TopLevel,  // a dialog: activatable, draggable, appears in the task bar
    Popup,     // a menu: top-most tool window that reports losing activation
    Overlay,   // a passing indicator: top-most, never activated, clicks pass through it, no task bar entry
};

class Window;

struct WindowOptions {
    WindowKind kind = WindowKind::TopLevel;
    Window* parent = nullptr;
    Rect geometry{0, 0, 100, 100};  // screen coordinates of the client area
};

class Window {
public:
    Window(EventLoop& loop, WindowHost& host);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // ---- Provided by the backend ----
    // Screen position and size of the client area.
    virtual Rect geometry() const = 0;
    virtual void setGeometry(const Rect& screenRect) = 0;
    virtual void setTitle(const Text& title) = 0;
    virtual void setIcon(const Image& icon) = 0;

    virtual void show() = 0;  // shows normally (restores a minimised window)
    virtual void hide() = 0;
    virtual void minimize() = 0;
    virtual bool isVisible() const = 0;
    virtual bool isMinimized() const = 0;
    virtual bool isActive() const = 0;
    virtual void setTopmost(bool on) = 0;
    virtual void activate() = 0;  // bring to the foreground and give it the keyboard

    virtual void invalidate(const Rect& r) = 0;
    void invalidateAll() { invalidate(Rect{0, 0, geometry().width(), geometry().height()}); }
    // Paints what was invalidated now instead of on the next turn of the loop.
    virtual void update() = 0;

    virtual void setCapture() = 0;
    virtual void releaseCapture() = 0;
    virtual bool hasCapture() const = 0;
    // Moves the window with the pointer until the left button is released, as a caption drag.
    virtual void startDragMove() = 0;
    // Pointer position in client coordinates.
    virtual Point cursorPos() const = 0;

    // Runs a nested loop until endModal(); returns its result. Timers, posted messages and
    // input go on meanwhile.
    virtual intptr_t runModal() = 0;
    virtual void endModal(intptr_t result) = 0;
    virtual bool inModal() const = 0;

    // A text field shown in this window; it lives as long as the returned object and the window.
    virtual std::unique_ptr<EditField> createEditField(const EditFieldOptions& options) = 0;

    // Tells assistive technology that item (of the host's accessibleItems; -1 the window)
    // changed. Backends without an accessibility bridge ignore it.
    virtual void announce(AccessibleEvent, int) {}

    // ---- Common to every backend ----
    Size clientSize() const { return geometry().size(); }
    void resize(Size s) { const Rect g = geometry(); setGeometry(Rect::fromSize(g.left, g.top, s.width, s.height)); }
    void move(Point p) { const Rect g = geometry(); setGeometry(Rect::fromSize(p.x, p.y, g.width(), g.height())); }

    // Synchronous: the host handles the message before this returns. UI thread only.
    intptr_t sendMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    // Queued behind other work of the loop; thread-safe. Dropped if the window is gone by then.
    void postMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);

    // One timer per id; setting a running timer restarts it. Repeats until killed.
    void setTimer(int id, int intervalMs);
    void killTimer(int id);
    bool timerActive(int id) const;

    // Asks for one Leave event when the pointer leaves the window and one Hover event when it
    // rests for hoverMs. Cleared by the Leave.
    bool trackPointer(int hoverMs);
    bool tracking() const { return tracking_; }

    EventLoop& loop() { return loop_; }
    WindowHost& host() { return host_; }

    // Stops every callback to the host (timers, posts, input); the object may then be
    // destroyed later, outside the handler that decided to close it.
    void detach();
    bool detached() const { return !*alive_; }

protected:
    // Backends call this for every pointer event; it applies the tracking rules.
    void deliverPointer(const PointerEvent& e);

private:
    static constexpr int kHoverTimer = -1;  // internal timer id; hosts use ids >= 0
    EventLoop& loop_;
    WindowHost& host_;
    std::shared_ptr<bool> alive_;
    bool tracking_ = false;
    int hoverMs_ = 0;
    bool hoverArmed_ = false;
    Point lastPos_{-1, -1};
    uint32_t lastFlags_ = 0;
    std::set<int> timers_;
};

}  // namespace orvane::platform
