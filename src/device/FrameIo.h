#pragma once
// Moves command frames to the open devices: writes go to the wired mouse first, then to the
// receiver; reads are a request, a 10 ms pause and the reply. Every frame takes the next
// sequence number.
#include "base/EventLoop.h"
#include "base/Result.h"
#include "device/CommandFrame.h"
#include "device/Connection.h"
#include "device/PassReport.h"

namespace orvane {

inline constexpr int kFramePauseMs = 60;
inline constexpr int kReadReplyDelayMs = 10;

struct SendOutcome {
    std::array<DeviceWrite, 2> devices{};  // by DeviceRole

    // Open devices the frame was handed to, and how many of them accepted the write.
    [[nodiscard]] int attempted() const { return int(devices[0].attempted) + int(devices[1].attempted); }
    [[nodiscard]] int taken() const { return int(devices[0].taken) + int(devices[1].taken); }
    [[nodiscard]] bool took(DeviceRole role) const { return devices[size_t(role)].taken; }
    // The frame reached no device although one was open: what it carried is not held by
    // the mouse and must be sent again.
    [[nodiscard]] bool failedEverywhere() const { return attempted() > 0 && taken() == 0; }
};

class FrameIo {
public:
    FrameIo(Connection& connection, EventLoop& loop) : connection_(connection), loop_(loop) {}

    SequenceNumber& sequence() { return sequence_; }
    [[nodiscard]] const SequenceNumber& sequence() const { return sequence_; }

    // Stamps the sequence number and writes the frame to every open device.
    SendOutcome send(Frame frame);
    // Writes to one device only (the factory reset), with the target flag left at 1.
    SendOutcome sendTo(DeviceRole role, Frame frame);
    Result<Frame> read(DeviceRole role, Command command);

    void pause(int ms) { loop_.sleepMs(ms); }
    [[nodiscard]] bool anyOpen() const { return connection_.anyOpen(); }

private:
    void write(DeviceRole role, const Frame& frame, DeviceWrite& result);

    Connection& connection_;
    EventLoop& loop_;
    SequenceNumber sequence_;
};

}  // namespace orvane
