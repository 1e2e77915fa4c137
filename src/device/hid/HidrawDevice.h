#pragma once
// One open hidraw node, seen as the interface (top-level collection) it was opened for.
// Feature reports go through the hidraw ioctls; readInput blocks in poll() on the node and on
// an eventfd that interruptRead signals. An interrupt is permanent: every later read fails
// at once, so a reader cannot miss a stop request that arrives before it starts waiting.
#include "device/hid/HidrawNode.h"
#include "device/hid/Transport.h"

namespace orvane::hid {

class HidrawDevice final : public Device {
public:
    // The node must already be known to belong to our vendor.
    static Result<std::unique_ptr<Device>> open(const HidrawNode& node, size_t collection);
    ~HidrawDevice() override;

    const InterfaceInfo& info() const override { return info_; }
    Status setFeature(std::span<const uint8_t> report) override;
    Result<size_t> getFeature(std::span<uint8_t> report) override;
    Result<size_t> readInput(std::span<uint8_t> report) override;
    void interruptRead() override;

private:
    HidrawDevice(int fd, int wakeFd, InterfaceInfo info, bool numbered);

    int fd_;
    int wakeFd_;
    InterfaceInfo info_;
    bool numbered_;
};

}  // namespace orvane::hid
