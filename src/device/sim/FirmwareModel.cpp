#include "device/sim/FirmwareModel.h"

#include <algorithm>
#include <cerrno>

namespace orvane::sim {
namespace {

// Frame offsets.
constexpr size_t kTarget = 1;
constexpr size_t kCommand = 2;
constexpr size_t kSequence = 4;
constexpr size_t kPosition = 5;
constexpr size_t kLength = 6;
constexpr size_t kPayload = 7;
constexpr size_t kPayloadMax = kReportLength - kPayload;  // 26

constexpr size_t kChunkData = 25;
// Long enough for the longest macro the host can build (336 events); anything beyond is dropped
// instead of growing without bound.
constexpr int kMaxMacroChunks = 48;
constexpr uint8_t kMaxMacroSlot = 15;

enum Command : uint8_t {
    kDataChange = 0x01,
    kButton = 0x04,
    kDpi = 0x05,
    kDpiColours = 0x06,
    kPolling = 0x07,
    kLighting = 0x08,
    kLiftOff = 0x09,
    kDebounce = 0x0A,
    kPower = 0x0B,
    kMacroChunk = 0x0E,
    kReset = 0x0F,
    kStatus = 0x20,
    kReadDataChange = 0x21,
};

Report emptyReply() {
    Report r{};
    r[0] = kFeatureReportId;
    return r;
}

}  // namespace

FirmwareModel::FirmwareModel(MouseCondition condition)
    : condition_(condition), memory_(MouseMemory::factoryDefaults(condition.sensorCode)) {
    replies_.fill(emptyReply());
}

Status FirmwareModel::handleSetFeature(Link via, std::span<const uint8_t> report) {
    if (report.size() != kReportLength || report[0] != kFeatureReportId)
        return makeError(EPIPE, "feature report rejected");
    replies_[index(via)] = replyTo(via, report);
    if (reachable(via)) applyWrite(report);
    return {};
}

Report FirmwareModel::handleGetFeature(Link via) const {
    return replies_[index(via)];
}

Report FirmwareModel::replyTo(Link via, std::span<const uint8_t> request) const {
    Report r = request[kCommand] == kStatus ? statusReply(via) : emptyReply();
    r[kTarget] = request[kTarget];
    r[kCommand] = request[kCommand];
    r[kSequence] = request[kSequence];
    if (request[kCommand] == kReadDataChange && reachable(via)) {
        r[kLength] = 2;
        r[kPayload] = static_cast<uint8_t>(memory_.dataChange & 0xFF);
        r[kPayload + 1] = static_cast<uint8_t>(memory_.dataChange >> 8);
    }
    return r;
}

Report FirmwareModel::statusReply(Link via) const {
    const bool online = reachable(via);
    Report r = emptyReply();
    r[kLength] = 14;
    r[7] = 'V';
    r[8] = '7';
    r[9] = 'Q';
    r[10] = '3';
    r[13] = condition_.sensorCode;
    r[14] = online ? condition_.chargeState : 0;
    r[15] = online ? condition_.battery : 0;
    r[16] = online ? 1 : 0;
    r[17] = static_cast<uint8_t>(condition_.macId & 0xFF);
    r[18] = static_cast<uint8_t>((condition_.macId >> 8) & 0xFF);
    r[19] = static_cast<uint8_t>((condition_.macId >> 16) & 0xFF);
    r[20] = static_cast<uint8_t>(((memory_.dpiLevel + 1) & 0x0F) << 4);
    return r;
}

void FirmwareModel::applyWrite(std::span<const uint8_t> f) {
    const size_t len = std::min<size_t>(f[kLength], kPayloadMax);
    const auto payload = f.subspan(kPayload, kPayloadMax);
    switch (f[kCommand]) {
        case kDataChange:
            if (len >= 2) memory_.dataChange = static_cast<uint16_t>(payload[0] | (payload[1] << 8));
            break;
        case kButton:
            if (len >= 4 && payload[0] < memory_.buttons.size())
                memory_.buttons[payload[0]] = {payload[1], payload[2], payload[3]};
            break;
        case kDpi: {
            std::copy_n(payload.begin(), memory_.dpi.size(), memory_.dpi.begin());
            const int level = (payload[0] >> 4) - 1;
            if (level >= 0 && level < memory_.enabledLevelCount()) memory_.dpiLevel = level;
            if (memory_.dpiLevel >= memory_.enabledLevelCount()) memory_.dpiLevel = 0;
            break;
        }
        case kDpiColours:
            std::copy_n(payload.begin(), memory_.dpiColours.size(), memory_.dpiColours.begin());
            break;
        case kPolling:
            if (len >= 1) memory_.pollingInterval = payload[0];
            break;
        case kLighting:
            memory_.lighting[0] = static_cast<uint8_t>(len);
            std::copy_n(payload.begin(), memory_.lighting.size() - 1, memory_.lighting.begin() + 1);
            break;
        case kLiftOff:
            memory_.liftOff = {payload[0], payload[1]};
            break;
        case kDebounce:
            memory_.debounce = payload[0];
            break;
        case kPower:
            memory_.sleepTime = payload[0];
            memory_.movingLighting = payload[1];
            break;
        case kMacroChunk:
            applyMacroChunk(f);
            break;
        case kReset:
            if (len >= 1 && payload[0] == 0xFF) factoryReset();
            break;
        default:
            break;  // reads and unknown commands change nothing
    }
}

// Chunks carry (index << 4 | count) truncated to 4 bits each, so a long macro's positions wrap.
// The firmware therefore places chunks in arrival order: a chunk whose index matches the next
// expected position (mod 16) continues the upload; index 0 otherwise starts a new one; a chunk
// shorter than full ends it. Anything else is a chunk of an upload we never saw begin: dropped.
void FirmwareModel::applyMacroChunk(std::span<const uint8_t> f) {
    const uint8_t length = f[kLength];
    const uint8_t slotNumber = f[kPayload];
    if (length == 0 || slotNumber == 0 || slotNumber > kMaxMacroSlot) return;
    const int position = f[kPosition] >> 4;
    MacroSlot& slot = memory_.macros[slotNumber];
    const bool continues = slot.chunks > 0 && !slot.complete && position == (slot.chunks & 0x0F);
    if (!continues) {
        if (position != 0) return;
        slot = MacroSlot{};
    }
    if (slot.chunks >= kMaxMacroChunks) return;
    const size_t count = std::min<size_t>(length - 1u, kChunkData);
    const auto data = f.subspan(kPayload + 1, count);
    slot.data.insert(slot.data.end(), data.begin(), data.end());
    ++slot.chunks;
    if (count < kChunkData) slot.complete = true;
}

void FirmwareModel::factoryReset() {
    memory_ = MouseMemory::factoryDefaults(condition_.sensorCode);
}

void FirmwareModel::setPlugged(Link link, bool plugged) {
    plugged_[index(link)] = plugged;
}

// A mouse on its cable reports through the cable; otherwise through the receiver while the
// radio link is up.
std::vector<Notification> FirmwareModel::notify() const {
    Report r{};
    r[0] = kInputReportId;
    r[1] = 0x06;
    r[3] = memory_.pollingInterval;
    r[4] = static_cast<uint8_t>(memory_.dpiLevel + 1);
    if (plugged(Link::Wired)) return {Notification{Link::Wired, r}};
    if (plugged(Link::Receiver) && condition_.online) return {Notification{Link::Receiver, r}};
    return {};
}

Result<std::vector<Notification>> FirmwareModel::userSelectDpiLevel(int level) {
    if (level < 0 || level >= memory_.enabledLevelCount()) return makeError(EINVAL, "DPI level out of range");
    condition_.online = true;
    memory_.dpiLevel = level;
    memory_.dpi[0] = static_cast<uint8_t>(((level + 1) << 4) | (memory_.dpi[0] & 0x0F));
    return notify();
}

Result<std::vector<Notification>> FirmwareModel::userCycleDpiLevel() {
    return userSelectDpiLevel((memory_.dpiLevel + 1) % memory_.enabledLevelCount());
}

Result<std::vector<Notification>> FirmwareModel::userSetPollingInterval(uint8_t intervalMs) {
    if (intervalMs != 1 && intervalMs != 2 && intervalMs != 4 && intervalMs != 8)
        return makeError(EINVAL, "polling interval must be 1, 2, 4 or 8 ms");
    condition_.online = true;
    memory_.pollingInterval = intervalMs;
    return notify();
}

}  // namespace orvane::sim
