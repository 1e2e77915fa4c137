#include "app/BatteryAlerts.h"

namespace orvane {

std::optional<BatteryAlerts::Alert> BatteryAlerts::onReading(bool online, int level, int chargeState) {
    if (!online) return std::nullopt;
    if (chargeState != 0) {
        lowGiven_ = criticalGiven_ = false;
        return std::nullopt;
    }
    if (level > kLow + kRearmMargin) lowGiven_ = false;
    if (level > kCritical + kRearmMargin) criticalGiven_ = false;
    if (level <= kCritical && !criticalGiven_) {
        criticalGiven_ = lowGiven_ = true;
        return Alert::Critical;
    }
    if (level <= kLow && !lowGiven_) {
        lowGiven_ = true;
        return Alert::Low;
    }
    return std::nullopt;
}

}  // namespace orvane
