#pragma once
// The battery gauge's contents: the level and charge state of the last status read, and the
// phase of the gauge's animation, which moves on a quarter at every refresh.
#include "device/LinkHost.h"
#include "device/MousePresence.h"

namespace orvane {

class BatteryGauge {
public:
    BatteryGauge(LinkHost& host, const MousePresence& presence) : host_(host), presence_(presence) {}

    // A status read's values. True for the first since start, which is shown at once; the
    // others wait for the watchdog's next tick.
    bool reading(int level, int chargeState);
    // Moves the animation on and hands the view to the host; an offline mouse shows level 0
    // and no text. Nothing while the link is inactive.
    void refresh();
    [[nodiscard]] int level() const { return level_; }
    [[nodiscard]] int chargeState() const { return chargeState_; }

private:
    LinkHost& host_;
    const MousePresence& presence_;
    int level_ = 10;
    int chargeState_ = 0;
    int phase_ = 0;
    bool firstReading_ = true;
};

}  // namespace orvane
