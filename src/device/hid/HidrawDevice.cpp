#include "device/hid/HidrawDevice.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace orvane::hid {
namespace {

// The ioctl encodes the buffer length in 14 bits.
constexpr size_t kMaxIoctlLength = (1u << 14) - 1;

}  // namespace

Result<std::unique_ptr<Device>> HidrawDevice::open(const HidrawNode& node, size_t collection) {
    auto interfaces = node.interfaces();
    if (collection >= interfaces.size())
        return makeError(ENOENT, node.devnode + " has no collection " + std::to_string(collection));
    int fd = ::open(node.devnode.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return makeError(errno, "open " + node.devnode);
    // The node may have gone and its number been handed to another device since sysfs was
    // read; the kernel's own answer decides, before any report is exchanged.
    hidraw_devinfo raw{};
    if (::ioctl(fd, HIDIOCGRAWINFO, &raw) == 0 && (static_cast<uint16_t>(raw.vendor) != node.vendor ||
                                                   static_cast<uint16_t>(raw.product) != node.product)) {
        ::close(fd);
        return makeError(ENODEV, "open " + node.devnode + ": now another device");
    }
    int wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd < 0) {
        int err = errno;
        ::close(fd);
        return makeError(err, "eventfd for " + node.devnode);
    }
    return std::unique_ptr<Device>(
        new HidrawDevice(fd, wakeFd, std::move(interfaces[collection]), node.numbered));
}

HidrawDevice::HidrawDevice(int fd, int wakeFd, InterfaceInfo info, bool numbered)
    : fd_(fd), wakeFd_(wakeFd), info_(std::move(info)), numbered_(numbered) {}

HidrawDevice::~HidrawDevice() {
    ::close(fd_);
    ::close(wakeFd_);
}

Status HidrawDevice::setFeature(std::span<const uint8_t> report) {
    if (report.empty() || report.size() > kMaxIoctlLength)
        return makeError(EINVAL, "set feature report on " + info_.path + ": bad length");
    // The kernel drops byte 0 itself when the device does not number its reports.
    if (::ioctl(fd_, HIDIOCSFEATURE(report.size()), report.data()) < 0)
        return makeError(errno, "set feature report " + std::to_string(report[0]) + " on " + info_.path);
    return {};
}

Result<size_t> HidrawDevice::getFeature(std::span<uint8_t> report) {
    if (report.empty() || report.size() > kMaxIoctlLength)
        return makeError(EINVAL, "get feature report on " + info_.path + ": bad length");
    const int n = ::ioctl(fd_, HIDIOCGFEATURE(report.size()), report.data());
    if (n < 0)
        return makeError(errno, "get feature report " + std::to_string(report[0]) + " on " + info_.path);
    return static_cast<size_t>(n);
}

Result<size_t> HidrawDevice::readInput(std::span<uint8_t> report) {
    if (report.size() < 2)
        return makeError(EINVAL, "read input report on " + info_.path + ": buffer too small");
    // Unnumbered devices deliver reports without the ID byte; callers always get one.
    std::span<uint8_t> target = numbered_ ? report : report.subspan(1);
    for (;;) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return makeError(errno, "wait for input on " + info_.path);
        }
        if (fds[1].revents) return makeError(ECANCELED, "read input on " + info_.path);
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
            return makeError(ENODEV, "read input on " + info_.path);
        if (!(fds[0].revents & POLLIN)) continue;
        const ssize_t n = ::read(fd_, target.data(), target.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            // hidraw answers EIO once its device is gone.
            return makeError(errno == EIO ? ENODEV : errno, "read input on " + info_.path);
        }
        if (n == 0) return makeError(ENODEV, "read input on " + info_.path + ": end of file");
        if (!numbered_) report[0] = 0;
        const size_t total = static_cast<size_t>(n) + (numbered_ ? 0 : 1);
        return total;
    }
}

void HidrawDevice::interruptRead() {
    const uint64_t one = 1;
    // Only fails when the counter is saturated, and then the reader is woken anyway.
    [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
}

}  // namespace orvane::hid
