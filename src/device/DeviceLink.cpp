#include "device/DeviceLink.h"

#include <algorithm>
#include <functional>

#include "device/ButtonEncoder.h"
#include "device/SettingsEncoder.h"

namespace orvane {

DeviceLink::DeviceLink(AppData& app, EventLoop& loop, LinkHost& host, hid::Transport& transport)
    : app_(app), loop_(loop), host_(host), transport_(transport), connection_(transport), io_(connection_, loop) {
    std::weak_ptr<int> alive = alive_;
    // Readers hand notifications over to the loop's thread; nothing else is touched there.
    connection_.setInputHandler([this, alive, &loop](DeviceRole role, std::span<const uint8_t> report) {
        const auto notification = parseDeviceNotification(report);
        if (!notification) return;
        loop.post([this, alive, role, n = *notification] {
            if (alive.lock()) applyDeviceNotification(role, n);
        });
    });
}

DeviceLink::~DeviceLink() {
    (void)transport_.watch({});
    for (int id : {kSyncTimer, kSaveTimer, kNoticeTimer, kWatchdogTimer}) loop_.killTimer(this, id);
    jobs_.clear();
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
    linkActive_ = !app_.settings.GetNeedPassword();
    registerForDeviceNotifications();
    assumeStoredMouseHoldsProfile();
    detectDevices();
    if (connection_.anyPresent() && firstConnection_) {
        firstConnection_ = false;
        requestStatus();
        host_.refreshPages();
    }
    loop_.setTimer(this, kNoticeTimer, kNoticeDelayMs, [this] { connectionNotice(); });
}

void DeviceLink::shutdown() {
    // Nothing waiting starts any more; a pass still sending ends now, and what it had changed
    // is saved with the rest.
    jobs_.clear();
    sender_.abandon();
    io_.forgetPending();
    // A change still waiting for its pass is saved with the files; the mouse that has not got it
    // must not stay named as holding them, or the next start would never send it.
    if ((dirty(SyncGroup::Buttons) || dirty(SyncGroup::Performance) || dirty(SyncGroup::Power)) &&
        !sentImagesMatchProfile())
        forgetStoredMouse();
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
        loop.post([this, alive, event] {
            if (alive.lock()) onDeviceChange(event.action, event.path);
        });
    });
}

void DeviceLink::rebuildDpiTables() { dpi_.rebuild(app_.SensorId); }

void DeviceLink::detectDevices() {
    jobs_.add([this](LinkJobs::Done done) {
        redetect();
        done();
    });
}

// Reopens the devices: only ever run as a job, so no transfer is using the handles.
void DeviceLink::redetect() {
    connection_.detect();
    if (connection_.anyPresent()) armWatchdog();
    syncEverythingQuietly();
}

void DeviceLink::armWatchdog() {
    watchdogAsleep_ = false;
    loop_.setTimer(this, kWatchdogTimer, kWatchdogMs, [this] { watchdogTick(); });
}

void DeviceLink::sleepWatchdog() {
    watchdogAsleep_ = true;
    watchdogSleptAtMs_ = loop_.nowMs();
    // Ticks left to the one that reads (at 20): the counter's own steps, then the read.
    loop_.setTimer(this, kWatchdogTimer, (21 - pollCounter_) * kWatchdogMs, [this] { watchdogTick(); });
}

void DeviceLink::restartStatusCountdown() {
    pollCounter_ = 0;
    if (watchdogAsleep_) sleepWatchdog();
}

void DeviceLink::batteryInSight() {
    if (!watchdogAsleep_) return;
    const int64_t slept = (loop_.nowMs() - watchdogSleptAtMs_) / kWatchdogMs;
    pollCounter_ = int(std::min<int64_t>(20, pollCounter_ + slept));
    armWatchdog();
}

void DeviceLink::onDeviceChange(hid::HotplugAction action, const std::string& path) {
    // Writing on to a device that has gone only fails; what the pass had not sent goes out with
    // the detection's pass.
    if (action == hid::HotplugAction::Removed && connection_.uses(path)) sender_.stop();
    jobs_.add([this, action](LinkJobs::Done done) {
        deviceChanged(action);
        done();
    });
}

void DeviceLink::deviceChanged(hid::HotplugAction action) {
    if (action == hid::HotplugAction::Added) {
        if (connection_.present(DeviceRole::Receiver) && connection_.present(DeviceRole::Wired)) return;
        redetect();
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
    redetect();
    pollCounter_ = 19;
    if (!connection_.anyPresent()) {
        firstConnection_ = true;
        // Nothing is left to answer for the mouse: a window that stays shows it offline.
        mouseOnline_ = false;
        refreshBatteryDisplay();
        linkActive_ = false;
        host_.lastDeviceRemoved();
    }
}

void DeviceLink::watchdogTick() {
    if (watchdogAsleep_) {
        // Woken for the status read it slept until.
        pollCounter_ = 20;
        armWatchdog();
    }
    if (pollCounter_ < 20) {
        ++pollCounter_;
    } else {
        pollCounter_ = 0;
        jobs_.add([this](LinkJobs::Done done) {
            for (DeviceRole r : kDeviceRoles) {
                if (connection_.present(r) && !connection_.readerRunning(r)) {
                    redetect();
                    pollCounter_ = 19;
                }
            }
            done();
        });
        // Also while the link is inactive: that poll is how a mouse that wakes up after a
        // start with NeedPassword 1 gets the window shown.
        requestStatus();
    }
    refreshBatteryDisplay();
    if (!host_.batteryShown() && pollCounter_ < 20 && loop_.timerActive(this, kWatchdogTimer)) sleepWatchdog();
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

void DeviceLink::markEveryGroup() {
    for (SyncGroup g : {SyncGroup::Buttons, SyncGroup::Performance, SyncGroup::Power}) markDirty(g);
}

void DeviceLink::syncEverythingQuietly() {
    markEveryGroup();
    quietSync_ = true;
    armSync();
}

void DeviceLink::armSync() {
    if (passesHeld_) return;
    loop_.setTimer(this, kSyncTimer, kSyncDelayMs, [this] { onSyncTimer(); });
}

void DeviceLink::onSyncTimer() {
    loop_.killTimer(this, kSyncTimer);
    syncToDevice();
}

void DeviceLink::syncToDevice() {
    if (passWaiting_) return;
    passWaiting_ = true;
    jobs_.add([this](LinkJobs::Done done) {
        passWaiting_ = false;
        runPass(std::move(done));
    });
}

void DeviceLink::syncNow() {
    loop_.killTimer(this, kSyncTimer);
    syncToDevice();
}

// Everything the pass will send is decided here, from the profile as it is now: the sent
// images change as the frames are built, and each frame carries what to undo if the mouse does
// not get it. Changes made while it is sent mark their groups again for the next pass.
void DeviceLink::runPass(LinkJobs::Done done) {
    sentSomething_ = false;
    pass_ = PassReport{};
    if (!linkActive_) {
        pass_.blocked = PassBlock::LinkInactive;
        for (SyncGroup g : {SyncGroup::Buttons, SyncGroup::Performance, SyncGroup::Power})
            if (dirty(g)) pass_.heldBack.push_back(g);
        finishPass();
        return done();
    }
    if (!connection_.anyOpen()) {
        // The senders leave their images alone without a device, so these wait for one.
        pass_.blocked = PassBlock::NoDevice;
        for (SyncGroup g : {SyncGroup::Buttons, SyncGroup::Performance, SyncGroup::Power})
            if (dirty(g)) pass_.heldBack.push_back(g);
    }
    pass_.macrosDisabled = macros_.assignSlots(current(), app_.library, app_.language);
    // A button that lost its macro must not keep playing the old slot on the mouse.
    if (!pass_.macrosDisabled.empty()) dirty_[size_t(SyncGroup::Buttons)] = true;
    FrameSchedule schedule;
    if (dirty(SyncGroup::Buttons)) scheduleButtons(schedule);
    if (dirty(SyncGroup::Performance)) schedulePerformance(schedule);
    if (dirty(SyncGroup::Power)) schedulePower(schedule);
    dirty_ = {};
    scheduleMacros(schedule);
    pass_.frames.reserve(size_t(schedule.frameCount()));
    const bool quiet = quietSync_;
    quietSync_ = false;
    // The progress dialog runs while the frames go out, its bar following them.
    const bool showing = !quiet && schedule.frameCount() > 0 && connection_.anyOpen();
    if (showing) host_.showProgress();
    sender_.run(
        std::move(schedule),
        [this, showing](int stepsDone, int steps) {
            if (showing) host_.progressMade(stepsDone * 100 / steps);
        },
        [this, quiet, showing, done = std::move(done)](const PacedSender::Report& sent) {
            passSent(sent, quiet, showing, done);
        });
}

void DeviceLink::passSent(const PacedSender::Report& sent, bool quiet, bool showing, LinkJobs::Done done) {
    sentSomething_ = sent.reachedDevice;
    if (sentSomething_ && !quiet) restartStatusCountdown();
    if (showing) host_.progressMade(100);
    loop_.killTimer(this, kSaveTimer);
    savePending_ = true;
    loop_.setTimer(this, kSaveTimer, kSaveDelayMs, [this] { onSaveTimer(); });
    // The new Mac_ID says "this mouse holds the profile": only true when all of it arrived (a
    // macro it cannot hold included) and the files that record it were written.
    if (newMacIdPending_ && sentSomething_ && pass_.complete()) {
        newMacIdPending_ = false;
        app_.settings.SetMacId(newMacId_);
        recordFile(FileKind::Settings, -1, host_.writeSettings());
    }
    host_.refreshPages();
    finishPass(dirty(SyncGroup::Buttons) || dirty(SyncGroup::Performance) || dirty(SyncGroup::Power));
    done();
}

void DeviceLink::finishPass(bool changesWaiting) {
    if (pass_.kind == PassKind::Sync) {
        if (pass_.anyFrameLost() || pass_.counterWithheld) {
            // Whatever pass comes next tries again what this one lost, whichever group it is for.
            undelivered_ = true;
            markEveryGroup();
        } else if (pass_.blocked == PassBlock::None) {
            undelivered_ = false;
        }
        // Changes made while the pass was sending differ from what it sent without having
        // missed the mouse: the next pass takes them.
        if (!changesWaiting && !sentImagesMatchProfile()) forgetStoredMouse();
    }
    PassReport report = std::move(pass_);
    pass_ = PassReport{};
    host_.passFinished(report);
}

FrameFate DeviceLink::fateOf(const SendOutcome& out) {
    // A device that was unplugged under the write refused nothing: the frame was not sent.
    if (out.attempted() == 0 || out.devicesGone()) return FrameFate::NoDevice;
    if (out.took(DeviceRole::Wired)) return FrameFate::Taken;
    // Through the receiver a write reaches the mouse only while it is online; the receiver
    // takes the frame either way. Online is what the last status said: until the next one
    // confirms it, such a frame may have met a mouse that fell asleep meanwhile.
    if (out.took(DeviceRole::Receiver)) {
        if (!mouseOnline_) return FrameFate::MouseOffline;
        unconfirmedThroughReceiver_ = true;
        return FrameFate::Taken;
    }
    return FrameFate::Refused;
}

FrameFate DeviceLink::record(Command command, const SendOutcome& out, int item) {
    FrameReport r;
    r.command = command;
    r.item = item;
    r.devices = out.devices;
    r.fate = fateOf(out);
    pass_.frames.push_back(r);
    return r.fate;
}

bool DeviceLink::sentImagesMatchProfile() {
    const Profile& p = current();
    for (int i = 0; i < kKeyCount; ++i)
        if (sent_.buttons[size_t(i)].differs(p.keys[size_t(i)].KeyValue)) return false;
    return !sent_.polling.differs(buildPollingImage(p)) && !sent_.liftOff.differs(buildLiftOffImage(p)) &&
           !sent_.debounce.differs(buildDebounceImage(p)) && !sent_.dpi.differs(buildDpiImage(p, dpi_)) &&
           !sent_.dpiColours.differs(buildDpiColourImage(p)) && !sent_.power.differs(buildPowerImage(p)) &&
           !sent_.lighting.differs(comparableLighting(buildLightingImage(p)));
}

void DeviceLink::forgetStoredMouse() {
    if (!app_.settings.MacIdNamesAMouse()) return;
    // The id of the mouse at hand comes back once a later pass has delivered everything.
    if (!newMacIdPending_ && reportedMacId_) {
        newMacId_ = *reportedMacId_;
        newMacIdPending_ = true;
    }
    app_.settings.ForgetMouse();
    recordFile(FileKind::Settings, -1, host_.writeSettings());
}

bool DeviceLink::held(Command command, const FrameResult& result, int item) {
    // A frame the pass never got to is reported as having had no device to go to.
    return record(command, result.reached ? result.outcome : SendOutcome{}, item) == FrameFate::Taken;
}

void DeviceLink::recordFile(FileKind kind, int profile, bool saved) {
    pass_.files.push_back(FileReport{kind, profile, saved});
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

void DeviceLink::scheduleButtons(FrameSchedule& s) {
    if (!connection_.anyOpen()) return;
    const Profile& p = current();
    for (int i = 0; i < kKeyCount; ++i) {
        Belief<KeyValue>& sent = sent_.buttons[size_t(i)];
        const KeyValue value = p.keys[size_t(i)].KeyValue;
        if (sent.differs(value)) {
            const std::optional<KeyValue> old = sent.get();
            sent.hold(value);
            s.send(buttonFrame(i, value), [this, i, old](const FrameResult& r) {
                // A button the mouse did not get keeps its old belief, so it goes out again.
                if (!held(Command::Button, r, i)) sent_.buttons[size_t(i)].set(old);
            });
        }
        s.pause(kFramePauseMs);
    }
}

template <typename Image>
void DeviceLink::scheduleSetting(FrameSchedule& s, Belief<Image>& sent, const Image& image, const Frame& frame) {
    if (!sent.differs(image)) return;
    // The belief changes as the frame is decided; a frame the mouse did not get puts it back.
    const std::optional<Image> old = sent.get();
    sent.hold(image);
    s.send(frame, [this, &sent, old, command = Command(frame[kCommandByte])](const FrameResult& r) {
        if (!held(command, r)) sent.set(old);
    });
    s.pause(kFramePauseMs);
}

void DeviceLink::schedulePerformance(FrameSchedule& s) {
    if (!connection_.anyOpen()) return;
    const Profile& p = current();
    const DpiImage dpi = buildDpiImage(p, dpi_);
    scheduleSetting(s, sent_.dpi, dpi, dpiFrame(dpi));
    const DpiColourImage colours = buildDpiColourImage(p);
    scheduleSetting(s, sent_.dpiColours, colours, dpiColourFrame(colours));
    const uint8_t polling = buildPollingImage(p);
    scheduleSetting(s, sent_.polling, polling, pollingFrame(polling));
    const uint8_t liftOff = buildLiftOffImage(p);
    scheduleSetting(s, sent_.liftOff, liftOff, liftOffFrame(liftOff));
    const uint8_t debounce = buildDebounceImage(p);
    scheduleSetting(s, sent_.debounce, debounce, debounceFrame(debounce));
    // Only the bytes up to the effect's length are compared and recorded.
    const LightingImage lighting = buildLightingImage(p);
    scheduleSetting(s, sent_.lighting, comparableLighting(lighting), lightingFrame(lighting));
}

void DeviceLink::schedulePower(FrameSchedule& s) {
    if (!connection_.anyOpen()) return;
    const PowerImage power = buildPowerImage(current());
    scheduleSetting(s, sent_.power, power, powerFrame(power));
}

// The uploader's frames join the pass's schedule; each is recorded in the pass report as it
// comes back. Without a device a macro counts as held, and the DataChange check at the next
// connection uploads it; a chunk that an open device lost, or that was never sent, is sent
// again with the next pass.
class DeviceLink::PassChannel : public FrameChannel {
public:
    PassChannel(DeviceLink& link, FrameSchedule& schedule) : link_(link), schedule_(schedule) {}
    void send(const Frame& frame, const FrameReport& what) override {
        // Small enough to be kept inside the function object: a pass has over a hundred chunks.
        const uint8_t slot = uint8_t(what.item), chunk = uint8_t(what.chunk), chunks = uint8_t(what.chunks);
        schedule_.send(frame, [link = &link_, slot, chunk, chunks](const FrameResult& r) {
            FrameReport report;
            report.command = Command::MacroData;
            report.item = slot;
            report.chunk = chunk;
            report.chunks = chunks;
            if (r.reached) report.devices = r.outcome.devices;
            report.fate = link->fateOf(r.reached ? r.outcome : SendOutcome{});
            link->pass_.frames.push_back(report);
            if (!r.reached || (report.fate != FrameFate::Taken && report.fate != FrameFate::NoDevice))
                link->macros_.chunkLost(slot);
        });
    }
    void pause(int ms) override { schedule_.pause(ms); }

private:
    DeviceLink& link_;
    FrameSchedule& schedule_;
};

void DeviceLink::scheduleMacros(FrameSchedule& s) {
    PassChannel channel(*this, s);
    MacroUploader::Outcome out = macros_.upload(app_.library, &channel);
    for (auto& refused : out.refused) pass_.refusedMacros.push_back(std::move(refused));
    if (!out.uploaded) return;
    const uint16_t v = static_cast<uint16_t>(app_.settings.GetDataChange() + 1);
    // Whether the counter goes out depends on how the chunks fared, known only at its turn.
    s.sendIf(
        dataChangeFrame(v), [this] { return !macros_.chunksLost(); },
        [this, v](const FrameResult& r) {
            // A pass that ended before it leaves the counter where the mouse has it; the macros it
            // did not send kept their old images and go out with the next pass.
            if (!r.reached) return;
            if (r.skipped) {
                // Telling the mouse the new counter would claim macros it did not get. The stored
                // counter still moves on, so the check at the next connection uploads them again.
                pass_.counterWithheld = true;
            } else {
                (void)record(Command::DataChange, r.outcome);
            }
            app_.settings.SetDataChange(v);
            recordFile(FileKind::Settings, -1, host_.writeSettings());
        });
}

void DeviceLink::markProfileAsHeld() {
    const Profile& p = current();
    for (int i = 0; i < kKeyCount; ++i) sent_.buttons[size_t(i)].hold(p.keys[size_t(i)].KeyValue);
    sent_.polling.hold(buildPollingImage(p));
    sent_.liftOff.hold(buildLiftOffImage(p));
    sent_.debounce.hold(buildDebounceImage(p));
    sent_.dpi.hold(buildDpiImage(p, dpi_));
    sent_.dpiColours.hold(buildDpiColourImage(p));
    sent_.lighting.hold(comparableLighting(buildLightingImage(p)));
    sent_.power.hold(buildPowerImage(p));
    // A button that lost its macro now differs from what the mouse holds: the next pass sends it.
    if (!macros_.assignSlots(current(), app_.library, app_.language).empty())
        dirty_[size_t(SyncGroup::Buttons)] = true;
    (void)macros_.upload(app_.library, nullptr);
}

void DeviceLink::assumeStoredMouseHoldsProfile() {
    // Only a mouse this program configured in full is taken to hold the profile; a stored Mac_ID
    // that names no mouse (a new configuration, or one that a missed change made us forget)
    // leaves every belief unknown, so the first pass that reaches a mouse sends everything.
    if (app_.settings.MacIdNamesAMouse())
        markProfileAsHeld();
    else
        forgetWhatTheMouseHolds();
}

void DeviceLink::forgetWhatTheMouseHolds() {
    sent_.clear();
    macros_.clearImages();
}

}  // namespace orvane
