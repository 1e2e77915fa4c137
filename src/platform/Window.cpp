#include "platform/Window.h"

namespace orvane::platform {

Window::Window(EventLoop& loop, WindowHost& host) : loop_(loop), host_(host), alive_(std::make_shared<bool>(true)) {}

Window::~Window() { detach(); }

void Window::detach() {
    if (!*alive_) return;
    // The pointer itself stays: other threads may be copying it to post a message.
    *alive_ = false;
    for (int id : timers_) loop_.killTimer(this, id);
    timers_.clear();
    loop_.killTimer(this, kHoverTimer);
}

intptr_t Window::sendMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (!*alive_) return 0;
    return host_.onMessage(msg, wParam, lParam);
}

void Window::postMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    std::weak_ptr<bool> alive = alive_;
    WindowHost* host = &host_;
    loop_.post([alive, host, msg, wParam, lParam] {
        auto a = alive.lock();
        if (a && *a) host->onMessage(msg, wParam, lParam);
    });
}

void Window::setTimer(int id, int intervalMs) {
    if (!*alive_ || id < 0) return;
    timers_.insert(id);
    std::weak_ptr<bool> alive = alive_;
    loop_.setTimer(this, id, intervalMs, [this, alive, id] {
        auto a = alive.lock();
        if (a && *a) host_.onTimer(id);
    });
}

void Window::killTimer(int id) {
    timers_.erase(id);
    loop_.killTimer(this, id);
}

bool Window::timerActive(int id) const { return loop_.timerActive(this, id); }

bool Window::trackPointer(int hoverMs) {
    if (!*alive_) return false;
    tracking_ = true;
    hoverMs_ = hoverMs;
    hoverArmed_ = hoverMs > 0;
    return true;
}

void Window::deliverPointer(const PointerEvent& e) {
    if (!*alive_) return;
    if (e.kind == PointerKind::Leave) {
        if (!tracking_) return;  // nobody asked for it
        tracking_ = false;
        hoverArmed_ = false;
        loop_.killTimer(this, kHoverTimer);
        host_.onPointer(PointerEvent{PointerKind::Leave, lastPos_, e.flags});
        return;
    }
    if (e.kind == PointerKind::Hover) return;  // generated here, not by backends
    lastPos_ = e.pos;
    lastFlags_ = e.flags;
    host_.onPointer(e);
    // A move restarts the rest period; the hover fires once per request.
    if (*alive_ && e.kind == PointerKind::Move && tracking_ && hoverArmed_) {
        std::weak_ptr<bool> alive = alive_;
        loop_.setTimer(this, kHoverTimer, hoverMs_, [this, alive] {
            loop_.killTimer(this, kHoverTimer);
            auto a = alive.lock();
            if (!a || !*a || !hoverArmed_) return;
            hoverArmed_ = false;
            host_.onPointer(PointerEvent{PointerKind::Hover, lastPos_, lastFlags_});
        });
    }
}

}  // namespace orvane::platform
