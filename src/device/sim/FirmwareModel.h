#pragma once
// The mouse's firmware as the host sees it: the memory the commands of feature report 0x0C write,
// the replies to the two reads, factory reset, and the device notifications (input report 5) the
// mouse sends when its own buttons change the DPI level or the polling rate.
//
// One model is one mouse. The wired device is the mouse itself; the receiver relays to it over
// the air, so while the mouse is asleep or out of range the receiver still answers the status
// read (online = 0, battery 0) but writes through it are lost and the DataChange read is empty.
// The cable always reaches the mouse.
//
// Pure: no threads, no clock, no transport. The in-process transport and the uhid program both
// serve it and do their own locking.
#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "base/Result.h"
#include "device/hid/DeviceRole.h"
#include "device/sim/Descriptors.h"
#include "device/sim/MouseMemory.h"

namespace orvane::sim {

using Link = hid::DeviceRole;
using Report = std::array<uint8_t, kReportLength>;

// Things the mouse knows about itself that no command changes.
struct MouseCondition {
    uint8_t sensorCode = 0x70;
    uint32_t macId = 0x5A3C91;  // 24 bits
    uint8_t battery = 80;       // percent
    uint8_t chargeState = 0;    // 1 and 2 are the two charge states the status reports
    bool online = true;         // the radio link to the receiver is up
};

struct Notification {
    Link via;
    Report report;
};

class FirmwareModel {
public:
    explicit FirmwareModel(MouseCondition condition = {});

    // A feature report written to the device reached through `via`. Fails like a stalled control
    // transfer for a report the feature collection does not declare.
    Status handleSetFeature(Link via, std::span<const uint8_t> report);
    // What a feature read on `via` returns: the reply to the last request sent there.
    Report handleGetFeature(Link via) const;

    // The user's own buttons. Levels are 0-based and counted among the enabled levels; the
    // polling interval is in milliseconds (8, 4, 2 or 1). Pressing a button wakes the mouse.
    Result<std::vector<Notification>> userSelectDpiLevel(int level);
    Result<std::vector<Notification>> userCycleDpiLevel();
    Result<std::vector<Notification>> userSetPollingInterval(uint8_t intervalMs);

    void factoryReset();

    // Which devices are on the bus; decides where notifications go.
    void setPlugged(Link link, bool plugged);
    bool plugged(Link link) const { return plugged_[index(link)]; }

    MouseCondition& condition() { return condition_; }
    const MouseCondition& condition() const { return condition_; }
    MouseMemory& memory() { return memory_; }
    const MouseMemory& memory() const { return memory_; }

    // Whether a write sent through `via` reaches the mouse's memory.
    bool reachable(Link via) const { return via == Link::Wired || condition_.online; }

private:
    static size_t index(Link link) { return link == Link::Wired ? 0 : 1; }
    void applyWrite(std::span<const uint8_t> frame);
    void applyMacroChunk(std::span<const uint8_t> frame);
    Report replyTo(Link via, std::span<const uint8_t> request) const;
    Report statusReply(Link via) const;
    std::vector<Notification> notify() const;

    MouseCondition condition_;
    MouseMemory memory_;
    std::array<bool, 2> plugged_{true, true};
    std::array<Report, 2> replies_{};
};

}  // namespace orvane::sim
