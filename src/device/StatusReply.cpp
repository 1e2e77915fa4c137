#include "device/StatusReply.h"

namespace orvane {

int StatusReply::dpiLevel() const {
    const int lv = (dpiLevelByte >> 4) - 1;
    return (lv >= 0 && lv <= 3) ? lv : 0;
}

std::optional<StatusReply> parseStatusReply(const Frame& r) {
    if (r[2] != static_cast<uint8_t>(Command::ReadStatus) || r[3] != 0) return std::nullopt;
    StatusReply s;
    s.signature = r[7] == 'V' && r[8] == '7' && r[9] == 'Q' && r[10] == '3';
    s.sensorCode = r[13];
    s.chargeState = (r[14] == 1 || r[14] == 2) ? r[14] : 0;
    s.batteryLevel = r[15];
    s.online = r[16] != 0;
    s.macId = uint32_t(r[17]) | (uint32_t(r[18]) << 8) | (uint32_t(r[19]) << 16);
    s.dpiLevelByte = r[20];
    return s;
}

uint16_t sensorIdForCode(uint8_t code) {
    switch (code) {
    case 0x25: case 0x27: case 0x35: case 0x60: case 0x70:
        return static_cast<uint16_t>(0x3300 | code);
    default:
        return 0;
    }
}

uint16_t parseDataChangeReply(const Frame& r) { return static_cast<uint16_t>(r[7] | (r[8] << 8)); }

std::optional<DeviceNotification> parseDeviceNotification(std::span<const uint8_t> r) {
    constexpr uint8_t kReportId = 5, kNotification = 6;
    if (r.size() < 5 || r[0] != kReportId || r[1] != kNotification) return std::nullopt;
    DeviceNotification n;
    const uint8_t interval = r[3];
    n.rateIndex = interval == 8 ? 0 : interval == 4 ? 1 : interval == 2 ? 2 : 3;
    if (r[4] >= 1 && r[4] <= 4) n.dpiLevel = r[4] - 1;
    return n;
}

}  // namespace orvane
