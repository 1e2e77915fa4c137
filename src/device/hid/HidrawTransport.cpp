#include "device/hid/HidrawTransport.h"

#include <unistd.h>

#include "device/hid/HidrawDevice.h"
#include "device/hid/HidrawNode.h"
#include "device/hid/UdevMonitor.h"

namespace orvane::hid {
namespace {

// udevd creates its control socket here; without it nobody forwards "udev" events.
constexpr const char* kUdevdControl = "/run/udev/control";

const char* sourceName(HidrawTransport::EventSource source) {
    switch (source) {
        case HidrawTransport::EventSource::Udev:
            return "udev";
        case HidrawTransport::EventSource::Kernel:
            return "kernel";
        case HidrawTransport::EventSource::Automatic:
            break;
    }
    return ::access(kUdevdControl, F_OK) == 0 ? "udev" : "kernel";
}

}  // namespace

HidrawTransport::HidrawTransport(EventSource source) : source_(source) {}

HidrawTransport::~HidrawTransport() = default;

Result<std::vector<InterfaceInfo>> HidrawTransport::enumerate() {
    auto nodes = HidrawNode::enumerateAll();
    if (!nodes) return nodes.error();
    std::vector<InterfaceInfo> out;
    for (const HidrawNode& node : *nodes) {
        for (InterfaceInfo& info : node.interfaces()) out.push_back(std::move(info));
    }
    return out;
}

Result<std::unique_ptr<Device>> HidrawTransport::open(const std::string& path) {
    auto where = parseInterfacePath(path);
    if (!where) return where.error();
    const std::string sysname = where->devnode.substr(where->devnode.rfind('/') + 1);
    auto node = HidrawNode::fromSysname(sysname);
    if (!node) return node.error();
    // Checked from sysfs before the node is opened: other people's devices stay untouched.
    if (node->vendor != kVendorId)
        return makeError(ENOTSUP, "refusing to open " + path + ": not a device of vendor 248A");
    return HidrawDevice::open(*node, where->collection);
}

Status HidrawTransport::watch(std::function<void(const HotplugEvent&)> onEvent) {
    if (monitor_ && monitor_->onMonitorThread())
        return makeError(EDEADLK, "change the device monitor from its own callback");
    monitor_.reset();
    if (!onEvent) return {};
    const char* name = sourceName(source_);
    auto m = UdevMonitor::start(name, onEvent);
    if (!m && source_ == EventSource::Automatic && std::string(name) == "udev")
        m = UdevMonitor::start("kernel", onEvent);
    if (!m) return m.error();
    monitor_ = std::move(*m);
    return {};
}

}  // namespace orvane::hid
