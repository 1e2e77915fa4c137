#pragma once
// The HID transport: everything the device link needs from the system, and nothing more.
// Implemented by the Linux hidraw backend and by the virtual mouse.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/Result.h"

namespace orvane::hid {

inline constexpr uint16_t kVendorId = 0x248A;
inline constexpr uint16_t kWiredProductId = 0x5B2E;
inline constexpr uint16_t kReceiverProductId = 0x5B2F;

// One HID interface (one top-level collection; the mouse and the receiver each offer three).
struct InterfaceInfo {
    std::string path;       // opaque to callers; "/dev/hidraw3" or "sim:wired/1"
    uint16_t vendor = 0;
    uint16_t product = 0;
    uint16_t inputReportLength = 0;    // largest input report + 1 for the report ID byte
    uint16_t featureReportLength = 0;  // largest feature report + 1
};

// An open interface. setFeature/getFeature may be called from the UI thread while another
// thread blocks in readInput; interruptRead wakes that reader, which then fails.
class Device {
public:
    virtual ~Device() = default;
    virtual const InterfaceInfo& info() const = 0;
    // report[0] is the report ID.
    virtual Status setFeature(std::span<const uint8_t> report) = 0;
    // report[0] holds the report ID on entry; returns the number of bytes received.
    virtual Result<size_t> getFeature(std::span<uint8_t> report) = 0;
    // Blocks until an input report arrives, the device goes away or interruptRead is called.
    virtual Result<size_t> readInput(std::span<uint8_t> report) = 0;
    virtual void interruptRead() = 0;
};

enum class HotplugAction { Added, Removed };
struct HotplugEvent {
    HotplugAction action;
    std::string path;
};

class Transport {
public:
    virtual ~Transport() = default;
    // Every HID interface of the system, in a stable order.
    virtual Result<std::vector<InterfaceInfo>> enumerate() = 0;
    virtual Result<std::unique_ptr<Device>> open(const std::string& path) = 0;
    // Arrival and removal of HID interfaces. The callback runs on a transport thread;
    // callers post to their own thread. Passing an empty function stops the monitor.
    virtual Status watch(std::function<void(const HotplugEvent&)> onEvent) = 0;
};

}  // namespace orvane::hid
