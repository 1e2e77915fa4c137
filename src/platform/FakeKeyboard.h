#pragma once
// The keyboard of the in-memory platform: tests type keys on it, and every running hook of the
// platform hears them, as a user typing would be heard.
#include <memory>
#include <vector>

#include "platform/KeyboardHook.h"

namespace orvane::platform {

class FakeKeyboard {
public:
    // How far hooks reach from now on (System by default).
    void setReach(HookReach reach) { reach_ = reach; }
    HookReach reach() const { return reach_; }
    // Whether a window of the program has the keyboard (with ProgramWindows reach, keys typed
    // elsewhere are not heard).
    void setProgramHasKeyboard(bool has);

    // A press or release at timeMs; heard by every running hook that reaches it.
    void key(uint32_t vk, bool release, uint32_t timeMs, uint32_t physical = 0, bool autoRepeat = false);
    void press(uint32_t vk, uint32_t timeMs) { key(vk, false, timeMs); }
    void release(uint32_t vk, uint32_t timeMs) { key(vk, true, timeMs); }

    std::unique_ptr<KeyboardHook> createHook();
    // Hooks that run now.
    size_t runningHooks() const;
    // Hooks started so far, ever.
    size_t starts() const { return starts_; }

private:
    class Hook;
    friend class Hook;
    HookReach reach_ = HookReach::System;
    bool programHasKeyboard_ = true;
    size_t starts_ = 0;
    std::vector<Hook*> hooks_;
};

}  // namespace orvane::platform
