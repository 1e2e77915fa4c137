#pragma once
// Every report that crossed the virtual bus, for tests to read. Thread-safe.
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "device/hid/DeviceRole.h"
#include "device/hid/FrameTrace.h"

namespace orvane::sim {

struct FrameRecord {
    int64_t ms = 0;
    hid::FrameKind kind = hid::FrameKind::Set;
    hid::DeviceRole device = hid::DeviceRole::Wired;
    std::vector<uint8_t> bytes;
    bool ok = true;  // false when the transfer failed (the bytes are what the host sent)
};

class FrameLog {
public:
    void add(FrameRecord record);
    void clear();
    std::vector<FrameRecord> records() const;
    // The successful feature writes to one device, in order.
    std::vector<std::vector<uint8_t>> sets(hid::DeviceRole device) const;
    // Command bytes (byte 2) of the successful feature writes to one device.
    std::vector<uint8_t> commands(hid::DeviceRole device) const;
    // One trace-format line per record.
    std::string text() const;

private:
    mutable std::mutex mutex_;
    std::vector<FrameRecord> records_;
};

}  // namespace orvane::sim
