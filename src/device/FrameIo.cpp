#include "device/FrameIo.h"

#include <string>

#include "device/hid/FrameTrace.h"

namespace orvane {

void FrameIo::write(DeviceRole role, const Frame& frame, DeviceWrite& result) {
    hid::FrameTrace::trace(hid::FrameKind::Set, role, frame);
    const Status st = connection_.feature(role)->setFeature(frame);
    result.attempted = true;
    result.taken = st.ok();
    result.error = st.ok() ? 0 : st.error().code;
}

SendOutcome FrameIo::send(Frame frame) {
    frame[kSequenceByte] = sequence_.take();
    SendOutcome out;
    const bool wiredOpen = connection_.isOpen(DeviceRole::Wired);
    if (wiredOpen) write(DeviceRole::Wired, frame, out.devices[size_t(DeviceRole::Wired)]);
    if (connection_.isOpen(DeviceRole::Receiver)) {
        if (wiredOpen) frame[kTargetByte] = 0;
        write(DeviceRole::Receiver, frame, out.devices[size_t(DeviceRole::Receiver)]);
    }
    return out;
}

SendOutcome FrameIo::sendTo(DeviceRole role, Frame frame) {
    frame[kSequenceByte] = sequence_.take();
    SendOutcome out;
    if (!connection_.isOpen(role)) return out;
    write(role, frame, out.devices[size_t(role)]);
    return out;
}

Result<Frame> FrameIo::read(DeviceRole role, Command command) {
    hid::Device* device = connection_.feature(role);
    if (!device) return makeError(ENODEV, "read from the " + std::string(hid::roleName(role)) + ": not open");
    Frame request = makeReadRequest(command, sequence_.take());
    if (role == DeviceRole::Receiver && connection_.isOpen(DeviceRole::Wired)) request[kTargetByte] = 0;
    hid::FrameTrace::trace(hid::FrameKind::Set, role, request);
    if (auto st = device->setFeature(request); !st) return st.error();
    loop_.sleepMs(kReadReplyDelayMs);
    Frame reply;
    reply.fill(0xFF);
    reply[0] = kCommandReportId;
    auto got = device->getFeature(reply);
    if (!got) return got.error();
    hid::FrameTrace::trace(hid::FrameKind::Get, role, reply);
    return reply;
}

}  // namespace orvane
