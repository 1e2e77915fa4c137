#pragma once
// The virtual mouse behind the HID transport interface, in-process: the wired mouse and the
// receiver with their interfaces, served by one firmware model, plus the script that plugs them,
// puts the mouse to sleep, changes its battery and makes transfers fail. Thread-safe: the link
// may send from its thread while readers block and a test scripts from a third.
#include <memory>

#include "base/EventLoop.h"
#include "device/hid/Transport.h"
#include "device/sim/Fault.h"
#include "device/sim/SimBus.h"
#include "device/sim/SimOptions.h"

namespace orvane::sim {

class SimTransport : public hid::Transport {
public:
    // With a clock, the frame log's times and the wait of a stalled transfer use it (a
    // VirtualEventLoop keeps such tests instant); without one, the real clock.
    explicit SimTransport(const SimOptions& options = {}, EventLoop* clock = nullptr);

    Result<std::vector<hid::InterfaceInfo>> enumerate() override;
    Result<std::unique_ptr<hid::Device>> open(const std::string& path) override;
    Status watch(std::function<void(const hid::HotplugEvent&)> onEvent) override;

    // Plugging and unplugging report to the watcher on the calling thread.
    void plug(Link link) { bus_->setPlugged(link, true); }
    void unplug(Link link) { bus_->setPlugged(link, false); }
    bool plugged(Link link) const { return bus_->plugged(link); }

    void setOnline(bool online);
    void setBattery(uint8_t percent, uint8_t chargeState);
    void setSensorCode(uint8_t code);
    void setMacId(uint32_t macId);
    void setDataChange(uint16_t counter);

    // times: how many transfers fail, or kFaultAlways until clearFaults.
    void injectFault(Link link, Fault fault, int times = 1) { bus_->injectFault(link, fault, times); }
    void clearFaults(Link link) { bus_->clearFaults(link); }

    // The user's own buttons on the mouse: they send input report 5.
    Status userSelectDpiLevel(int level);
    Status userCycleDpiLevel();
    Status userSetPollingInterval(uint8_t intervalMs);
    // Any input report, as if the device had sent it.
    void sendInput(Link link, std::span<const uint8_t> report) { bus_->sendInput(link, report); }
    // Every input report sent so far has been handed on by the program's readers.
    bool inputHandedOver() const { return bus_->inputHandedOver(); }

    MouseMemory memory() const;
    MouseCondition condition() const;
    // Locked access to the model for anything the calls above do not cover.
    template <typename F>
    auto withModel(F&& f) {
        return bus_->withModel(std::forward<F>(f));
    }

    FrameLog& log() { return bus_->log(); }

private:
    std::shared_ptr<SimBus> bus_;
};

}  // namespace orvane::sim
