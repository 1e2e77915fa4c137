#pragma once
// Moves command frames to the open devices: writes go to the wired mouse first, then to the
// receiver; reads are a request, a 10 ms wait and the reply. Every frame takes the next
// sequence number when it goes out. The transfers themselves run off the loop's thread (the
// loop's offload) and their results come back on it, so the loop never waits for a device; the
// 10 ms wait of a read is a timer. One transfer at a time: the link's jobs run one by one.
#include <functional>
#include <memory>

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
    // Every device it was handed to has gone away (unplugged): nothing more will reach them.
    [[nodiscard]] bool devicesGone() const;
};

class FrameIo {
public:
    using Sent = std::function<void(const SendOutcome&)>;
    using Read = std::function<void(Result<Frame>)>;

    FrameIo(Connection& connection, EventLoop& loop) : connection_(connection), loop_(loop) {}
    ~FrameIo();
    FrameIo(const FrameIo&) = delete;
    FrameIo& operator=(const FrameIo&) = delete;

    SequenceNumber& sequence() { return sequence_; }
    [[nodiscard]] const SequenceNumber& sequence() const { return sequence_; }

    // Stamps the sequence number and writes the frame to every open device; done gets the
    // outcome on the loop's thread.
    void send(Frame frame, Sent done);
    // Writes to one device only (the factory reset), with the target flag left at 1.
    void sendTo(DeviceRole role, Frame frame, Sent done);
    void read(DeviceRole role, Command command, Read done);

    [[nodiscard]] bool anyOpen() const { return connection_.anyOpen(); }
    // Results still on their way are dropped (shutdown).
    void forgetPending();

private:
    static constexpr int kReplyTimer = 1;
    struct Write;
    // The write in flight is shared with the worker; once both are done with it, the next frame
    // reuses it.
    std::shared_ptr<Write> nextWrite();
    void write(std::shared_ptr<Write> w);
    std::shared_ptr<Write> spare_;

    Connection& connection_;
    EventLoop& loop_;
    SequenceNumber sequence_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace orvane
