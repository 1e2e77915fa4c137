#include "VirtualMouse.h"

#include <cstdio>

#include "device/hid/Transport.h"
#include "device/sim/Descriptors.h"

namespace orvane::vmouse {

using hid::DeviceRole;

VirtualMouse::VirtualMouse(const sim::SimOptions& options, std::string uhidNode)
    : model_(options.condition), combinedInput_(options.combinedInput), uhidNode_(std::move(uhidNode)) {
    if (options.dataChange) model_.memory().dataChange = *options.dataChange;
    model_.setPlugged(DeviceRole::Wired, options.wired);
    model_.setPlugged(DeviceRole::Receiver, options.receiver);
}

std::vector<uint8_t> VirtualMouse::descriptor(bool combinedInput) {
    std::vector<uint8_t> bytes;
    for (sim::InterfaceKind kind : sim::deviceInterfaces(combinedInput)) {
        if (kind == sim::InterfaceKind::BootMouse) continue;
        const auto part = sim::reportDescriptor(kind);
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

Status VirtualMouse::start() {
    for (DeviceRole d : {DeviceRole::Wired, DeviceRole::Receiver}) {
        if (!model_.plugged(d)) continue;
        if (Status s = plug(d); !s) return s;
    }
    return {};
}

Status VirtualMouse::plug(DeviceRole device) {
    if (uhid(device).created()) return {};
    UhidIdentity id;
    const bool wired = device == DeviceRole::Wired;
    id.name = wired ? "Velmira Wireless (virtual)" : "Velmira Wireless Receiver (virtual)";
    id.vendor = hid::kVendorId;
    id.product = wired ? hid::kWiredProductId : hid::kReceiverProductId;
    id.descriptor = descriptor(combinedInput_);
    if (Status s = uhid(device).create(id, uhidNode_); !s) return s;
    model_.setPlugged(device, true);
    return {};
}

void VirtualMouse::unplug(DeviceRole device) {
    uhid(device).destroy();
    model_.setPlugged(device, false);
}

Status VirtualMouse::serve(DeviceRole device) {
    auto req = uhid(device).readRequest();
    if (!req) return req.error().code == EAGAIN ? Status{} : Status{req.error()};
    switch (req->kind) {
        case UhidRequest::Kind::GetFeature: {
            if (!req->featureReport || req->reportId != sim::kFeatureReportId)
                return uhid(device).replyGetFeature(req->id, EIO, {});
            const sim::Report reply = model_.handleGetFeature(device);
            return uhid(device).replyGetFeature(req->id, 0, reply);
        }
        case UhidRequest::Kind::SetFeature: {
            // A report the device does not declare stalls, as on the wire.
            if (!req->featureReport) return uhid(device).replySetFeature(req->id, EIO);
            const Status applied = model_.handleSetFeature(device, req->data);
            return uhid(device).replySetFeature(req->id, applied ? 0 : EIO);
        }
        case UhidRequest::Kind::Other:
            break;  // start, stop, open, close, output reports
    }
    return {};
}

Status VirtualMouse::deliver(Result<std::vector<sim::Notification>> notifications) {
    if (!notifications) return notifications.error();
    for (const sim::Notification& n : *notifications) {
        if (!uhid(n.via).created()) continue;
        if (Status s = uhid(n.via).sendInput(n.report); !s) return s;
    }
    return {};
}

std::string VirtualMouse::status() const {
    const sim::MouseCondition& c = model_.condition();
    char line[200];
    std::snprintf(
        line, sizeof line,
        "wired %s, receiver %s, mouse %s, battery %u%%, charge state %u, sensor 0x%02X, Mac_ID 0x%06X",
        uhid(DeviceRole::Wired).created() ? "plugged" : "unplugged",
        uhid(DeviceRole::Receiver).created() ? "plugged" : "unplugged", c.online ? "online" : "asleep",
        c.battery, c.chargeState, c.sensorCode, c.macId);
    return line;
}

Result<std::string> VirtualMouse::execute(const Command& c) {
    using K = Command::Kind;
    const std::string device(hid::roleName(c.device));
    switch (c.kind) {
        case K::Plug:
            if (Status s = plug(c.device); !s) return s.error();
            return "plugged " + device;
        case K::Unplug:
            unplug(c.device);
            return "unplugged " + device;
        case K::Sleep:
            model_.condition().online = false;
            return std::string("mouse asleep");
        case K::Wake:
            model_.condition().online = true;
            return std::string("mouse online");
        case K::Battery:
            model_.condition().battery = static_cast<uint8_t>(c.value);
            return "battery " + std::to_string(c.value) + "%";
        case K::Charging:
            model_.condition().chargeState = static_cast<uint8_t>(c.value);
            return "charge state " + std::to_string(c.value);
        case K::Dpi:
            if (Status s = deliver(model_.userSelectDpiLevel(c.value)); !s) return s.error();
            return "DPI level " + std::to_string(c.value + 1);
        case K::CycleDpi:
            if (Status s = deliver(model_.userCycleDpiLevel()); !s) return s.error();
            return std::string("DPI level cycled");
        case K::Polling:
            if (Status s = deliver(model_.userSetPollingInterval(static_cast<uint8_t>(c.value))); !s)
                return s.error();
            return "polling interval " + std::to_string(c.value) + " ms";
        case K::Reset:
            model_.factoryReset();
            return std::string("factory reset");
        case K::Status:
            return status();
        case K::Quit:
        case K::None:
            break;
    }
    return std::string();
}

}  // namespace orvane::vmouse
