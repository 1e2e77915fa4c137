#include "device/DeviceLink.h"

#include <functional>

#include "device/ButtonEncoder.h"
#include "device/SettingsEncoder.h"
#include "profile/TextNumbers.h"

namespace orvane {

DeviceLink::DeviceLink(AppData& app, EventLoop& loop, LinkHost& host, hid::Transport& transport)
    : app_(app), loop_(loop), host_(host), transport_(transport), connection_(transport), io_(connection_, loop) {
    std::weak_ptr<int> alive = alive_;
    // Readers hand notifications over to the loop's thread; nothing else is touched there.
    connection_.setInputHandler([this, alive, &loop](DeviceRole role, std::span<const uint8_t> report) {
        const uint8_t interval = report[3];
        const uint8_t level = report[4];
        loop.post([this, alive, role, interval, level] {
            if (alive.lock()) applyDeviceNotification(role, interval, level);
        });
    });
}

DeviceLink::~DeviceLink() {
    (void)transport_.watch({});
    for (int id : {kSyncTimer, kSaveTimer, kNoticeTimer, kWatchdogTimer}) loop_.killTimer(this, id);
    alive_.reset();
}

void DeviceLink::start() {
    rebuildDpiTables();
    io_.sequence().reset(1);
    batteryLevel_ = 10;
    chargeState_ = 0;
    mouseOnline_ = false;
    batteryRefresh_ = true;
    currentDpiLevel_ = current().CurrentDPILevelValue;
    dirty_ = {};
    savePending_ = false;
    linkActive_ = ParseDecimal(app_.settings.GetValue(SettingKey::NeedPassword)) == 0;
    registerForDeviceNotifications();
    markProfileAsHeld();
    detectDevices();
    if (connection_.anyPresent() && firstConnection_) {
        firstConnection_ = false;
        requestStatus();
        host_.refreshPages();
    }
    loop_.setTimer(this, kNoticeTimer, kNoticeDelayMs, [this] { connectionNotice(); });
}

void DeviceLink::shutdown() {
    savePending();
    connection_.closeHandles();
    (void)transport_.watch({});
}

void DeviceLink::registerForDeviceNotifications() {
    connection_.closeHandles();
    firstConnection_ = true;
    std::weak_ptr<int> alive = alive_;
    EventLoop& loop = loop_;
    // Without a device monitor the watchdog still notices readers that ended.
    (void)transport_.watch([this, alive, &loop](const hid::HotplugEvent& event) {
        const hid::HotplugAction action = event.action;
        loop.post([this, alive, action] {
            if (alive.lock()) onDeviceChange(action);
        });
    });
}

void DeviceLink::rebuildDpiTables() { dpi_.rebuild(app_.SensorId); }

void DeviceLink::detectDevices() {
    connection_.detect();
    if (connection_.anyPresent())
        loop_.setTimer(this, kWatchdogTimer, kWatchdogMs, [this] { watchdogTick(); });
    markDirty(SyncGroup::Buttons);
    markDirty(SyncGroup::Performance);
    markDirty(SyncGroup::Power);
    quietSync_ = true;
    armSync();
}

void DeviceLink::onDeviceChange(hid::HotplugAction action) {
    if (action == hid::HotplugAction::Added) {
        if (connection_.present(DeviceRole::Receiver) && connection_.present(DeviceRole::Wired)) return;
        detectDevices();
        pollCounter_ = 19;
        if (connection_.anyPresent() && firstConnection_) {
            firstConnection_ = false;
            requestStatus();
            host_.refreshPages();
        }
        host_.refreshPages();
        return;
    }
    if (!connection_.present(DeviceRole::Receiver) && !connection_.present(DeviceRole::Wired)) return;
    detectDevices();
    pollCounter_ = 19;
    if (!connection_.anyPresent()) {
        firstConnection_ = true;
        linkActive_ = false;
        host_.lastDeviceRemoved();
    }
}

void DeviceLink::watchdogTick() {
    if (pollCounter_ < 20) {
        ++pollCounter_;
    } else {
        pollCounter_ = 0;
        for (DeviceRole r : kDeviceRoles) {
            if (connection_.present(r) && !connection_.readerRunning(r)) {
                detectDevices();
                pollCounter_ = 19;
            }
        }
        // Also while the link is inactive: that poll is how a mouse that wakes up after a
        // start with NeedPassword 1 gets the window shown.
        requestStatus();
    }
    refreshBatteryDisplay();
}

void DeviceLink::connectionNotice() {
    loop_.killTimer(this, kNoticeTimer);
    if (connection_.isOpen(DeviceRole::Wired)) return;
    if (connection_.isOpen(DeviceRole::Receiver)) {
        if (!mouseOnline_) host_.showConnectionNotice(kMouseAsleepNotice);
    } else {
        // Plugged in but not ours to open: that has a fix, and the user must hear it.
        for (DeviceRole r : kDeviceRoles) {
            const auto& e = connection_.openError(r);
            if (connection_.present(r) && e && e->isPermission()) {
                host_.showAccessProblem(e->context);
                return;
            }
        }
        host_.showConnectionNotice(kNoDeviceNotice);
    }
}

void DeviceLink::markDirty(SyncGroup group) { dirty_[size_t(group)] = true; }

void DeviceLink::armSync() {
    loop_.setTimer(this, kSyncTimer, kSyncDelayMs, [this] { onSyncTimer(); });
}

void DeviceLink::onSyncTimer() {
    loop_.killTimer(this, kSyncTimer);
    syncToDevice();
}

void DeviceLink::syncToDevice() {
    sentSomething_ = false;
    pass_ = PassReport{};
    if (!linkActive_) {
        pass_.blocked = PassBlock::LinkInactive;
        for (SyncGroup g : {SyncGroup::Buttons, SyncGroup::Performance, SyncGroup::Power})
            if (dirty(g)) pass_.heldBack.push_back(g);
        finishPass();
        return;
    }
    if (!connection_.anyOpen()) {
        // The senders leave their images alone without a device, so these wait for one.
        pass_.blocked = PassBlock::NoDevice;
        for (SyncGroup g : {SyncGroup::Buttons, SyncGroup::Performance, SyncGroup::Power})
            if (dirty(g)) pass_.heldBack.push_back(g);
    }
    macros_.assignSlots(current(), app_.library, app_.language);
    if (dirty(SyncGroup::Buttons)) sendButtons();
    if (dirty(SyncGroup::Performance)) sendPerformance();
    if (dirty(SyncGroup::Power)) sendPower();
    dirty_ = {};
    uploadMacros();
    if (sentSomething_ && !quietSync_) {
        pollCounter_ = 0;
        host_.showProgress();
    }
    quietSync_ = false;
    loop_.killTimer(this, kSaveTimer);
    savePending_ = true;
    loop_.setTimer(this, kSaveTimer, kSaveDelayMs, [this] { onSaveTimer(); });
    // The new Mac_ID says "this mouse holds the profile": only true when all of it arrived.
    if (newMacIdPending_ && sentSomething_ && !pass_.anyFrameLost() && !pass_.counterWithheld) {
        newMacIdPending_ = false;
        app_.settings.SetMacId(newMacId_);
        recordFile(FileKind::Settings, -1, host_.writeSettings());
    }
    host_.refreshPages();
    finishPass();
}

void DeviceLink::finishPass() {
    if (pass_.kind == PassKind::Sync) {
        if (pass_.anyFrameLost() || pass_.counterWithheld)
            undelivered_ = true;
        else if (pass_.blocked == PassBlock::None)
            undelivered_ = false;
        if (!sentImagesMatchProfile()) forgetStoredMouse();
    }
    PassReport report = std::move(pass_);
    pass_ = PassReport{};
    host_.passFinished(report);
}

FrameFate DeviceLink::fateOf(const SendOutcome& out) const {
    if (out.attempted() == 0) return FrameFate::NoDevice;
    if (out.took(DeviceRole::Wired)) return FrameFate::Taken;
    // Through the receiver a write reaches the mouse only while it is online; the receiver
    // takes the frame either way.
    if (out.took(DeviceRole::Receiver)) return mouseOnline_ ? FrameFate::Taken : FrameFate::MouseOffline;
    return FrameFate::Refused;
}

FrameFate DeviceLink::record(const Frame& frame, const SendOutcome& out, int item) {
    FrameReport r;
    r.command = static_cast<Command>(frame[kCommandByte]);
    r.item = item;
    r.devices = out.devices;
    r.fate = fateOf(out);
    pass_.frames.push_back(r);
    return r.fate;
}

bool DeviceLink::sentImagesMatchProfile() {
    const Profile& p = current();
    const ButtonImage buttons = buildButtonImage(p);
    if (!std::equal(buttons.begin() + 2, buttons.end(), sent_.buttons.begin() + 2)) return false;
    const LightingImage lighting = buildLightingImage(p);
    const size_t n = lightingCompareLength(lighting);
    return buildPollingImage(p) == sent_.polling && buildLiftOffImage(p) == sent_.liftOff &&
           buildDebounceImage(p) == sent_.debounce && buildDpiImage(p, dpi_) == sent_.dpi &&
           buildDpiColourImage(p) == sent_.dpiColours && buildPowerImage(p) == sent_.power &&
           std::equal(lighting.begin(), lighting.begin() + n, sent_.lighting.begin());
}

void DeviceLink::forgetStoredMouse() {
    // A Mac_ID is 24 bits; anything else already matches no mouse.
    const int32_t stored = app_.settings.GetMacId();
    if (stored < 0 || stored > 0xFFFFFF) return;
    app_.settings.SetMacId(0xFFFFFFFFu);  // the value a new configuration starts with
    recordFile(FileKind::Settings, -1, host_.writeSettings());
}

void DeviceLink::recordFile(FileKind kind, int profile, bool saved) {
    pass_.files.push_back(FileReport{kind, profile, saved});
}

void DeviceLink::syncNow() {
    loop_.killTimer(this, kSyncTimer);
    syncToDevice();
}

void DeviceLink::onSaveTimer() {
    loop_.killTimer(this, kSaveTimer);
    savePending_ = false;
    host_.saveAll();
}

void DeviceLink::savePending() {
    if (!savePending_) return;
    loop_.killTimer(this, kSaveTimer);
    savePending_ = false;
    host_.saveAll();
}

void DeviceLink::sendButtons() {
    if (!connection_.anyOpen()) return;
    const ButtonImage image = buildButtonImage(current());
    const auto changed = changedButtons(image, sent_.buttons);
    const ButtonImage previous = sent_.buttons;
    sent_.buttons = image;
    for (int i = 0; i < kKeyCount; ++i) {
        if (changed.test(size_t(i))) {
            const KeyValue value{image[2 + 3 * i], image[3 + 3 * i], image[4 + 3 * i]};
            const Frame frame = buttonFrame(i, value);
            const SendOutcome out = io_.send(frame);
            sentSomething_ = true;
            // A button the mouse did not get keeps its old image, so it goes out again.
            if (record(frame, out, i) != FrameFate::Taken)
                std::copy_n(previous.begin() + 2 + 3 * i, 3, sent_.buttons.begin() + 2 + 3 * i);
        }
        io_.pause(kFramePauseMs);
    }
}

bool DeviceLink::sendSetting(const Frame& frame) {
    const SendOutcome out = io_.send(frame);
    sentSomething_ = true;
    io_.pause(kFramePauseMs);
    return record(frame, out) != FrameFate::Taken;
}

void DeviceLink::sendPerformance() {
    if (!connection_.anyOpen()) return;
    const Profile& p = current();
    const SentImages before = sent_;
    const uint8_t polling = buildPollingImage(p);
    const uint8_t liftOff = buildLiftOffImage(p);
    const uint8_t debounce = buildDebounceImage(p);
    const bool pollingChanged = polling != sent_.polling;
    const bool liftOffChanged = liftOff != sent_.liftOff;
    const bool debounceChanged = debounce != sent_.debounce;
    sent_.polling = polling;
    sent_.liftOff = liftOff;
    sent_.debounce = debounce;

    const DpiImage dpi = buildDpiImage(p, dpi_);
    const bool dpiChanged = dpi != sent_.dpi;
    sent_.dpi = dpi;
    const DpiColourImage colours = buildDpiColourImage(p);
    const bool coloursChanged = colours != sent_.dpiColours;
    sent_.dpiColours = colours;
    // Only the bytes up to the effect's length are compared and recorded.
    const LightingImage lighting = buildLightingImage(p);
    const size_t n = lightingCompareLength(lighting);
    const bool lightingChanged = !std::equal(lighting.begin(), lighting.begin() + n, sent_.lighting.begin());
    std::copy_n(lighting.begin(), n, sent_.lighting.begin());

    if (dpiChanged && sendSetting(dpiFrame(dpi))) sent_.dpi = before.dpi;
    if (coloursChanged && sendSetting(dpiColourFrame(colours))) sent_.dpiColours = before.dpiColours;
    if (pollingChanged && sendSetting(pollingFrame(polling))) sent_.polling = before.polling;
    if (liftOffChanged && sendSetting(liftOffFrame(liftOff))) sent_.liftOff = before.liftOff;
    if (debounceChanged && sendSetting(debounceFrame(debounce))) sent_.debounce = before.debounce;
    if (lightingChanged && sendSetting(lightingFrame(lighting))) sent_.lighting = before.lighting;
}

void DeviceLink::sendPower() {
    if (!connection_.anyOpen()) return;
    const PowerImage power = buildPowerImage(current());
    if (power == sent_.power) return;
    const PowerImage before = sent_.power;
    sent_.power = power;
    if (sendSetting(powerFrame(power))) sent_.power = before;
}

namespace {

// The uploader's frames go through the link, which records each in the pass report.
class LinkChannel : public FrameChannel {
public:
    using Send = std::function<FrameFate(const Frame&, const FrameReport&)>;
    LinkChannel(Send send, FrameIo& io) : send_(std::move(send)), io_(io) {}
    FrameFate send(const Frame& frame, const FrameReport& what) override { return send_(frame, what); }
    void pause(int ms) override { io_.pause(ms); }

private:
    Send send_;
    FrameIo& io_;
};

}  // namespace

void DeviceLink::uploadMacros() {
    LinkChannel channel(
        [this](const Frame& frame, const FrameReport& what) {
            const SendOutcome out = io_.send(frame);
            FrameReport r = what;
            r.devices = out.devices;
            r.fate = fateOf(out);
            pass_.frames.push_back(r);
            return r.fate;
        },
        io_);
    const MacroUploader::Outcome out = macros_.upload(app_.library, &channel);
    if (out.sentSomething) sentSomething_ = true;
    if (!out.uploaded) return;
    const uint16_t v = static_cast<uint16_t>(app_.settings.GetDataChange() + 1);
    if (out.lost) {
        // Telling the mouse the new counter would claim macros it did not get. The stored
        // counter still moves on, so the check at the next connection uploads them again.
        pass_.counterWithheld = true;
    } else {
        const Frame frame = dataChangeFrame(v);
        const SendOutcome sent = io_.send(frame);
        if (sent.attempted() > 0) sentSomething_ = true;
        (void)record(frame, sent);
    }
    app_.settings.SetDataChange(v);
    recordFile(FileKind::Settings, -1, host_.writeSettings());
}

void DeviceLink::markProfileAsHeld() {
    const Profile& p = current();
    sent_.buttons = buildButtonImage(p);
    sent_.buttons[0] = sent_.buttons[1] = 0xFF;
    sent_.polling = buildPollingImage(p);
    sent_.liftOff = buildLiftOffImage(p);
    sent_.debounce = buildDebounceImage(p);
    sent_.dpi = buildDpiImage(p, dpi_);
    sent_.dpiColours = buildDpiColourImage(p);
    sent_.lighting = buildLightingImage(p);
    sent_.power = buildPowerImage(p);
    macros_.assignSlots(current(), app_.library, app_.language);
    (void)macros_.upload(app_.library, nullptr);
}

void DeviceLink::forgetWhatTheMouseHolds() {
    sent_.clear();
    macros_.clearImages();
}

}  // namespace orvane
