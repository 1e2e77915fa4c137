#include "device/BatteryGauge.h"

#include <cstdio>

namespace orvane {

bool BatteryGauge::reading(int level, int chargeState) {
    level_ = level;
    chargeState_ = chargeState;
    const bool first = firstReading_;
    firstReading_ = false;
    return first;
}

void BatteryGauge::refresh() {
    if (!presence_.active()) return;
    phase_ += 25;
    if (phase_ > 100) phase_ = 25;
    BatteryView view;
    view.phase = phase_;
    if (presence_.mouseOnline()) {
        view.level = level_;
        view.chargeState = chargeState_;
        view.textVisible = chargeState_ != 1;
        char text[16];
        std::snprintf(text, sizeof text, "%d%%", level_);
        view.text = fromUtf8(text);
    }
    host_.updateBattery(view);
}

}  // namespace orvane
