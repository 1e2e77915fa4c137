#include "device/sim/SimBus.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

namespace orvane::sim {
namespace {

constexpr size_t kQueueLimit = 64;  // a reader that stops reading loses the oldest reports

int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Everything but the status and DataChange read requests.
bool isWriteCommand(std::span<const uint8_t> report) {
    return report.size() > 2 && report[2] != 0x20 && report[2] != 0x21;
}

Error gone(const SimHandle& h) {
    return makeError(ENODEV, h.info.path);
}

}  // namespace

std::string simPath(Link link, size_t interfaceIndex) {
    return "sim:" + std::string(hid::roleName(link)) + "/" + std::to_string(interfaceIndex);
}

SimBus::SimBus(const SimOptions& options, EventLoop* clock)
    : combinedInput_(options.combinedInput),
      stallMs_(options.stallMs),
      clock_(clock),
      startMs_(clock ? clock->nowMs() : steadyMs()),
      model_(options.condition) {
    if (options.dataChange) model_.memory().dataChange = *options.dataChange;
    devices_[0].plugged = options.wired;
    devices_[1].plugged = options.receiver;
    model_.setPlugged(Link::Wired, options.wired);
    model_.setPlugged(Link::Receiver, options.receiver);
    for (const auto& [link, fault] : options.faults) injectFault(link, fault, kFaultAlways);
}

int64_t SimBus::nowMs() const {
    return (clock_ ? clock_->nowMs() : steadyMs()) - startMs_;
}

std::vector<hid::InterfaceInfo> SimBus::interfaces() const {
    std::lock_guard lock(mutex_);
    std::vector<hid::InterfaceInfo> out;
    for (Link link : {Link::Wired, Link::Receiver}) {
        if (!device(link).plugged) continue;
        const auto kinds = deviceInterfaces(combinedInput_);
        for (size_t i = 0; i < kinds.size(); ++i) {
            out.push_back(
                hid::InterfaceInfo{simPath(link, i), hid::kVendorId,
                                   link == Link::Wired ? hid::kWiredProductId : hid::kReceiverProductId,
                                   inputReportLength(kinds[i]), featureReportLength(kinds[i])});
        }
    }
    return out;
}

Result<std::shared_ptr<SimHandle>> SimBus::open(const std::string& path) {
    std::lock_guard lock(mutex_);
    const auto kinds = deviceInterfaces(combinedInput_);
    for (Link link : {Link::Wired, Link::Receiver}) {
        for (size_t i = 0; i < kinds.size(); ++i) {
            if (simPath(link, i) != path) continue;
            if (!device(link).plugged) return makeError(ENOENT, "open " + path);
            if ((hasFeatureReport0C(kinds[i]) && !hasInputReport5(kinds[i]) &&
                 takeFault(link, Fault::OpenFeatureFails)) ||
                (hasInputReport5(kinds[i]) && takeFault(link, Fault::OpenInputFails)))
                return makeError(EACCES, "open " + path);
            auto h = std::make_shared<SimHandle>();
            h->info = hid::InterfaceInfo{path, hid::kVendorId,
                                         link == Link::Wired ? hid::kWiredProductId : hid::kReceiverProductId,
                                         inputReportLength(kinds[i]), featureReportLength(kinds[i])};
            h->link = link;
            h->kind = kinds[i];
            h->generation = device(link).generation;
            std::erase_if(handles_, [](const auto& w) { return w.expired(); });
            handles_.push_back(h);
            return h;
        }
    }
    return makeError(ENOENT, "open " + path);
}

bool SimBus::alive(const SimHandle& h) const {
    const DeviceState& d = device(h.link);
    return d.plugged && d.generation == h.generation;
}

bool SimBus::takeFault(Link link, Fault fault) {
    auto& faults = device(link).faults;
    const auto it = faults.find(fault);
    if (it == faults.end()) return false;
    if (it->second > 0 && --it->second == 0) faults.erase(it);
    return true;
}

void SimBus::record(hid::FrameKind kind, Link link, std::span<const uint8_t> bytes, bool ok) {
    log_.add(FrameRecord{nowMs(), kind, link, std::vector<uint8_t>(bytes.begin(), bytes.end()), ok});
}

// The kernel gives up on a control transfer the device never answers after five seconds; the
// wait runs on the injected clock so that tests on virtual time do not really wait.
Status SimBus::stall(SimHandle& h, std::unique_lock<std::mutex>& lock, std::span<const uint8_t> bytes,
                     hid::FrameKind kind) {
    record(kind, h.link, bytes, false);
    lock.unlock();
    if (clock_)
        clock_->sleepMs(stallMs_);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(stallMs_));
    return makeError(ETIMEDOUT, h.info.path);
}

Status SimBus::setFeature(SimHandle& h, std::span<const uint8_t> report) {
    std::unique_lock lock(mutex_);
    if (!alive(h)) return gone(h);
    if (takeFault(h.link, Fault::Stall)) return stall(h, lock, report, hid::FrameKind::Set);
    Status result;
    if (!hasFeatureReport0C(h.kind) || report.empty() || report[0] != kFeatureReportId)
        result = makeError(EPIPE, h.info.path);
    else if (takeFault(h.link, Fault::SetFails) || (isWriteCommand(report) && takeFault(h.link, Fault::WriteFails)))
        result = makeError(EPIPE, h.info.path);
    else
        result = model_.handleSetFeature(h.link, report);
    if (!result.ok() && result.error().context.empty()) result = makeError(result.error().code, h.info.path);
    record(hid::FrameKind::Set, h.link, report, result.ok());
    return result;
}

Result<size_t> SimBus::getFeature(SimHandle& h, std::span<uint8_t> report) {
    std::unique_lock lock(mutex_);
    if (!alive(h)) return gone(h);
    if (takeFault(h.link, Fault::Stall)) return stall(h, lock, report, hid::FrameKind::Get).error();
    if (!hasFeatureReport0C(h.kind) || report.empty() || report[0] != kFeatureReportId ||
        takeFault(h.link, Fault::GetFails)) {
        record(hid::FrameKind::Get, h.link, report, false);
        return makeError(EPIPE, h.info.path);
    }
    Report reply = model_.handleGetFeature(h.link);
    if (takeFault(h.link, Fault::EmptyReply)) std::fill(reply.begin() + 6, reply.end(), 0);
    if (takeFault(h.link, Fault::WrongReply)) reply[2] = reply[2] == 0x20 ? 0x21 : 0x20;
    const size_t n = std::min(report.size(), reply.size());
    std::copy_n(reply.begin(), n, report.begin());
    record(hid::FrameKind::Get, h.link, std::span<const uint8_t>(reply.data(), n), true);
    return n;
}

Result<size_t> SimBus::readInput(SimHandle& h, std::span<uint8_t> report) {
    std::unique_lock lock(mutex_);
    h.handingOver = false;
    for (;;) {
        if (h.interrupted) return makeError(EINTR, "read " + h.info.path + " interrupted");
        if (!alive(h)) {
            if (device(h.link).faults.count(Fault::ReaderMissesRemoval) == 0) return gone(h);
            inputArrived_.wait(lock);
            continue;
        }
        if (hasInputReport5(h.kind) && takeFault(h.link, Fault::ReaderFails))
            return makeError(EIO, "read " + h.info.path);
        if (!h.queue.empty()) break;
        inputArrived_.wait(lock);
    }
    const Report r = h.queue.front();
    h.queue.pop_front();
    h.handingOver = true;
    const size_t n = std::min(report.size(), r.size());
    std::copy_n(r.begin(), n, report.begin());
    return n;
}

bool SimBus::inputHandedOver() const {
    std::lock_guard lock(mutex_);
    for (const auto& weak : handles_) {
        const auto h = weak.lock();
        if (h && !h->interrupted && alive(*h) && (!h->queue.empty() || h->handingOver)) return false;
    }
    return true;
}

void SimBus::interrupt(SimHandle& h) {
    {
        std::lock_guard lock(mutex_);
        h.interrupted = true;
    }
    inputArrived_.notify_all();
}

void SimBus::queueInput(Link link, const Report& report) {
    for (const auto& weak : handles_) {
        const auto h = weak.lock();
        if (!h || h->link != link || !hasInputReport5(h->kind) || !alive(*h)) continue;
        if (h->queue.size() >= kQueueLimit) h->queue.pop_front();
        h->queue.push_back(report);
    }
    record(hid::FrameKind::In, link, report, true);
}

void SimBus::sendInput(Link link, std::span<const uint8_t> bytes) {
    {
        std::lock_guard lock(mutex_);
        if (!device(link).plugged) return;
        Report r{};
        std::copy_n(bytes.begin(), std::min(bytes.size(), r.size()), r.begin());
        queueInput(link, r);
    }
    inputArrived_.notify_all();
}

Status SimBus::deliver(Result<std::vector<Notification>> notifications) {
    if (!notifications) return notifications.error();
    {
        std::lock_guard lock(mutex_);
        for (const auto& n : *notifications)
            if (device(n.via).plugged) queueInput(n.via, n.report);
    }
    inputArrived_.notify_all();
    return {};
}

std::vector<hid::HotplugEvent> SimBus::eventsFor(Link link, hid::HotplugAction action) const {
    std::vector<hid::HotplugEvent> events;
    for (size_t i = 0; i < deviceInterfaces(combinedInput_).size(); ++i)
        events.push_back(hid::HotplugEvent{action, simPath(link, i)});
    return events;
}

void SimBus::setPlugged(Link link, bool plugged) {
    std::vector<hid::HotplugEvent> events;
    {
        std::lock_guard lock(mutex_);
        DeviceState& d = device(link);
        if (d.plugged == plugged) return;
        d.plugged = plugged;
        if (plugged) ++d.generation;
        model_.setPlugged(link, plugged);
        events = eventsFor(link, plugged ? hid::HotplugAction::Added : hid::HotplugAction::Removed);
    }
    inputArrived_.notify_all();
    std::function<void(const hid::HotplugEvent&)> watcher;
    {
        std::lock_guard lock(watchMutex_);
        watcher = watcher_;
    }
    if (watcher)
        for (const auto& e : events) watcher(e);
}

bool SimBus::plugged(Link link) const {
    std::lock_guard lock(mutex_);
    return device(link).plugged;
}

void SimBus::injectFault(Link link, Fault fault, int times) {
    {
        std::lock_guard lock(mutex_);
        if (times == 0) return;
        device(link).faults[fault] = times;
    }
    inputArrived_.notify_all();  // a blocked reader picks up ReaderFails at once
}

void SimBus::clearFaults(Link link) {
    std::lock_guard lock(mutex_);
    device(link).faults.clear();
}

void SimBus::setWatcher(std::function<void(const hid::HotplugEvent&)> watcher) {
    std::lock_guard lock(watchMutex_);
    watcher_ = std::move(watcher);
}

}  // namespace orvane::sim
