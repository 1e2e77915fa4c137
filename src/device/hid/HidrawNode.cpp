#include "device/hid/HidrawNode.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "device/hid/Udev.h"

namespace orvane::hid {
namespace {

constexpr const char* kDevPrefix = "/dev/";
constexpr const char* kSysnamePrefix = "hidraw";
// The kernel refuses descriptors above 4096 bytes; anything longer is not a report descriptor.
constexpr size_t kMaxDescriptorSize = 4096;

bool allDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

long nodeNumber(const std::string& sysname) {
    return std::strtol(sysname.c_str() + std::char_traits<char>::length(kSysnamePrefix), nullptr, 10);
}

bool parseHex16(const char* text, uint16_t& out) {
    if (!text) return false;
    char* end = nullptr;
    unsigned long v = std::strtoul(text, &end, 16);
    if (end == text || v > 0xFFFF) return false;
    out = static_cast<uint16_t>(v);
    return true;
}

// The identity the HID core announces in HID_ID, "bus:vendor:product" in hexadecimal, and for
// devices on the USB HID bus the USB device's own IDs. Only a device on that bus may take its
// identity from a USB device above it: a Bluetooth mouse behind a USB radio dongle has the
// dongle as its USB ancestor, and must not pass for it.
constexpr unsigned kBusUsb = 0x03;

bool readIdentity(udev_device* hidraw, udev_device* hid, uint16_t& vendor, uint16_t& product) {
    const char* hidId = udev_device_get_property_value(hid, "HID_ID");
    unsigned bus = 0, v = 0, p = 0;
    const bool haveHidId =
        hidId && std::sscanf(hidId, "%x:%x:%x", &bus, &v, &p) == 3 && v <= 0xFFFF && p <= 0xFFFF;
    if (!haveHidId || bus == kBusUsb) {
        if (udev_device* usb = udev_device_get_parent_with_subsystem_devtype(hidraw, "usb", "usb_device")) {
            if (parseHex16(udev_device_get_sysattr_value(usb, "idVendor"), vendor) &&
                parseHex16(udev_device_get_sysattr_value(usb, "idProduct"), product))
                return true;
        }
    }
    if (!haveHidId) return false;
    vendor = static_cast<uint16_t>(v);
    product = static_cast<uint16_t>(p);
    return true;
}

Result<std::vector<uint8_t>> readDescriptor(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return makeError(errno, "open " + path);
    std::vector<uint8_t> bytes(kMaxDescriptorSize + 1);
    size_t total = 0;
    while (total < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + total, bytes.size() - total);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            return makeError(err, "read " + path);
        }
        if (n == 0) break;
        total += static_cast<size_t>(n);
    }
    ::close(fd);
    if (total > kMaxDescriptorSize) return makeError(EFBIG, "read " + path);
    bytes.resize(total);
    return bytes;
}

Result<HidrawNode> fromUdevDevice(udev_device* dev) {
    HidrawNode node;
    node.sysname = udev_device_get_sysname(dev);
    const char* devnode = udev_device_get_devnode(dev);
    node.devnode = devnode ? devnode : kDevPrefix + node.sysname;
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(dev, "hid", nullptr);
    if (!hid) return makeError(ENODEV, node.sysname + " has no HID device above it");
    if (!readIdentity(dev, hid, node.vendor, node.product))
        return makeError(ENODEV, node.sysname + " has no vendor and product ID");
    auto bytes = readDescriptor(std::string(udev_device_get_syspath(hid)) + "/report_descriptor");
    if (bytes) {
        if (auto parsed = ReportDescriptor::parse(*bytes)) {
            node.collections = parsed->collections();
            node.numbered = parsed->numbered();
        }
    }
    return node;
}

Result<udev::Context> newContext() {
    udev::Context u(udev_new());
    if (!u) return makeError(errno ? errno : ENOMEM, "udev_new");
    return u;
}

}  // namespace

Result<std::vector<HidrawNode>> HidrawNode::enumerateAll() {
    auto u = newContext();
    if (!u) return u.error();
    udev::EnumeratePtr e(udev_enumerate_new(u->get()));
    if (!e) return makeError(errno ? errno : ENOMEM, "udev_enumerate_new");
    if (int r = udev_enumerate_add_match_subsystem(e.get(), "hidraw"); r < 0)
        return makeError(-r, "udev enumerate hidraw");
    if (int r = udev_enumerate_scan_devices(e.get()); r < 0) return makeError(-r, "udev scan hidraw devices");
    std::vector<HidrawNode> nodes;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e.get())) {
        udev::DevicePtr dev(udev_device_new_from_syspath(u->get(), udev_list_entry_get_name(entry)));
        if (!dev) continue;  // gone between the scan and now
        auto node = fromUdevDevice(dev.get());
        if (node) nodes.push_back(std::move(*node));
    }
    std::sort(nodes.begin(), nodes.end(), [](const HidrawNode& a, const HidrawNode& b) {
        return nodeNumber(a.sysname) < nodeNumber(b.sysname);
    });
    return nodes;
}

Result<HidrawNode> HidrawNode::fromSysname(const std::string& sysname) {
    auto u = newContext();
    if (!u) return u.error();
    errno = 0;
    udev::DevicePtr dev(udev_device_new_from_subsystem_sysname(u->get(), "hidraw", sysname.c_str()));
    if (!dev) return makeError(errno && errno != ENOENT ? errno : ENODEV, "find " + sysname + " in sysfs");
    return fromUdevDevice(dev.get());
}

std::vector<InterfaceInfo> HidrawNode::interfaces() const {
    std::vector<InterfaceInfo> out;
    const size_t count = std::max<size_t>(collections.size(), 1);
    for (size_t i = 0; i < count; ++i) {
        InterfaceInfo info;
        info.path = makeInterfacePath(devnode, i);
        info.vendor = vendor;
        info.product = product;
        if (i < collections.size()) {
            info.inputReportLength = collections[i].inputReportLength;
            info.featureReportLength = collections[i].featureReportLength;
        }
        out.push_back(std::move(info));
    }
    return out;
}

std::string makeInterfacePath(const std::string& devnode, size_t collection) {
    return collection == 0 ? devnode : devnode + "#" + std::to_string(collection);
}

Result<InterfacePath> parseInterfacePath(const std::string& path) {
    InterfacePath out;
    const size_t hash = path.find('#');
    out.devnode = path.substr(0, hash);
    if (hash != std::string::npos) {
        const std::string index = path.substr(hash + 1);
        if (!allDigits(index) || index.size() > 4)
            return makeError(EINVAL, "not a hidraw interface path: " + path);
        out.collection = std::stoul(index);
    }
    const std::string prefix = std::string(kDevPrefix) + kSysnamePrefix;
    if (out.devnode.compare(0, prefix.size(), prefix) != 0 || !allDigits(out.devnode.substr(prefix.size())) ||
        out.devnode.size() - prefix.size() > 6)
        return makeError(EINVAL, "not a hidraw interface path: " + path);
    return out;
}

}  // namespace orvane::hid
