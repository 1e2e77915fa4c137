#include "device/sim/FrameLog.h"

namespace orvane::sim {

void FrameLog::add(FrameRecord record) {
    std::lock_guard lock(mutex_);
    records_.push_back(std::move(record));
}

void FrameLog::clear() {
    std::lock_guard lock(mutex_);
    records_.clear();
}

std::vector<FrameRecord> FrameLog::records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

std::vector<std::vector<uint8_t>> FrameLog::sets(hid::DeviceRole device) const {
    std::lock_guard lock(mutex_);
    std::vector<std::vector<uint8_t>> out;
    for (const auto& r : records_)
        if (r.kind == hid::FrameKind::Set && r.device == device && r.ok) out.push_back(r.bytes);
    return out;
}

std::vector<uint8_t> FrameLog::commands(hid::DeviceRole device) const {
    std::vector<uint8_t> out;
    for (const auto& bytes : sets(device))
        if (bytes.size() > 2) out.push_back(bytes[2]);
    return out;
}

std::string FrameLog::text() const {
    std::lock_guard lock(mutex_);
    std::string out;
    for (const auto& r : records_) {
        out += hid::FrameTrace::formatLine(r.ms, r.kind, r.device, r.bytes);
        if (!r.ok) out += " (failed)";
        out += '\n';
    }
    return out;
}

}  // namespace orvane::sim
