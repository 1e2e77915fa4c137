#include "device/sim/SimTransport.h"

#include "device/sim/SimDevice.h"

namespace orvane::sim {

SimTransport::SimTransport(const SimOptions& options, EventLoop* clock)
    : bus_(std::make_shared<SimBus>(options, clock)) {}

Result<std::vector<hid::InterfaceInfo>> SimTransport::enumerate() {
    return bus_->interfaces();
}

Result<std::unique_ptr<hid::Device>> SimTransport::open(const std::string& path) {
    auto handle = bus_->open(path);
    if (!handle) return handle.error();
    return std::unique_ptr<hid::Device>(std::make_unique<SimDevice>(bus_, std::move(handle).value()));
}

Status SimTransport::watch(std::function<void(const hid::HotplugEvent&)> onEvent) {
    bus_->setWatcher(std::move(onEvent));
    return {};
}

void SimTransport::setOnline(bool online) {
    bus_->withModel([&](FirmwareModel& m) { m.condition().online = online; });
}

void SimTransport::setBattery(uint8_t percent, uint8_t chargeState) {
    bus_->withModel([&](FirmwareModel& m) {
        m.condition().battery = percent;
        m.condition().chargeState = chargeState;
    });
}

void SimTransport::setSensorCode(uint8_t code) {
    bus_->withModel([&](FirmwareModel& m) { m.condition().sensorCode = code; });
}

void SimTransport::setMacId(uint32_t macId) {
    bus_->withModel([&](FirmwareModel& m) { m.condition().macId = macId & 0xFFFFFF; });
}

void SimTransport::setDataChange(uint16_t counter) {
    bus_->withModel([&](FirmwareModel& m) { m.memory().dataChange = counter; });
}

Status SimTransport::userSelectDpiLevel(int level) {
    return bus_->deliver(bus_->withModel([&](FirmwareModel& m) { return m.userSelectDpiLevel(level); }));
}

Status SimTransport::userCycleDpiLevel() {
    return bus_->deliver(bus_->withModel([&](FirmwareModel& m) { return m.userCycleDpiLevel(); }));
}

Status SimTransport::userSetPollingInterval(uint8_t intervalMs) {
    return bus_->deliver(
        bus_->withModel([&](FirmwareModel& m) { return m.userSetPollingInterval(intervalMs); }));
}

MouseMemory SimTransport::memory() const {
    return bus_->withModel([](FirmwareModel& m) { return m.memory(); });
}

MouseCondition SimTransport::condition() const {
    return bus_->withModel([](FirmwareModel& m) { return m.condition(); });
}

}  // namespace orvane::sim
