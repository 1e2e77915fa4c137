#include "Testbed.h"

#include <linux/hidraw.h>
#include <sys/ioctl.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace orvane::hid::test {
namespace {

constexpr unsigned kHidrawMajor = 240;

gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer user) {
    auto* script = static_cast<FeatureScript*>(user);
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    const unsigned long nr = _IOC_NR(request);
    if (request == HIDIOCGRAWINFO) {
        std::lock_guard<std::mutex> hold(script->lock);
        if (!script->rawIdentity) {
            umockdev_ioctl_client_complete(client, -1, ENOTTY);
            return TRUE;
        }
        GError* error = nullptr;
        UMockdevIoctlData* data = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0,
                                                              sizeof(hidraw_devinfo), &error);
        if (!data) {
            g_clear_error(&error);
            umockdev_ioctl_client_complete(client, -1, EFAULT);
            return TRUE;
        }
        hidraw_devinfo info{3, static_cast<__s16>(script->rawIdentity->first),
                            static_cast<__s16>(script->rawIdentity->second)};
        std::memcpy(data->data, &info, sizeof info);
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    }
    if (_IOC_TYPE(request) != 'H' || (nr != _IOC_NR(HIDIOCSFEATURE(0)) && nr != _IOC_NR(HIDIOCGFEATURE(0)))) {
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return TRUE;
    }
    const size_t size = _IOC_SIZE(request);
    GError* error = nullptr;
    UMockdevIoctlData* data =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size, &error);
    if (!data) {
        g_clear_error(&error);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return TRUE;
    }
    std::lock_guard<std::mutex> hold(script->lock);
    script->requests.push_back(request);
    const uint8_t id = data->data[0];
    long result = -1;
    int err = 0;
    if (std::find(script->stall.begin(), script->stall.end(), id) != script->stall.end()) {
        err = EPIPE;
    } else if (nr == _IOC_NR(HIDIOCSFEATURE(0))) {
        script->reports[id].assign(data->data, data->data + size);
        result = static_cast<long>(size);
    } else {
        auto it = script->reports.find(id);
        if (it == script->reports.end()) {
            err = EIO;
        } else {
            const size_t n = std::min(size, it->second.size());
            std::copy_n(it->second.begin(), n, data->data);
            result = static_cast<long>(n);
        }
    }
    umockdev_ioctl_client_complete(client, result, err);
    return TRUE;
}

}  // namespace

std::string hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    char buf[3];
    for (uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        out += buf;
    }
    return out;
}

Testbed::Testbed() : bed_(umockdev_testbed_new()) {}

Testbed::~Testbed() {
    for (UMockdevIoctlBase* h : handlers_) g_object_unref(h);
    g_object_unref(bed_);
}

std::string Testbed::rootDir() const {
    gchar* dir = umockdev_testbed_get_root_dir(bed_);
    std::string out = dir;
    g_free(dir);
    return out;
}

void Testbed::add(const std::string& record) {
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(bed_, record.c_str(), &error)) {
        std::string msg = error ? error->message : "unknown error";
        g_clear_error(&error);
        throw std::runtime_error("umockdev record rejected: " + msg);
    }
}

std::string Testbed::addUsbDevice(const std::string& name, uint16_t vendor, uint16_t product) {
    char ids[64];
    std::snprintf(ids, sizeof ids, "A: idVendor=%04x\nA: idProduct=%04x\n", vendor, product);
    const std::string path = "/devices/pci0000:00/0000:00:14.0/usb1/" + name;
    add("P: " + path + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n" + ids + "\n");
    add("P: " + path + "/" + name +
        ":1.0\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceClass=03\n\n");
    return path + "/" + name + ":1.0";
}

void Testbed::addHidraw(const FakeHidraw& dev) {
    const std::string hidPath = dev.parentPath + "/" + dev.hidName;
    add("P: " + hidPath + "\nE: SUBSYSTEM=hid\nE: DRIVER=hid-generic\nE: HID_ID=" + dev.hidId +
        "\nH: report_descriptor=" + hex(dev.descriptor) + "\n\n");
    const std::string n = std::to_string(dev.number);
    std::string node = "N: hidraw" + n;
    if (!dev.nodeContents.empty()) node += "=" + hex(dev.nodeContents);
    add("P: " + hidPath + "/hidraw/hidraw" + n + "\nE: SUBSYSTEM=hidraw\nE: DEVNAME=/dev/hidraw" + n +
        "\nE: MAJOR=" + std::to_string(kHidrawMajor) + "\nE: MINOR=" + n +
        "\nA: dev=" + std::to_string(kHidrawMajor) + ":" + n + "\n" + node + "\n\n");
}

void Testbed::attachFeatureScript(const std::string& devnode, FeatureScript& script) {
    UMockdevIoctlBase* handler = umockdev_ioctl_base_new();
    g_signal_connect(handler, "handle-ioctl", G_CALLBACK(onIoctl), &script);
    GError* error = nullptr;
    if (!umockdev_testbed_attach_ioctl(bed_, devnode.c_str(), handler, &error)) {
        std::string msg = error ? error->message : "unknown error";
        g_clear_error(&error);
        g_object_unref(handler);
        throw std::runtime_error("attach ioctl handler: " + msg);
    }
    handlers_.push_back(handler);
}

void Testbed::uevent(const std::string& syspath, const char* action) {
    umockdev_testbed_uevent(bed_, syspath.c_str(), action);
}

}  // namespace orvane::hid::test
