#include "device/hid/UdevMonitor.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "device/hid/Udev.h"

namespace orvane::hid {
namespace {

// Room for a burst of events (a hub with many devices plugged at once) before the kernel drops some.
constexpr int kReceiveBufferBytes = 1 << 20;

}  // namespace

Result<std::unique_ptr<UdevMonitor>> UdevMonitor::start(const char* sourceName,
                                                        std::function<void(const HotplugEvent&)> onEvent) {
    const std::string what = std::string("udev monitor (") + sourceName + ")";
    udev::Context u(udev_new());
    if (!u) return makeError(errno ? errno : ENOMEM, "udev_new");
    udev::MonitorPtr m(udev_monitor_new_from_netlink(u.get(), sourceName));
    if (!m) return makeError(errno ? errno : EINVAL, "create " + what);
    if (int r = udev_monitor_filter_add_match_subsystem_devtype(m.get(), "hidraw", nullptr); r < 0)
        return makeError(-r, "filter " + what);
    if (int r = udev_monitor_enable_receiving(m.get()); r < 0) return makeError(-r, "start " + what);
    // Best effort: without privileges the system's default size stays.
    (void)udev_monitor_set_receive_buffer_size(m.get(), kReceiveBufferBytes);
    int stopFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (stopFd < 0) return makeError(errno, "eventfd for " + what);
    return std::unique_ptr<UdevMonitor>(
        new UdevMonitor(u.release(), m.release(), stopFd, std::move(onEvent)));
}

UdevMonitor::UdevMonitor(struct ::udev* udev, udev_monitor* monitor, int stopFd,
                         std::function<void(const HotplugEvent&)> onEvent)
    : udev_(udev), monitor_(monitor), stopFd_(stopFd), onEvent_(std::move(onEvent)) {
    thread_ = std::thread([this] { run(); });
}

UdevMonitor::~UdevMonitor() {
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(stopFd_, &one, sizeof one);
    if (thread_.joinable()) thread_.join();
    ::close(stopFd_);
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
}

void UdevMonitor::run() {
    const int monitorFd = udev_monitor_get_fd(monitor_);
    for (;;) {
        pollfd fds[2] = {{monitorFd, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        if (fds[0].revents & POLLNVAL) return;
        if (!fds[0].revents) continue;
        // Receiving also collects a pending socket error, so POLLERR does not spin.
        errno = 0;
        udev::DevicePtr dev(udev_monitor_receive_device(monitor_));
        if (!dev) {
            // The kernel dropped events: whatever came and went is unknown, so announce a
            // removal and an arrival without a path, and the caller looks again.
            if (errno == ENOBUFS) {
                onEvent_(HotplugEvent{HotplugAction::Removed, {}});
                onEvent_(HotplugEvent{HotplugAction::Added, {}});
            }
            continue;  // otherwise a message from someone else, or a torn one
        }
        // The socket filter is only a hint (and absent under test harnesses): check again.
        const char* subsystem = udev_device_get_subsystem(dev.get());
        const char* action = udev_device_get_action(dev.get());
        if (!action || !subsystem || std::strcmp(subsystem, "hidraw") != 0) continue;
        HotplugEvent event;
        if (std::strcmp(action, "add") == 0) {
            event.action = HotplugAction::Added;
        } else if (std::strcmp(action, "remove") == 0) {
            event.action = HotplugAction::Removed;
        } else {
            continue;  // change, bind, unbind: the node itself stays
        }
        const char* devnode = udev_device_get_devnode(dev.get());
        const char* sysname = udev_device_get_sysname(dev.get());
        event.path = devnode ? devnode : std::string("/dev/") + (sysname ? sysname : "");
        onEvent_(event);
    }
}

}  // namespace orvane::hid
