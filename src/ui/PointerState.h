#pragma once
// The pointer state the sliders, lists and indicators keep: 0 normal, 1 pointer over, 2 left
// button pressed on the control. Each step returns whether the state changed.
#include "platform/Geometry.h"

namespace orvane::ui {

class PointerState {
public:
    enum { kNormal = 0, kOver = 1, kPressed = 2 };

    // A move leaves a pressed state alone.
    bool move(const platform::Rect& r, platform::Point pt) {
        if (state_ == kPressed) return false;
        return set(r.contains(pt) ? kOver : kNormal);
    }
    bool press() { return set(kPressed); }
    bool release(const platform::Rect& r, platform::Point pt) { return set(r.contains(pt) ? kOver : kNormal); }
    bool set(int s) {
        const bool changed = s != state_;
        state_ = s;
        return changed;
    }
    int get() const { return state_; }
    operator int() const { return state_; }

private:
    int state_ = kNormal;
};

}  // namespace orvane::ui
