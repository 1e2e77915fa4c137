#pragma once
// A umockdev testbed holding hidraw devices the way the kernel lays them out in sysfs.
#include <umockdev.h>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace orvane::hid::test {

struct FakeHidraw {
    std::string parentPath;  // sysfs path of the HID device's parent, below /devices
    std::string hidName;     // "0003:248A:5B2E.0001"
    unsigned number = 0;     // hidrawN
    std::string hidId;       // HID_ID property, "0003:0000248A:00005B2E"
    std::vector<uint8_t> descriptor;
    std::vector<uint8_t> nodeContents;  // what read() on the node returns

    std::string hidSyspath() const { return "/sys" + parentPath + "/" + hidName; }
    std::string syspath() const { return hidSyspath() + "/hidraw/hidraw" + std::to_string(number); }
    std::string devnode() const { return "/dev/hidraw" + std::to_string(number); }
};

// Answers the feature ioctls of one node: a set stores the report under its ID, a get returns
// the stored report; reports listed in `stall` fail with EPIPE as a stalled transfer would.
struct FeatureScript {
    std::mutex lock;
    std::map<uint8_t, std::vector<uint8_t>> reports;
    std::vector<uint8_t> stall;
    std::vector<unsigned long> requests;
    // When set, HIDIOCGRAWINFO answers with this vendor and product.
    std::optional<std::pair<uint16_t, uint16_t>> rawIdentity;
};

class Testbed {
public:
    Testbed();
    ~Testbed();
    Testbed(const Testbed&) = delete;
    Testbed& operator=(const Testbed&) = delete;

    // A USB device with its vendor and product; returns its path below /devices.
    std::string addUsbDevice(const std::string& name, uint16_t vendor, uint16_t product);
    void addHidraw(const FakeHidraw& dev);
    void attachFeatureScript(const std::string& devnode, FeatureScript& script);
    void uevent(const std::string& syspath, const char* action);
    std::string rootDir() const;

private:
    void add(const std::string& record);

    UMockdevTestbed* bed_;
    std::vector<UMockdevIoctlBase*> handlers_;
};

std::string hex(const std::vector<uint8_t>& bytes);

}  // namespace orvane::hid::test
