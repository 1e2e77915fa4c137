#include "device/StatusRead.h"

namespace orvane {

std::optional<DeviceRole> statusDeviceOf(const Connection& connection) {
    if (connection.isOpen(DeviceRole::Wired)) return DeviceRole::Wired;
    if (connection.isOpen(DeviceRole::Receiver)) return DeviceRole::Receiver;
    return std::nullopt;
}

Result<Frame> readStatusFrame(FrameIo& io, DeviceRole device) {
    auto reply = io.read(device, Command::ReadStatus);
    if (reply && reply.value()[kLengthByte] == 0) reply = io.read(device, Command::ReadStatus);
    if (!reply) return reply.error();
    if (reply.value()[kLengthByte] == 0) return makeError(0, "the mouse answered the status request with no data");
    return reply;
}

MouseReport readMouseReport(const Connection& connection, FrameIo& io) {
    MouseReport out;
    out.via = statusDeviceOf(connection);
    if (!out.via) return out;
    auto frame = readStatusFrame(io, *out.via);
    if (!frame) {
        out.error = frame.error();
        return out;
    }
    out.status = parseStatusReply(frame.value());
    if (!out.status) {
        out.error = makeError(0, "the mouse answered the status request for another command");
        return out;
    }
    // A receiver whose mouse is out of reach answers the counter request with no data.
    auto counter = io.read(*out.via, Command::ReadDataChange);
    if (counter && counter.value()[kLengthByte] >= 2) out.dataChange = parseDataChangeReply(counter.value());
    return out;
}

}  // namespace orvane
