#pragma once
// Keys as they are typed, for recording a macro or picking a key: every press and release,
// delivered on the UI thread while the hook runs and never otherwise. Where the desktop allows
// it (X11) the hook hears keys typed into any program; elsewhere (Wayland) only keys typed into
// this program's windows, and it says which.
#include <cstdint>
#include <functional>

namespace orvane::platform {

struct HookKey {
    uint32_t vk = 0;        // virtual-key code (the key tables' codes), 0 when the key has none
    uint32_t physical = 0;  // Linux evdev code of the key, 0 when unknown
    bool release = false;
    bool autoRepeat = false;  // a press repeated by a key held down, when the source knows it
    uint32_t timeMs = 0;      // from a clock that only counts up
};

enum class HookReach {
    None,            // no keys can be captured here
    ProgramWindows,  // keys typed while one of this program's windows has the keyboard
    System,          // keys typed into any program
};

class KeyboardHook {
public:
    virtual ~KeyboardHook() = default;
    // Starts delivering keys to sink until Stop; returns how far the capture reaches (None:
    // nothing will be delivered). Starting a running hook replaces its sink.
    virtual HookReach Start(std::function<void(const HookKey&)> sink) = 0;
    // Ends the delivery at once; harmless when the hook does not run.
    virtual void Stop() = 0;
    [[nodiscard]] virtual bool Running() const = 0;
    // With ProgramWindows reach: whether one of this program's windows has the keyboard now.
    [[nodiscard]] virtual bool ProgramHasKeyboard() const = 0;
    // Called (while running) when ProgramHasKeyboard changes.
    std::function<void(bool)> onProgramKeyboard;
};

}  // namespace orvane::platform
