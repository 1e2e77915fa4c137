#include "device/StatusRead.h"

#include <memory>

namespace orvane {

std::optional<DeviceRole> statusDeviceOf(const Connection& connection) {
    if (connection.isOpen(DeviceRole::Wired)) return DeviceRole::Wired;
    if (connection.isOpen(DeviceRole::Receiver)) return DeviceRole::Receiver;
    return std::nullopt;
}

namespace {

bool empty(const Result<Frame>& reply) {
    return reply && reply.value()[kLengthByte] == 0;
}

Result<Frame> judged(Result<Frame> reply) {
    if (empty(reply)) return makeError(0, "the mouse answered the status request with no data");
    return reply;
}

}  // namespace

void readStatusFrame(FrameIo& io, DeviceRole device, FrameIo::Read done) {
    io.read(device, Command::ReadStatus, [&io, device, done](Result<Frame> reply) {
        if (!empty(reply)) return done(judged(std::move(reply)));
        io.read(device, Command::ReadStatus, [done](Result<Frame> again) { done(judged(std::move(again))); });
    });
}

void readMouseReport(const Connection& connection, FrameIo& io, std::function<void(MouseReport)> done) {
    auto out = std::make_shared<MouseReport>();
    out->via = statusDeviceOf(connection);
    if (!out->via) return done(*out);
    readStatusFrame(io, *out->via, [&io, out, done](Result<Frame> frame) {
        if (!frame) {
            out->error = frame.error();
            return done(*out);
        }
        out->status = parseStatusReply(frame.value());
        if (!out->status) {
            out->error = makeError(0, "the mouse answered the status request for another command");
            return done(*out);
        }
        // A receiver whose mouse is out of reach answers the counter request with no data.
        io.read(*out->via, Command::ReadDataChange, [out, done](Result<Frame> counter) {
            if (counter && counter.value()[kLengthByte] >= 2)
                out->dataChange = parseDataChangeReply(counter.value());
            done(*out);
        });
    });
}

}  // namespace orvane
