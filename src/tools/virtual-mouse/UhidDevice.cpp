#include "UhidDevice.h"

#include <fcntl.h>
#include <linux/uhid.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace orvane::vmouse {
namespace {

constexpr uint16_t kBusVirtual = 0x06;

Status writeEvent(int fd, const uhid_event& ev, const std::string& what) {
    for (;;) {
        const ssize_t n = ::write(fd, &ev, sizeof ev);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return makeError(errno, what);
        if (static_cast<size_t>(n) != sizeof ev) return makeError(EIO, what + ": short write");
        return {};
    }
}

}  // namespace

UhidDevice::~UhidDevice() {
    destroy();
}

Status UhidDevice::create(const UhidIdentity& identity, const std::string& node) {
    destroy();
    if (identity.descriptor.size() > HID_MAX_DESCRIPTOR_SIZE)
        return makeError(EINVAL, "report descriptor of " + identity.name + " too long");
    const int fd = ::open(node.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return makeError(errno, "open " + node);
    uhid_event ev{};
    ev.type = UHID_CREATE2;
    std::strncpy(reinterpret_cast<char*>(ev.u.create2.name), identity.name.c_str(),
                 sizeof ev.u.create2.name - 1);
    std::strncpy(reinterpret_cast<char*>(ev.u.create2.phys), "orvane-virtual-mouse",
                 sizeof ev.u.create2.phys - 1);
    ev.u.create2.rd_size = static_cast<uint16_t>(identity.descriptor.size());
    ev.u.create2.bus = kBusVirtual;
    ev.u.create2.vendor = identity.vendor;
    ev.u.create2.product = identity.product;
    ev.u.create2.version = 0x0100;
    std::copy(identity.descriptor.begin(), identity.descriptor.end(), ev.u.create2.rd_data);
    if (Status s = writeEvent(fd, ev, "create uhid device " + identity.name); !s) {
        ::close(fd);
        return s;
    }
    fd_ = fd;
    name_ = identity.name;
    return {};
}

void UhidDevice::destroy() {
    if (fd_ < 0) return;
    uhid_event ev{};
    ev.type = UHID_DESTROY;
    // Closing the descriptor destroys the device as well; the event only makes it explicit.
    [[maybe_unused]] Status s = writeEvent(fd_, ev, "destroy " + name_);
    ::close(fd_);
    fd_ = -1;
}

Result<UhidRequest> UhidDevice::readRequest() {
    uhid_event ev{};
    const ssize_t n = ::read(fd_, &ev, sizeof ev);
    if (n < 0) return makeError(errno, "read uhid event of " + name_);
    UhidRequest req;
    if (ev.type == UHID_GET_REPORT) {
        req.kind = UhidRequest::Kind::GetFeature;
        req.id = ev.u.get_report.id;
        req.reportId = ev.u.get_report.rnum;
        req.featureReport = ev.u.get_report.rtype == UHID_FEATURE_REPORT;
    } else if (ev.type == UHID_SET_REPORT) {
        req.kind = UhidRequest::Kind::SetFeature;
        req.id = ev.u.set_report.id;
        req.reportId = ev.u.set_report.rnum;
        req.featureReport = ev.u.set_report.rtype == UHID_FEATURE_REPORT;
        const size_t size = std::min<size_t>(ev.u.set_report.size, sizeof ev.u.set_report.data);
        req.data.assign(ev.u.set_report.data, ev.u.set_report.data + size);
    }
    return req;
}

Status UhidDevice::replyGetFeature(uint32_t id, int error, std::span<const uint8_t> report) {
    uhid_event ev{};
    ev.type = UHID_GET_REPORT_REPLY;
    ev.u.get_report_reply.id = id;
    ev.u.get_report_reply.err = static_cast<uint16_t>(error);
    const size_t size = error ? 0 : std::min(report.size(), sizeof ev.u.get_report_reply.data);
    ev.u.get_report_reply.size = static_cast<uint16_t>(size);
    std::copy_n(report.begin(), size, ev.u.get_report_reply.data);
    return writeEvent(fd_, ev, "answer feature read on " + name_);
}

Status UhidDevice::replySetFeature(uint32_t id, int error) {
    uhid_event ev{};
    ev.type = UHID_SET_REPORT_REPLY;
    ev.u.set_report_reply.id = id;
    ev.u.set_report_reply.err = static_cast<uint16_t>(error);
    return writeEvent(fd_, ev, "answer feature write on " + name_);
}

Status UhidDevice::sendInput(std::span<const uint8_t> report) {
    if (fd_ < 0) return makeError(ENODEV, "send input on " + name_ + ": unplugged");
    uhid_event ev{};
    ev.type = UHID_INPUT2;
    const size_t size = std::min(report.size(), sizeof ev.u.input2.data);
    ev.u.input2.size = static_cast<uint16_t>(size);
    std::copy_n(report.begin(), size, ev.u.input2.data);
    return writeEvent(fd_, ev, "send input on " + name_);
}

}  // namespace orvane::vmouse
