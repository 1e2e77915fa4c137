#pragma once
// Keys typed into any program of an X11 session, as XInput 2 raw key events on the root
// window: our own connection to the X server, read when its descriptor has data. No Qt and no
// X11 types in this header.
#include <cstdint>
#include <functional>
#include <memory>

namespace orvane::platform::qt {

class XRawKeys {
public:
    // keycode is the X keycode (the evdev code plus 8), time the server's time in ms.
    using Sink = std::function<void(uint32_t keycode, bool release, uint32_t timeMs)>;

    // None when there is no X display to reach or it lacks XInput 2.
    static std::unique_ptr<XRawKeys> open();
    ~XRawKeys();
    XRawKeys(const XRawKeys&) = delete;
    XRawKeys& operator=(const XRawKeys&) = delete;

    // The descriptor to watch for reading.
    [[nodiscard]] int fd() const;
    // Handles everything that arrived, key by key.
    void drain(const Sink& sink);

private:
    struct Impl;
    explicit XRawKeys(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d_;
};

}  // namespace orvane::platform::qt
