#pragma once
// When to tell the user that the wireless mouse's battery runs low: once when it falls to 15 %
// and once more at 5 %, never while it charges. An alert is given again only after the mouse
// has charged or the level has clearly risen, so a reading that wobbles around a threshold does
// not repeat it.
#include <optional>

namespace orvane {

class BatteryAlerts {
public:
    static constexpr int kLow = 15;
    static constexpr int kCritical = 5;
    static constexpr int kRearmMargin = 5;

    enum class Alert { Low, Critical };

    // One status reading: online is whether the mouse answered; chargeState 0 is on battery.
    std::optional<Alert> onReading(bool online, int level, int chargeState);

private:
    bool lowGiven_ = false;
    bool criticalGiven_ = false;
};

}  // namespace orvane
