#pragma once
// Arrival and removal of hidraw nodes, reported from a thread of its own.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "base/Result.h"
#include "device/hid/Transport.h"

struct udev;
struct udev_monitor;

namespace orvane::hid {

class UdevMonitor {
public:
    // sourceName: "udev" or "kernel", as libudev names its netlink groups.
    static Result<std::unique_ptr<UdevMonitor>> start(const char* sourceName,
                                                      std::function<void(const HotplugEvent&)> onEvent);
    ~UdevMonitor();  // stops and joins the thread

    bool onMonitorThread() const { return std::this_thread::get_id() == thread_.get_id(); }

private:
    UdevMonitor(struct ::udev* udev, udev_monitor* monitor, int stopFd,
                std::function<void(const HotplugEvent&)> onEvent);
    void run();

    struct ::udev* udev_;
    udev_monitor* monitor_;
    int stopFd_;
    std::function<void(const HotplugEvent&)> onEvent_;
    std::thread thread_;
};

}  // namespace orvane::hid
