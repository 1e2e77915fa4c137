// The status side of the device link: status and DataChange reads, device notifications,
// the battery display decisions and the factory reset.
#include <cstdio>

#include "device/DeviceLink.h"
#include "device/KeyTables.h"
#include "device/SettingsEncoder.h"
#include "device/StatusRead.h"
#include "profile/SettingsRepair.h"
#include "profile/Storage.h"

namespace orvane {

std::optional<DeviceRole> DeviceLink::statusDevice() const { return statusDeviceOf(connection_); }

void DeviceLink::requestStatus() {
    jobs_.add([this](LinkJobs::Done done) {
        // The device is chosen when the read's turn comes: a detection may have run meanwhile.
        const auto device = statusDevice();
        if (!device) return done();
        readStatusFrame(io_, *device, [this, device = *device, done](Result<Frame> reply) {
            if (reply) parseStatus(reply.value(), device);
            done();
        });
    });
}

void DeviceLink::parseStatus(const Frame& reply, DeviceRole device) {
    const auto status = parseStatusReply(reply);
    if (!status) return;
    const bool wasOnline = mouseOnline_;
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
    // After the settings were reset even the same sensor is news: it is recorded as the profiles'.
    if (sensor != 0 && (sensor != app_.SensorId || !SensorOfProfilesKnown(app_.settings))) applySensorChange(sensor);

    reportedMacId_ = status->macId;
    batteryLevel_ = status->batteryLevel;
    chargeState_ = status->chargeState;
    if (batteryRefresh_) {
        batteryRefresh_ = false;
        if (linkActive_) refreshBatteryDisplay();
    }
    if (!linkActive_) return;
    if (status->signature) confirmThroughReceiver(device);
    resyncIfOnlineAgain(wasOnline);

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
    // Another mouse, or ours after a change it missed (the stored id was dropped then), on the
    // cable as much as behind the receiver: it may hold none of our settings, so all of them go.
    forgetWhatTheMouseHolds();
    syncEverythingQuietly();
}

void DeviceLink::confirmThroughReceiver(DeviceRole device) {
    if (!unconfirmedThroughReceiver_) return;
    // Only the receiver knows whether its radio reached the mouse meanwhile.
    if (mouseOnline_ && device == DeviceRole::Receiver) {
        unconfirmedThroughReceiver_ = false;
        return;
    }
    // The mouse fell asleep at some point after the last status (or the cable answered, which
    // cannot tell): what went to it through the receiver alone since then may never have
    // arrived. It all goes again once the mouse is reachable.
    unconfirmedThroughReceiver_ = false;
    forgetWhatTheMouseHolds();
    undelivered_ = true;
    forgetStoredMouse();
}

void DeviceLink::resyncIfOnlineAgain(bool wasOnline) {
    if (!mouseOnline_) return;
    const bool pending = dirty(SyncGroup::Buttons) || dirty(SyncGroup::Performance) || dirty(SyncGroup::Power);
    // Back online: whatever waits goes. Online all along: a write the devices refused is tried
    // again at each status poll until it arrives.
    if (wasOnline ? !undelivered_ : (!pending && !undelivered_)) return;
    // Only what differs from the sent images goes out, so this costs nothing when the mouse
    // already holds everything.
    syncEverythingQuietly();
}

void DeviceLink::applySensorChange(uint16_t sensorId) {
    const ProfileSet changed = RecordSensorChange(app_, sensorId);
    host_.writeSettings();
    for (int i = 0; i < kProfileCount; ++i) {
        if (changed[size_t(i)]) host_.writeProfile(i);
    }
    rebuildDpiTables();
    host_.sensorChanged(dpi_.sensorPageFlag(), dpi_.stepCount());
}

void DeviceLink::checkDataChange(DeviceRole device) {
    jobs_.addNext([this, device](LinkJobs::Done done) {
        io_.read(device, Command::ReadDataChange, [this, done](Result<Frame> reply) {
            if (reply && parseDataChangeReply(reply.value()) != app_.settings.GetDataChange()) {
                macros_.clearImages();
                quietSync_ = true;
                armSync();
            }
            done();
        });
    });
}

void DeviceLink::applyDeviceNotification(DeviceRole device, const DeviceNotification& n) {
    Profile& p = current();
    const bool levelChanged = n.dpiLevel && p.CurrentDPILevelValue != *n.dpiLevel;
    if (n.dpiLevel) {
        currentDpiLevel_ = *n.dpiLevel;
        p.CurrentDPILevelValue = static_cast<uint8_t>(*n.dpiLevel);
    }
    const uint8_t rate = n.rateIndex;
    p.PollingRateValue = {rate, 0, 0};
    p.PollingRateName = rateLabel(rate);
    if (device == DeviceRole::Receiver) savePending_ = true;
    loop_.setTimer(this, kSaveTimer, kSaveDelayMs, [this] { onSaveTimer(); });
    host_.refreshPages();
    // The mouse holds what it reported, and only that is recorded as held: a change of the
    // user's still waiting for its pass (or being sent by one) keeps its difference.
    sent_.polling.hold(buildPollingImage(p));
    if (sent_.dpi.known()) {
        DpiImage dpi = sent_.dpi.value();
        dpi[0] = uint8_t((buildDpiImage(p, dpi_)[0] & 0xF0) | (dpi[0] & 0x0F));
        sent_.dpi.hold(dpi);
    }
    // A report of the level already in use (the polling button, a repeat) is no change to show.
    if (levelChanged) host_.dpiLevelChangedByMouse(p.CurrentDPILevelValue);
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
    jobs_.add([this](LinkJobs::Done done) {
        pass_ = PassReport{};
        pass_.kind = PassKind::FactoryReset;
        const auto device = statusDevice();
        if (!device) {
            pass_.blocked = PassBlock::NoDevice;
            finishPass();
            return done();
        }
        const uint8_t all = 0xFF;
        const Frame frame = makeFrame(Command::FactoryReset, 0, 1, 1, std::span(&all, 1));
        io_.sendTo(*device, frame, [this, done](const SendOutcome& out) {
            // A mouse that did not get the reset keeps its settings, and so does the profile:
            // resetting only the profile would claim the mouse holds defaults that it does not.
            if (record(Command::FactoryReset, out) != FrameFate::Taken) {
                finishPass();
                return done();
            }
            const int index = app_.CurrentIndex();
            const Text name = current().GetProfileName();
            app_.ResetProfileToDefaults(index);
            current().SetProfileName(name);
            recordFile(FileKind::Profile, index, host_.writeProfile(index));
            markProfileAsHeld();
            host_.refreshPages();
            restartStatusCountdown();
            host_.showProgress();
            host_.progressMade(100);
            finishPass();
            done();
        });
    });
    return true;
}

}  // namespace orvane
