// The status side of the device link: status and DataChange reads, device notifications
// and the factory reset.
#include "device/DeviceLink.h"
#include "device/KeyTables.h"
#include "device/SettingsEncoder.h"
#include "device/StatusRead.h"
#include "profile/SettingsRepair.h"
#include "profile/Storage.h"

namespace orvane {

void DeviceLink::requestStatus() {
    jobs_.add([this](LinkJobs::Done done) {
        // The device is chosen when the read's turn comes: a detection may have run meanwhile.
        const auto device = statusDeviceOf(connection_);
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
    const bool wasOnline = presence_.mouseOnline();
    if (status->signature) presence_.statusSaid(status->online);
    const uint16_t sensor = sensorIdForCode(status->sensorCode);
    // After the settings were reset even the same sensor is news: it is recorded as the profiles'.
    if (sensor != 0 && (sensor != app_.SensorId || !SensorOfProfilesKnown(app_.settings))) applySensorChange(sensor);

    reportedMacId_ = status->macId;
    if (battery_.reading(status->batteryLevel, status->chargeState)) battery_.refresh();
    if (!presence_.active()) return;
    // Frames that went through the receiver alone since the last status may not have arrived:
    // then nothing is taken as held any more, and it all goes again once the mouse is reachable.
    if (status->signature && delivery_.unconfirmedFramesLost(device)) {
        forgetWhatTheMouseHolds();
        forgetStoredMouse();
    }
    resyncIfOnlineAgain(wasOnline);

    // The window's level mirrors the profile's after every refresh, so the profile is compared.
    const int level = status->dpiLevel();
    if (level != app_.Current().CurrentDPILevelValue) {
        currentDpiLevel_ = level;
        app_.Current().CurrentDPILevelValue = static_cast<uint8_t>(level);
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

void DeviceLink::resyncIfOnlineAgain(bool wasOnline) {
    if (!presence_.mouseOnline()) return;
    const bool pending = dirty(SyncGroup::Buttons) || dirty(SyncGroup::Performance) || dirty(SyncGroup::Power);
    // Back online: whatever waits goes. Online all along: a write the devices refused is tried
    // again at each status poll until it arrives.
    const bool undelivered = delivery_.undelivered();
    if (wasOnline ? !undelivered : (!pending && !undelivered)) return;
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
                planner_.macros().clearImages();
                quietSync_ = true;
                armSync();
            }
            done();
        });
    });
}

void DeviceLink::applyDeviceNotification(DeviceRole device, const DeviceNotification& n) {
    Profile& p = app_.Current();
    const bool levelChanged = n.dpiLevel && p.CurrentDPILevelValue != *n.dpiLevel;
    if (n.dpiLevel) {
        currentDpiLevel_ = *n.dpiLevel;
        p.CurrentDPILevelValue = static_cast<uint8_t>(*n.dpiLevel);
    }
    const uint8_t rate = n.rateIndex;
    p.PollingRateValue = {rate, 0, 0};
    p.PollingRateName = rateLabel(rate);
    saves_.afterReport(device == DeviceRole::Receiver);
    host_.refreshPages();
    // The mouse holds what it reported, and only that is recorded as held: a change of the
    // user's still waiting for its pass (or being sent by one) keeps its difference.
    SentImages& sent = planner_.sent();
    sent.polling.hold(buildPollingImage(p));
    if (sent.dpi.known()) {
        DpiImage dpi = sent.dpi.value();
        dpi[0] = uint8_t((buildDpiImage(p, dpi_)[0] & 0xF0) | (dpi[0] & 0x0F));
        sent.dpi.hold(dpi);
    }
    // A report of the level already in use (the polling button, a repeat) is no change to show.
    if (levelChanged) host_.dpiLevelChangedByMouse(p.CurrentDPILevelValue);
}

bool DeviceLink::factoryReset() {
    if (!host_.confirmFactoryReset()) return false;
    jobs_.add([this](LinkJobs::Done done) {
        PassReport& pass = planner_.report();
        pass = PassReport{};
        pass.kind = PassKind::FactoryReset;
        const auto device = statusDeviceOf(connection_);
        if (!device) {
            pass.blocked = PassBlock::NoDevice;
            finishPass();
            return done();
        }
        const uint8_t all = 0xFF;
        const Frame frame = makeFrame(Command::FactoryReset, 0, 1, 1, std::span(&all, 1));
        io_.sendTo(*device, frame, [this, done](const SendOutcome& out) {
            // A mouse that did not get the reset keeps its settings, and so does the profile:
            // resetting only the profile would claim the mouse holds defaults that it does not.
            if (planner_.record(Command::FactoryReset, out) != FrameFate::Taken) {
                finishPass();
                return done();
            }
            const int index = app_.CurrentIndex();
            const Text name = app_.Current().GetProfileName();
            app_.ResetProfileToDefaults(index);
            app_.Current().SetProfileName(name);
            planner_.recordFile(FileKind::Profile, index, host_.writeProfile(index));
            // A button that lost its macro now differs from what the mouse holds: the next pass sends it.
            if (planner_.holdProfile()) markDirty(SyncGroup::Buttons);
            host_.refreshPages();
            watchdog_.restartCountdown();
            host_.showProgress();
            host_.progressMade(100);
            finishPass();
            done();
        });
    });
    return true;
}

}  // namespace orvane
