#pragma once
// The Linux HID backend: hidraw nodes found through udev, report lengths taken from each
// node's report descriptor in sysfs, feature reports through the hidraw ioctls.
//
// A hidraw node stands for a whole HID device, while our callers count interfaces the way
// the mouse's firmware presents them: one per top-level collection. So every top-level
// collection of a node becomes one InterfaceInfo. The first collection's path is the node
// itself ("/dev/hidraw3"); the others append "#<index>" ("/dev/hidraw3#1"). All of them open
// the same node; a reader on any of them receives every input report of the device.
// Arrival and removal are reported once per node, with the node's path ("/dev/hidraw3").
// When the kernel dropped events, a removal and an arrival with an empty path say so.
//
// Only devices of our own vendor are ever opened; everything else is enumerated from sysfs
// without touching the node.
#include <memory>

#include "device/hid/Transport.h"

namespace orvane::hid {

class UdevMonitor;

class HidrawTransport final : public Transport {
public:
    // Where arrival and removal events come from. "udev" events arrive after udevd has set
    // up the node (permissions included) but need a running udevd; "kernel" events come
    // straight from the kernel and work in containers and minimal systems.
    enum class EventSource { Automatic, Udev, Kernel };

    explicit HidrawTransport(EventSource source = EventSource::Automatic);
    ~HidrawTransport() override;

    Result<std::vector<InterfaceInfo>> enumerate() override;
    Result<std::unique_ptr<Device>> open(const std::string& path) override;
    // The callback runs on the monitor thread; it must not call watch() itself.
    Status watch(std::function<void(const HotplugEvent&)> onEvent) override;

private:
    EventSource source_;
    std::unique_ptr<UdevMonitor> monitor_;
};

}  // namespace orvane::hid
