#pragma once
// One kernel HID device served from user space through /dev/uhid. The kernel creates the HID
// device (and its hidraw node) on create(), forwards feature reads and writes as events, and
// removes the device on destroy() or when the descriptor is closed.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/Result.h"

namespace orvane::vmouse {

struct UhidIdentity {
    std::string name;
    uint16_t vendor = 0;
    uint16_t product = 0;
    std::vector<uint8_t> descriptor;
};

// What the kernel asks of the device; only the requests that need an answer are kept apart.
struct UhidRequest {
    enum class Kind { GetFeature, SetFeature, Other };
    Kind kind = Kind::Other;
    uint32_t id = 0;  // to be echoed in the reply
    uint8_t reportId = 0;
    bool featureReport = false;  // false for input/output report requests
    std::vector<uint8_t> data;   // SetFeature: the report, ID byte first
};

class UhidDevice {
public:
    UhidDevice() = default;
    ~UhidDevice();
    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;

    // Opens /dev/uhid (or `node`) and creates the device.
    Status create(const UhidIdentity& identity, const std::string& node = "/dev/uhid");
    // Removes the device: to the host this is an unplug.
    void destroy();
    bool created() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    // Reads one pending event; call when fd() is readable.
    Result<UhidRequest> readRequest();
    Status replyGetFeature(uint32_t id, int error, std::span<const uint8_t> report);
    Status replySetFeature(uint32_t id, int error);
    Status sendInput(std::span<const uint8_t> report);

private:
    int fd_ = -1;
    std::string name_;
};

}  // namespace orvane::vmouse
