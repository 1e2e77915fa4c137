#pragma once
// Asking the mouse for its status and its DataChange counter, without acting on the answers:
// the link applies them, the command line's status only reports them.
#include <functional>
#include <optional>

#include "base/Result.h"
#include "device/Connection.h"
#include "device/FrameIo.h"
#include "device/StatusReply.h"

namespace orvane {

// The device the status is asked of: the wired mouse when open, else the receiver.
std::optional<DeviceRole> statusDeviceOf(const Connection& connection);

// One status transaction, repeated once when the reply is empty. Fails on a failed transfer or
// a reply that stays empty; a reply for another command is returned for the caller to judge.
// done gets it on the loop's thread.
void readStatusFrame(FrameIo& io, DeviceRole device, FrameIo::Read done);

// What the mouse said, read-only: its status and its counter, each absent when not answered.
struct MouseReport {
    std::optional<DeviceRole> via;
    std::optional<StatusReply> status;
    std::optional<uint16_t> dataChange;  // absent when the reply carried no counter
    std::optional<Error> error;          // why the status is absent, when a transfer failed
};
void readMouseReport(const Connection& connection, FrameIo& io, std::function<void(MouseReport)> done);

}  // namespace orvane
