#pragma once
// Owning handles for libudev objects; private to the hidraw backend.
#include <libudev.h>

#include <memory>

namespace orvane::hid::udev {

struct UdevUnref {
    void operator()(struct ::udev* u) const { udev_unref(u); }
    void operator()(udev_device* d) const { udev_device_unref(d); }
    void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
    void operator()(udev_monitor* m) const { udev_monitor_unref(m); }
};

using Context = std::unique_ptr<struct ::udev, UdevUnref>;
using DevicePtr = std::unique_ptr<udev_device, UdevUnref>;
using EnumeratePtr = std::unique_ptr<udev_enumerate, UdevUnref>;
using MonitorPtr = std::unique_ptr<udev_monitor, UdevUnref>;

}  // namespace orvane::hid::udev
