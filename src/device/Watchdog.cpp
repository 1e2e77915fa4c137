#include "device/Watchdog.h"

#include <algorithm>

namespace orvane {

void Watchdog::arm() {
    asleep_ = false;
    loop_.setTimer(this, kTimer, kTickMs, [this] { tick(); });
}

void Watchdog::sleep() {
    asleep_ = true;
    sleptAtMs_ = loop_.nowMs();
    // Ticks left to the one that reads (at 20): the counter's own steps, then the read.
    loop_.setTimer(this, kTimer, (21 - count_) * kTickMs, [this] { tick(); });
}

void Watchdog::restartCountdown() {
    count_ = 0;
    if (asleep_) sleep();
}

void Watchdog::batteryInSight() {
    if (!asleep_) return;
    const int64_t slept = (loop_.nowMs() - sleptAtMs_) / kTickMs;
    count_ = int(std::min<int64_t>(20, count_ + slept));
    arm();
}

void Watchdog::tick() {
    if (asleep_) {
        // Woken for the status read it slept until.
        count_ = 20;
        arm();
    }
    if (count_ < 20) {
        ++count_;
    } else {
        count_ = 0;
        statusDue_();
    }
    ticked_();
    if (!host_.batteryShown() && count_ < 20 && loop_.timerActive(this, kTimer)) sleep();
}

}  // namespace orvane
