#pragma once
// Turns key presses and releases into the action list of one macro: each accepted key becomes
// an action, preceded by the time since the previous one when delays are recorded. Repeats of
// a held key are dropped, and the recording stops when the macro reaches its command ceiling.
#include <cstdint>

#include "profile/MacroKey.h"

namespace orvane::macro {

// A key event as the recorder sees it: the virtual-key code, and an event word holding the
// time in ms in bits 0-30 (a clock that only counts up and wraps to 0 after 0x7FFFFFFF) and
// bit 31 set for a release.
struct RecordedKey {
    uint32_t code = 0;
    uint32_t word = 0;

    static RecordedKey make(uint32_t code, bool release, uint32_t timeMs) {
        return {code, (timeMs & 0x7FFFFFFFu) | (release ? 0x80000000u : 0u)};
    }
};

class MacroRecorder {
public:
    enum class Outcome {
        Dropped,       // not recorded: no key, a repeat, or not recording
        Recorded,      // appended (the action list may have been full: see Appended)
        LimitReached,  // the macro holds all the commands it can; the recording must stop
    };

    // Empties the macro (actions and command count) and starts recording into it.
    void Start(MacroKey& key);
    void Stop() { key_ = nullptr; }
    [[nodiscard]] bool Recording() const { return key_ != nullptr; }
    [[nodiscard]] MacroKey* Key() const { return key_; }

    Outcome OnKey(const RecordedKey& event, bool recordDelays);

    // The last event taken (kept across pauses, so the next delay includes the pause).
    [[nodiscard]] const RecordedKey& LastAccepted() const { return last_; }
    // Whether the last recorded event fitted in the action list.
    [[nodiscard]] bool Appended() const { return appended_; }

private:
    MacroKey* key_ = nullptr;
    RecordedKey last_;
    bool appended_ = true;
};

}  // namespace orvane::macro
