// What the mouse sends back: any bytes as a status reply, a DataChange reply and a device
// notification. No crash, and every field taken from them stays within what the profile and
// the frames can hold (a DPI level 0-3, a charge state 0-2, a 24-bit id, a rate index 0-3).
#include <algorithm>
#include <cstdlib>

#include "device/StatusReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    // The reader fills the buffer with 0xFF before the transfer; a short reply leaves the rest.
    Frame reply;
    reply.fill(0xFF);
    std::copy_n(data, std::min(size, reply.size()), reply.begin());
    if (auto status = parseStatusReply(reply)) {
        if (reply[2] != 0x20 || reply[3] != 0) std::abort();
        if (status->dpiLevel() < 0 || status->dpiLevel() > 3) std::abort();
        if (status->chargeState > 2 || status->macId > 0xFFFFFF) std::abort();
        const uint16_t sensor = sensorIdForCode(status->sensorCode);
        if (sensor != 0 && (sensor & 0xFF) != status->sensorCode) std::abort();
    }
    (void)parseDataChangeReply(reply);

    const std::span<const uint8_t> report(data, size);
    if (auto n = parseDeviceNotification(report)) {
        if (size < 5 || data[0] != 5 || data[1] != 6) std::abort();
        if (n->rateIndex > 3) std::abort();
        if (n->dpiLevel && (*n->dpiLevel < 0 || *n->dpiLevel > 3)) std::abort();
        if (n->dpiLevel.has_value() != (data[4] >= 1 && data[4] <= 4)) std::abort();
    } else if (size >= 5 && data[0] == 5 && data[1] == 6) {
        std::abort();
    }
    return 0;
}
