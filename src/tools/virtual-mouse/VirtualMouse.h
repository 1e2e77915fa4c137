#pragma once
// The firmware model served as real kernel HID devices: one uhid device for the wired mouse
// and one for the receiver. Each carries the vendor interfaces of the real hardware as two
// top-level collections of one report descriptor (input report 5; feature report 0x0C with
// its short input report), which the hidraw backend lists as two interfaces of one node.
// The boot-protocol mouse interface of the hardware is left out: its reports carry no IDs and
// cannot share a descriptor with numbered ones, and nothing of ours talks to it.
#include <array>
#include <string>
#include <vector>

#include "Commands.h"
#include "UhidDevice.h"
#include "device/sim/FirmwareModel.h"
#include "device/sim/SimOptions.h"

namespace orvane::vmouse {

class VirtualMouse {
public:
    explicit VirtualMouse(const sim::SimOptions& options, std::string uhidNode = "/dev/uhid");

    // Creates the devices the options plug in.
    Status start();
    // Answers the kernel's pending request on `device`; call when its fd is readable.
    Status serve(hid::DeviceRole device);
    // Runs one command; returns the line to print.
    Result<std::string> execute(const Command& command);

    int fd(hid::DeviceRole device) const { return uhid(device).fd(); }
    static std::vector<uint8_t> descriptor(bool combinedInput);

private:
    UhidDevice& uhid(hid::DeviceRole d) { return devices_[d == hid::DeviceRole::Wired ? 0 : 1]; }
    const UhidDevice& uhid(hid::DeviceRole d) const { return devices_[d == hid::DeviceRole::Wired ? 0 : 1]; }
    Status plug(hid::DeviceRole device);
    void unplug(hid::DeviceRole device);
    Status deliver(Result<std::vector<sim::Notification>> notifications);
    std::string status() const;

    sim::FirmwareModel model_;
    const bool combinedInput_;
    const std::string uhidNode_;
    std::array<UhidDevice, 2> devices_;
};

}  // namespace orvane::vmouse
