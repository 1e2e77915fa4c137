#pragma once
// The focused program on X11, as an EWMH window manager publishes it on the root window:
// _NET_ACTIVE_WINDOW names the focused client, _NET_WM_PID its process (whose executable
// /proc tells), WM_CLASS its class. Its own X connection, read through a socket notifier,
// keeps these events apart from the ones Qt handles for our windows.
#include <memory>

#include "platform/FocusWatcher.h"

namespace orvane::platform::qt {

class XcbFocusWatcher : public FocusWatcher {
public:
    // Connects to $DISPLAY (or displayName when given).
    explicit XcbFocusWatcher(const char* displayName = nullptr);
    ~XcbFocusWatcher() override;

    bool available() const override;
    void watch(std::function<void(const ProgramIdentity&)> onFocus) override;
    void stop() override;
    std::vector<RunningProgram> runningPrograms() override;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace orvane::platform::qt
