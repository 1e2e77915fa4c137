#pragma once
// The focused program on Wayland compositors that list their toplevel windows to clients
// (the wlroots foreign-toplevel protocol: sway, Hyprland and others): each toplevel tells its
// app_id, title and whether it is activated. Its own Wayland connection, read through a socket
// notifier, keeps this apart from Qt's. Compositors without the protocol (GNOME) leave it
// unavailable.
#include <memory>

#include "platform/FocusWatcher.h"

namespace orvane::platform::qt {

class WaylandFocusWatcher : public FocusWatcher {
public:
    // Connects to $WAYLAND_DISPLAY and learns the compositor's toplevels before returning.
    WaylandFocusWatcher();
    ~WaylandFocusWatcher() override;

    bool available() const override;
    void watch(std::function<void(const ProgramIdentity&)> onFocus) override;
    void stop() override;
    std::vector<RunningProgram> runningPrograms() override;

    struct Impl;

private:
    std::unique_ptr<Impl> d_;
};

}  // namespace orvane::platform::qt
