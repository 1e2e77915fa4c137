#pragma once
// The mouse's answers to the status (0x20) and DataChange (0x21) reads.
#include <cstdint>
#include <optional>
#include <span>

#include "device/CommandFrame.h"

namespace orvane {

struct StatusReply {
    bool signature = false;  // "V7Q3": the online flag is meaningful
    uint8_t sensorCode = 0;
    uint8_t chargeState = 0;  // 0, 1 (charging) or 2
    uint8_t batteryLevel = 0;
    bool online = false;
    uint32_t macId = 0;  // 24 bits
    uint8_t dpiLevelByte = 0;

    // 0-based DPI level: the high nibble minus 1, and level 0 for anything outside 0..3.
    [[nodiscard]] int dpiLevel() const;
};

// None for a reply to another command (byte 2 not 0x20, or byte 3 not 0).
std::optional<StatusReply> parseStatusReply(const Frame& reply);
// 0 for a code that names no known sensor.
uint16_t sensorIdForCode(uint8_t code);
// Bytes 7 (low) and 8 (high); the reply is taken without checks.
uint16_t parseDataChangeReply(const Frame& reply);

// What the mouse reports on its own (input report 5, type 6): the polling rate and the DPI
// level it now uses.
struct DeviceNotification {
    uint8_t rateIndex = 3;  // 0 125 Hz (interval 8), 1 250 Hz (4), 2 500 Hz (2), 3 1000 Hz (anything else)
    // 0-based; none when byte 4 names no level the mouse has (it counts 1 to 4): the profile
    // keeps its level rather than recording one the files and the frames cannot carry.
    std::optional<int> dpiLevel;
};

// None for a report too short to hold both bytes, or one that is not a device notification.
std::optional<DeviceNotification> parseDeviceNotification(std::span<const uint8_t> report);

}  // namespace orvane
