#include "device/ConnectionNotices.h"

namespace orvane {

void ConnectionNotices::arm() {
    loop_.setTimer(this, kTimer, kDelayMs, [this] { give(); });
}

void ConnectionNotices::give() {
    loop_.killTimer(this, kTimer);
    if (connection_.isOpen(DeviceRole::Wired)) return;
    if (connection_.isOpen(DeviceRole::Receiver)) {
        if (!presence_.mouseOnline()) host_.showConnectionNotice(kMouseAsleep);
        return;
    }
    // Plugged in but not ours to open: that has a fix, and the user must hear it.
    for (DeviceRole r : kDeviceRoles) {
        const auto& e = connection_.openError(r);
        if (connection_.present(r) && e && e->isPermission()) {
            host_.showAccessProblem(e->context);
            return;
        }
    }
    host_.showConnectionNotice(kNoDevice);
}

}  // namespace orvane
