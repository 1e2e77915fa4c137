#pragma once
// Which of a device's HID interfaces we talk to is decided by report lengths alone: the
// interface with 33-byte input reports carries the mouse's notifications, the one with 33-byte
// feature reports (and other input reports) carries the command frames.
#include <cstdint>

#include "device/hid/Transport.h"

namespace orvane::hid {

inline constexpr uint16_t kReportLength = 33;

enum class InterfaceRole { Input, Feature, Ignored };

// An interface with 33-byte input and feature reports is the input interface only.
InterfaceRole classifyInterface(uint16_t inputReportLength, uint16_t featureReportLength);
inline InterfaceRole classifyInterface(const InterfaceInfo& info) {
    return classifyInterface(info.inputReportLength, info.featureReportLength);
}

}  // namespace orvane::hid
