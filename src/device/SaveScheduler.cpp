#include "device/SaveScheduler.h"

namespace orvane {

void SaveScheduler::afterPass() {
    loop_.killTimer(this, kTimer);
    pending_ = true;
    arm();
}

void SaveScheduler::afterReport(bool pending) {
    if (pending) pending_ = true;
    arm();
}

void SaveScheduler::writePending() {
    if (!pending_) return;
    loop_.killTimer(this, kTimer);
    pending_ = false;
    host_.saveAll();
}

void SaveScheduler::arm() {
    loop_.setTimer(this, kTimer, kDelayMs, [this] { onTimer(); });
}

// The timer saves whether or not a save is pending: a report through the cable arms it too.
void SaveScheduler::onTimer() {
    loop_.killTimer(this, kTimer);
    pending_ = false;
    host_.saveAll();
}

}  // namespace orvane
