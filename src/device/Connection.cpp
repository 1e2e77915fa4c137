#include "device/Connection.h"

#include <algorithm>

#include "device/hid/FrameTrace.h"
#include "device/hid/InterfaceRole.h"

namespace orvane {

uint16_t productOf(DeviceRole role) {
    return role == DeviceRole::Wired ? hid::kWiredProductId : hid::kReceiverProductId;
}

std::optional<DeviceRole> roleOf(const hid::InterfaceInfo& info) {
    if (info.vendor != hid::kVendorId) return std::nullopt;
    if (info.product == hid::kWiredProductId) return DeviceRole::Wired;
    if (info.product == hid::kReceiverProductId) return DeviceRole::Receiver;
    return std::nullopt;
}

namespace {

bool isOwnDevice(const hid::InterfaceInfo& info, DeviceRole role) {
    return info.vendor == hid::kVendorId && info.product == productOf(role);
}

}  // namespace

Connection::~Connection() {
    for (auto& d : devices_) stopReader(d.reader);
}

void Connection::scan() {
    auto found = transport_.enumerate();
    if (!found) return;  // nothing seen is nothing present; the watchdog tries again
    auto& all = found.value();
    if (all.size() > kMaxScannedInterfaces) all.resize(kMaxScannedInterfaces);
    for (const auto& info : all) {
        const auto role = roleOf(info);
        if (!role) continue;
        Device& d = dev(*role);
        switch (hid::classifyInterface(info)) {
        case hid::InterfaceRole::Input:
            d.present = true;
            d.inputPath = info.path;
            break;
        case hid::InterfaceRole::Feature:
            d.present = true;
            d.featurePath = info.path;
            break;
        case hid::InterfaceRole::Ignored:
            break;
        }
    }
}

void Connection::detect() {
    anyPresent_ = false;
    for (auto& d : devices_) d.present = false;
    scan();
    anyPresent_ = present(DeviceRole::Wired) || present(DeviceRole::Receiver);
    for (DeviceRole r : kDeviceRoles) {
        Device& d = dev(r);
        d.feature.reset();
        d.openError.reset();
        if (d.present) {
            startReader(r);
            openFeature(r);
        }
    }
    for (DeviceRole r : {DeviceRole::Receiver, DeviceRole::Wired}) {
        Device& d = dev(r);
        if (d.present != d.lastPresence) {
            d.lastPresence = d.present;
            d.presenceChanged = true;
        }
    }
}

void Connection::openFeature(DeviceRole r) {
    Device& d = dev(r);
    if (d.featurePath.empty()) return;
    auto opened = transport_.open(d.featurePath);
    if (!opened) {
        d.openError = opened.error();
        return;
    }
    if (!isOwnDevice(opened.value()->info(), r)) return;
    d.feature = std::move(opened.value());
}

void Connection::startReader(DeviceRole r) {
    Device& d = dev(r);
    Reader& reader = d.reader;
    bool expected = false;
    if (!reader.running.compare_exchange_strong(expected, true)) return;
    // A reader that ended left its thread to be collected and its handle to be closed.
    if (reader.thread.joinable()) reader.thread.join();
    reader.device.reset();
    if (d.inputPath.empty()) {
        reader.running = false;
        return;
    }
    auto opened = transport_.open(d.inputPath);
    if (!opened || !isOwnDevice(opened.value()->info(), r)) {
        reader.running = false;
        return;
    }
    reader.device = std::move(opened.value());
    reader.thread = std::thread([this, r, device = reader.device.get()] { runReader(r, device); });
}

void Connection::runReader(DeviceRole r, hid::Device* device) {
    std::vector<uint8_t> buffer(std::max<size_t>(device->info().inputReportLength, 5), 0xFF);
    buffer[0] = kInputReportId;
    for (;;) {
        auto got = device->readInput(buffer);
        if (!got) break;
        hid::FrameTrace::trace(hid::FrameKind::In, r, std::span<const uint8_t>(buffer.data(), std::min(got.value(), buffer.size())));
        if (buffer[0] == kInputReportId && buffer[1] == kNotificationType && onInput_)
            onInput_(r, buffer);
    }
    dev(r).reader.running = false;
}

void Connection::stopReader(Reader& reader) {
    if (reader.device) reader.device->interruptRead();
    if (reader.thread.joinable()) reader.thread.join();
    reader.device.reset();
}

bool Connection::uses(const std::string& path) const {
    if (path.empty()) return true;
    for (const Device& d : devices_)
        if (d.present && (d.inputPath == path || d.featurePath == path)) return true;
    return false;
}

void Connection::inputRemoved(const std::string& path) {
    for (auto& d : devices_)
        if (path.empty() || d.inputPath == path) stopReader(d.reader);
}

void Connection::closeHandles() {
    for (auto& d : devices_) d.feature.reset();
}

}  // namespace orvane
