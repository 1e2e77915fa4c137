#pragma once
// The virtual USB bus: the firmware model, which devices are plugged, the open handles with their
// input queues, scripted faults and the frame log, behind one lock. Handles share ownership of it
// so that a handle may outlive the transport that opened it.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "base/EventLoop.h"
#include "base/Result.h"
#include "device/hid/Transport.h"
#include "device/sim/Fault.h"
#include "device/sim/FirmwareModel.h"
#include "device/sim/FrameLog.h"
#include "device/sim/SimOptions.h"

namespace orvane::sim {

// One open interface.
struct SimHandle {
    hid::InterfaceInfo info;
    Link link = Link::Wired;
    InterfaceKind kind = InterfaceKind::BootMouse;
    uint64_t generation = 0;  // the plug-in this handle belongs to; a re-plug makes it stale
    std::deque<Report> queue;
    bool interrupted = false;
    bool handingOver = false;  // a report was read and its reader has not come back for the next
};

class SimBus {
public:
    SimBus(const SimOptions& options, EventLoop* clock);

    std::vector<hid::InterfaceInfo> interfaces() const;
    Result<std::shared_ptr<SimHandle>> open(const std::string& path);
    Status setFeature(SimHandle& h, std::span<const uint8_t> report);
    Result<size_t> getFeature(SimHandle& h, std::span<uint8_t> report);
    Result<size_t> readInput(SimHandle& h, std::span<uint8_t> report);
    void interrupt(SimHandle& h);

    void setPlugged(Link link, bool plugged);
    bool plugged(Link link) const;
    void injectFault(Link link, Fault fault, int times);
    void clearFaults(Link link);
    // Puts an input report on the device's input interface as the mouse would send it.
    void sendInput(Link link, std::span<const uint8_t> report);
    // Every input report sent so far has been read and handed on by its reader, which is back
    // waiting for the next (a reader hands a report on before it reads again).
    bool inputHandedOver() const;
    Status deliver(Result<std::vector<Notification>> notifications);

    template <typename F>
    auto withModel(F&& f) {
        std::lock_guard lock(mutex_);
        return f(model_);
    }

    void setWatcher(std::function<void(const hid::HotplugEvent&)> watcher);
    FrameLog& log() { return log_; }
    int64_t nowMs() const;

private:
    struct DeviceState {
        bool plugged = false;
        uint64_t generation = 0;
        std::map<Fault, int> faults;
    };
    DeviceState& device(Link link) { return devices_[link == Link::Wired ? 0 : 1]; }
    const DeviceState& device(Link link) const { return devices_[link == Link::Wired ? 0 : 1]; }
    bool takeFault(Link link, Fault fault);
    bool alive(const SimHandle& h) const;
    void queueInput(Link link, const Report& report);
    std::vector<hid::HotplugEvent> eventsFor(Link link, hid::HotplugAction action) const;
    Status stall(SimHandle& h, std::unique_lock<std::mutex>& lock, std::span<const uint8_t> bytes,
                 hid::FrameKind kind);
    void record(hid::FrameKind kind, Link link, std::span<const uint8_t> bytes, bool ok);

    const bool combinedInput_;
    const int stallMs_;
    EventLoop* const clock_;
    const int64_t startMs_;

    mutable std::mutex mutex_;
    std::condition_variable inputArrived_;
    FirmwareModel model_;
    std::array<DeviceState, 2> devices_{};
    std::vector<std::weak_ptr<SimHandle>> handles_;
    FrameLog log_;

    std::mutex watchMutex_;  // held while the watcher runs, never together with mutex_
    std::function<void(const hid::HotplugEvent&)> watcher_;
};

// "sim:wired/1" and the like.
std::string simPath(Link link, size_t interfaceIndex);

}  // namespace orvane::sim
