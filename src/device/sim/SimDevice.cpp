#include "device/sim/SimDevice.h"

namespace orvane::sim {

SimDevice::SimDevice(std::shared_ptr<SimBus> bus, std::shared_ptr<SimHandle> handle)
    : bus_(std::move(bus)), handle_(std::move(handle)) {}

// A reader blocked on this handle must not outlive it unnoticed.
SimDevice::~SimDevice() {
    bus_->interrupt(*handle_);
}

Status SimDevice::setFeature(std::span<const uint8_t> report) {
    return bus_->setFeature(*handle_, report);
}

Result<size_t> SimDevice::getFeature(std::span<uint8_t> report) {
    return bus_->getFeature(*handle_, report);
}

Result<size_t> SimDevice::readInput(std::span<uint8_t> report) {
    return bus_->readInput(*handle_, report);
}

void SimDevice::interruptRead() {
    bus_->interrupt(*handle_);
}

}  // namespace orvane::sim
