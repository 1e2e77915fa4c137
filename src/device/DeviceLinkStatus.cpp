// The status side of the device link: status and DataChange reads, device notifications,
// the battery display decisions and the factory reset.
#include <cstdio>

#include "device/DeviceLink.h"
#include "device/KeyTables.h"

namespace orvane {

namespace {
constexpr int kStatusEmptyRetries = 1;
}

std::optional<DeviceRole> DeviceLink::statusDevice() const {
    if (connection_.isOpen(DeviceRole::Wired)) return DeviceRole::Wired;
    if (connection_.isOpen(DeviceRole::Receiver)) return DeviceRole::Receiver;
    return std::nullopt;
}

void DeviceLink::requestStatus() {
    const auto device = statusDevice();
    if (!device) return;
    auto reply = io_.read(*device, Command::ReadStatus);
    for (int retry = 0; reply && reply.value()[kLengthByte] == 0 && retry < kStatusEmptyRetries; ++retry)
        reply = io_.read(*device, Command::ReadStatus);
    if (!reply || reply.value()[kLengthByte] == 0) return;
    parseStatus(reply.value(), *device);
}

void DeviceLink::parseStatus(const Frame& reply, DeviceRole device) {
    const auto status = parseStatusReply(reply);
    if (!status) return;
    lastStatus_ = status;
    if (status->signature) {
        mouseOnline_ = status->online;
        if (!linkActive_ && mouseOnline_) {
            autoShown_ = true;
            linkActive_ = true;
            host_.showWindow();
        } else if (linkActive_ && !mouseOnline_ && autoShown_) {
            autoShown_ = false;
            host_.hideWindow();
        }
    }
    const uint16_t sensor = sensorIdForCode(status->sensorCode);
    if (sensor != 0 && sensor != app_.SensorId) applySensorChange(sensor);

    batteryLevel_ = status->batteryLevel;
    chargeState_ = status->chargeState;
    if (batteryRefresh_) {
        batteryRefresh_ = false;
        if (linkActive_) refreshBatteryDisplay();
    }
    if (!linkActive_) return;

    // The window's level mirrors the profile's after every refresh, so the profile is compared.
    const int level = status->dpiLevel();
    if (level != current().CurrentDPILevelValue) {
        currentDpiLevel_ = level;
        current().CurrentDPILevelValue = static_cast<uint8_t>(level);
        host_.refreshPages();
    }
    if (!connection_.presenceChanged(device)) return;
    connection_.clearPresenceChanged(device);
    if (int64_t(status->macId) == int64_t(app_.settings.GetMacId())) {
        checkDataChange(device);
        return;
    }
    newMacId_ = status->macId;
    newMacIdPending_ = true;
    // A receiver now paired with another mouse: that mouse holds none of our settings.
    if (device == DeviceRole::Receiver) forgetWhatTheMouseHolds();
}

void DeviceLink::applySensorChange(uint16_t sensorId) {
    app_.SensorId = sensorId;
    app_.settings.SetSensor(sensorId);
    app_.settings.SetPreST(static_cast<uint16_t>(~sensorId));
    host_.writeSettings();
    for (int i = 0; i < kProfileCount; ++i) {
        ApplySensorDefaults(app_.profiles[size_t(i)], sensorId);
        host_.writeProfile(i);
    }
    rebuildDpiTables();
    host_.sensorChanged(dpi_.sensorPageFlag(), dpi_.stepCount());
}

std::optional<uint16_t> DeviceLink::readDataChange() {
    const auto device = statusDevice();
    if (!device) return std::nullopt;
    auto reply = io_.read(*device, Command::ReadDataChange);
    if (!reply) return std::nullopt;
    lastDataChange_ = parseDataChangeReply(reply.value());
    return lastDataChange_;
}

void DeviceLink::checkDataChange(DeviceRole device) {
    auto reply = io_.read(device, Command::ReadDataChange);
    if (!reply) return;
    lastDataChange_ = parseDataChangeReply(reply.value());
    if (*lastDataChange_ == app_.settings.GetDataChange()) return;
    macros_.clearImages();
    quietSync_ = true;
    armSync();
}

void DeviceLink::applyDeviceNotification(DeviceRole device, uint8_t intervalByte, uint8_t levelByte) {
    Profile& p = current();
    currentDpiLevel_ = int(levelByte) - 1;
    p.CurrentDPILevelValue = static_cast<uint8_t>(levelByte - 1);
    const uint8_t rate = intervalByte == 8 ? 0 : intervalByte == 4 ? 1 : intervalByte == 2 ? 2 : 3;
    p.PollingRateValue = {rate, 0, 0};
    p.PollingRateName = rateLabel(rate);
    if (device == DeviceRole::Receiver) savePending_ = true;
    loop_.setTimer(this, kSaveTimer, kSaveDelayMs, [this] { onSaveTimer(); });
    host_.refreshPages();
    // The mouse already holds what it reported.
    markProfileAsHeld();
}

void DeviceLink::refreshBatteryDisplay() {
    if (!linkActive_) return;
    batteryPhase_ += 25;
    if (batteryPhase_ > 100) batteryPhase_ = 25;
    BatteryView view;
    view.phase = batteryPhase_;
    if (mouseOnline_) {
        view.level = batteryLevel_;
        view.chargeState = chargeState_;
        view.textVisible = chargeState_ != 1;
        char text[16];
        std::snprintf(text, sizeof text, "%d%%", batteryLevel_);
        view.text = fromUtf8(text);
    }
    host_.updateBattery(view);
}

void DeviceLink::showOrPoll() {
    if (linkActive_ && mouseOnline_)
        host_.showWindow();
    else
        requestStatus();
}

bool DeviceLink::factoryReset() {
    if (!host_.confirmFactoryReset()) return false;
    if (const auto device = statusDevice()) {
        const uint8_t all = 0xFF;
        (void)io_.sendTo(*device, makeFrame(Command::FactoryReset, 0, 1, 1, std::span(&all, 1)));
    }
    const int index = app_.CurrentIndex();
    const Text name = current().GetProfileName();
    app_.ResetProfileToDefaults(index);
    current().SetProfileName(name);
    host_.writeProfile(index);
    markProfileAsHeld();
    host_.refreshPages();
    pollCounter_ = 0;
    host_.showProgress();
    return true;
}

}  // namespace orvane
