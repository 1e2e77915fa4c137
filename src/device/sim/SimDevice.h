#pragma once
// An open interface of the virtual mouse.
#include <memory>

#include "device/hid/Transport.h"
#include "device/sim/SimBus.h"

namespace orvane::sim {

class SimDevice : public hid::Device {
public:
    SimDevice(std::shared_ptr<SimBus> bus, std::shared_ptr<SimHandle> handle);
    ~SimDevice() override;

    const hid::InterfaceInfo& info() const override { return handle_->info; }
    Status setFeature(std::span<const uint8_t> report) override;
    Result<size_t> getFeature(std::span<uint8_t> report) override;
    Result<size_t> readInput(std::span<uint8_t> report) override;
    void interruptRead() override;

private:
    std::shared_ptr<SimBus> bus_;
    std::shared_ptr<SimHandle> handle_;
};

}  // namespace orvane::sim
