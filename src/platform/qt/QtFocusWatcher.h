#pragma once
// The focus watcher for the desktop this process runs on: EWMH on X11, the foreign-toplevel
// protocol on Wayland, else one that is never available. Create it after the platform (it asks
// Qt which windowing system is in use) and on the UI thread.
#include <memory>

#include "platform/FocusWatcher.h"

namespace orvane::platform::qt {

std::unique_ptr<FocusWatcher> createFocusWatcher();

// Where no client can learn which window has focus.
class UnavailableFocusWatcher : public FocusWatcher {
public:
    bool available() const override { return false; }
    void watch(std::function<void(const ProgramIdentity&)>) override {}
    void stop() override {}
    std::vector<RunningProgram> runningPrograms() override { return {}; }
};

}  // namespace orvane::platform::qt
